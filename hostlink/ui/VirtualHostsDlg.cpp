#include "hostlink/ui/VirtualHostsDlg.h"

#include "hostlink/Rehearsal.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/RehearsalStrings.h"
#include "resources/strings/Strings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <string>
#include <utility>

namespace {

constexpr int kMostLateMs = 600000; // as the virtual host takes it

QTableWidgetItem* ReadOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

CVirtualHostsDlg::CVirtualHostsDlg(std::vector<show::HostPlanEntry> plan,
                                   hostlink::RehearsalHosts& hosts, prompt::Prompt& prompt,
                                   QWidget* parent)
    : QDialog(parent), plan_(std::move(plan)), hosts_(hosts), prompt_(prompt),
      table_(new QTableWidget(this)), summary_(new QLabel(this)), start_(new QPushButton(this))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(qtcommon::ToQString(strings::kVirtualHostsTitle));
    auto* note = new QLabel(qtcommon::ToQString(strings::kRehearsalHostsAt), this);
    note->setObjectName(QStringLiteral("labelRehearsal"));
    table_->setObjectName(QStringLiteral("hosts"));
    summary_->setObjectName(QStringLiteral("labelSummary"));
    summary_->setWordWrap(true);
    start_->setObjectName(QStringLiteral("buttonStart"));
    start_->setText(qtcommon::ToQString(strings::kVirtualHostsStart));
    auto* close = new QPushButton(qtcommon::ToQString(strings::kVirtualHostsClose), this);
    close->setObjectName(QStringLiteral("buttonClose"));
    start_->setDefault(true);

    table_->setColumnCount(kColumns);
    table_->setHorizontalHeaderLabels(qtcommon::ToQStringList(
        {strings::kFieldColumnHost, strings::kFieldColumnCode, strings::kFieldColumnAddress,
         strings::kVirtualHostsColumnFault, strings::kVirtualHostsColumnFrame,
         strings::kVirtualHostsColumnLate, strings::kFieldColumnState}));
    table_->verticalHeader()->hide();
    table_->setRowCount(static_cast<int>(plan_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const show::HostPlanEntry& entry = plan_[static_cast<std::size_t>(row)];
        table_->setItem(row, kHost, ReadOnlyItem(qtcommon::ToQString(entry.HostName)));
        table_->setItem(row, kCode, ReadOnlyItem(QString::number(entry.HostCode)));
        table_->setItem(row, kAddress,
                        ReadOnlyItem(qtcommon::ToQString(hostlink::DestinationText(
                            hostlink::RehearsalLink(entry.HostCode), entry.HostCode))));
        auto* fault = new QComboBox(table_);
        fault->addItems(qtcommon::ToQStringList(
            {strings::kVirtualHostsFaultNone, strings::kVirtualHostsFaultRefuseCue,
             strings::kVirtualHostsFaultSilent, strings::kVirtualHostsFaultLate}));
        table_->setCellWidget(row, kFault, fault);
        auto* frame = new QSpinBox(table_);
        frame->setRange(1, 1000000);
        table_->setCellWidget(row, kFrame, frame);
        auto* late = new QSpinBox(table_);
        late->setRange(1, kMostLateMs);
        late->setValue(hostlink::VirtualHostFault{}.lateMs);
        table_->setCellWidget(row, kLate, late);
        table_->setItem(row, kState, ReadOnlyItem(QString()));
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary_, 1);
    buttons->addWidget(start_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_);
    layout->addLayout(buttons);

    connect(start_, &QPushButton::clicked, this, [this] { OnStart(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(qtcommon::DialogUnitsToPixels(font(), QSize(400, 160)));
}

CVirtualHostsDlg::~CVirtualHostsDlg() = default;

hostlink::VirtualHostFault CVirtualHostsDlg::FaultOf(int row) const
{
    hostlink::VirtualHostFault fault;
    if (const auto* kind = qobject_cast<QComboBox*>(table_->cellWidget(row, kFault)))
        fault.kind = static_cast<hostlink::VirtualHostFault::Kind>(kind->currentIndex());
    if (const auto* frame = qobject_cast<QSpinBox*>(table_->cellWidget(row, kFrame)))
        fault.frame = frame->value();
    if (const auto* late = qobject_cast<QSpinBox*>(table_->cellWidget(row, kLate)))
        fault.lateMs = late->value();
    return fault;
}

int CVirtualHostsDlg::OnStart()
{
    int listening = 0;
    std::string problems;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const int code = plan_[static_cast<std::size_t>(row)].HostCode;
        const hostlink::VirtualHostStart started = hosts_.Start(code, FaultOf(row));
        std::string state;
        switch (started.outcome) {
        case hostlink::VirtualHostStart::kListening:
            ++listening;
            state = strings::kVirtualHostsListening;
            break;
        case hostlink::VirtualHostStart::kPortTaken:
            state = strings::FormatText(strings::kVirtualHostsPortTaken, code,
                                        hostlink::RehearsalPort(code), started.detail.c_str());
            break;
        case hostlink::VirtualHostStart::kNotStarted:
            state =
                strings::FormatText(strings::kVirtualHostsNotStarted, code, started.detail.c_str());
            break;
        }
        table_->item(row, kState)->setText(qtcommon::ToQString(state));
        table_->item(row, kState)->setToolTip(qtcommon::ToQString(state));
        if (started.outcome != hostlink::VirtualHostStart::kListening)
            problems += (problems.empty() ? "" : "\n") + state;
    }
    summary_->setText(
        qtcommon::ToQString(strings::FormatText(strings::kVirtualHostsSummary, listening)));
    if (!problems.empty())
        prompt_.ShowMessage(problems, prompt::MessageIcon::Warning);
    return listening;
}
