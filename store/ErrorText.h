#pragma once

#include "store/ComError.h"

#include <string>

namespace store {

// "<who> Error\n\tCode = %08lx\n\tCode meaning = %s\n\tSource = %s\n\tDescription = %s\n"
std::string FormatComError(const char* who, const ado::_com_error& error);

// What a CADORecordset records of a failure of its source (a table or a query).
std::string RecordsetErrorText(const std::string& source, const ado::_com_error& error);

} // namespace store
