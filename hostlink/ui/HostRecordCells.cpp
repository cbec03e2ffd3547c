#include "hostlink/ui/HostRecordCells.h"

#include "qtcommon/QtText.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

namespace hostlink {

void ShowHostStates(QTableWidget& table, int nameColumn, int stateColumn,
                    const std::vector<show::PlannedHostState>& states)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        const QTableWidgetItem* name = table.item(row, nameColumn);
        const std::string host = name ? qtcommon::ToStdString(name->text()) : std::string();
        const auto status =
            std::find_if(states.begin(), states.end(),
                         [&host](const show::PlannedHostState& s) { return s.hostName == host; });
        const QString text =
            status == states.end() ? QString() : qtcommon::ToQString(show::HostStateText(*status));
        auto* item = new QTableWidgetItem(text);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setToolTip(text);
        table.setItem(row, stateColumn, item);
    }
    table.resizeColumnToContents(stateColumn);
}

} // namespace hostlink
