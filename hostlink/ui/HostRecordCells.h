#pragma once

#include "show/HostStates.h"

#include <vector>

class QTableWidget;

namespace hostlink {

// Puts what each row's host holds into `stateColumn`, in full ("failed at
// frame 6 of 11") with the same text as its tip; rows whose host name the
// plan does not hold stay empty. The column is as wide as its texts.
void ShowHostStates(QTableWidget& table, int nameColumn, int stateColumn,
                    const std::vector<show::PlannedHostState>& states);

} // namespace hostlink
