#pragma once

#include "show/Failure.h"

#include <string>

class CADODataBase;

namespace show {

// Opens the show store at `path` in `db`. Raises Failure(`failing`), with the
// access layer's account as its detail and record, when it cannot be opened:
// each caller names the failure in the words of what it was about to do.
void OpenStoreFile(CADODataBase& db, const std::string& path,
                   FailureCode failing = FailureCode::kStoreNotOpened);

// What the access layer said when an operation of `db` returned FALSE, as
// Failure(`code`): its description (its text when it has none) as the detail.
Failure RefusedBy(const CADODataBase& db, FailureCode code);

// Raises Failure(kLayoutNotShowTable) naming `path` and the columns missing
// when the tb_Layout that `db` holds is not a show table: one is only ever
// read or written after this.
void RequireShowTableColumns(CADODataBase& db, const std::string& path);

} // namespace show
