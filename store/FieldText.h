#pragma once

#include "store/Variant.h"

#include <string>

namespace store {

// A field value as an integer: empty and NULL give 0, booleans -1 or 0, and a
// number of another kind gives its value when it is whole and fits in 32 bits.
// False (output untouched) for anything else: a fraction, text, a date.
bool FieldToInteger(const ado::Variant& value, int& out);

// A field value as text, by its kind; dates by the strftime-style format
// (empty: "%Y-%m-%d %H:%M:%S"). False for kinds with no text form, and for a
// date outside the years 100 to 9999.
bool FieldToText(const ado::Variant& value, const std::string& dateFormat, std::string& out);

} // namespace store
