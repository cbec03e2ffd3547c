#include "hostlink/ui/HostPlanDlg.h"

#include "hostlink/HostStates.h"
#include "hostlink/ui/HostStateCells.h"
#include "hostlink/ui/LoadAllHostsDlg.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"
#include "show/HostCode.h"
#include "show/HostPlan.h"
#include "show/ShowReader.h"
#include "ui_HostPlanDlg.h"

#include <algorithm>
#include <map>
#include <optional>

namespace {

enum Column
{
    kHost,
    kCues,
    kCode,
    kAddress,
    kState, // what the host holds
    kColumns
};

QTableWidgetItem* ReadOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// The code typed in a row: plain digits, else nothing.
std::optional<int> TypedCode(const QString& text)
{
    const QString code = text.trimmed();
    if (code.isEmpty() ||
        !std::all_of(code.begin(), code.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    bool number = false;
    const int value = code.toInt(&number);
    return number ? std::optional<int>(value) : std::nullopt;
}

} // namespace

CHostPlanDlg::CHostPlanDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent,
                           hostlink::FieldLinks links)
    : QDialog(parent), ui(std::make_unique<Ui::HostPlanDlg>()), m_storePath(std::move(storePath)),
      m_prompt(prompt), m_links(std::move(links))
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(editor::ToQString(strings::kHostPlanTitle));
    ui->labelStore->setText(editor::ToQString(m_storePath));
    ui->buttonSave->setText(editor::ToQString(strings::kHostPlanSave));
    ui->buttonLoadAll->setText(editor::ToQString(strings::kHostPlanLoadAll));
    ui->buttonClose->setText(editor::ToQString(strings::kHostPlanClose));
    ui->plan->setColumnCount(kColumns);
    ui->plan->setHorizontalHeaderLabels({editor::ToQString(strings::kFieldColumnHost),
                                         editor::ToQString(strings::kFieldColumnCues),
                                         editor::ToQString(strings::kFieldColumnCode),
                                         editor::ToQString(strings::kFieldColumnAddress),
                                         editor::ToQString(strings::kHostStateColumn)});
    connect(ui->buttonSave, &QPushButton::clicked, this, &CHostPlanDlg::OnSave);
    connect(ui->buttonLoadAll, &QPushButton::clicked, this, &CHostPlanDlg::OnLoadAllHosts);
    connect(ui->buttonClose, &QPushButton::clicked, this, &QDialog::accept);
    Fill();
    connect(ui->plan, &QTableWidget::cellChanged, this, &CHostPlanDlg::OnCodeEdited);
    resize(editor::DialogUnitsToPixels(font(), QSize(300, 200)));
}

CHostPlanDlg::~CHostPlanDlg() = default;

void CHostPlanDlg::Fill()
{
    std::vector<show::Cue> cues;
    try {
        cues = show::ReadShowFile(m_storePath);
    } catch (const show::Failure& failure) {
        // Without the show's host names there is nothing to plan.
        m_prompt.ShowMessage(messages::FailureText(failure, messages::Doing::kLoading),
                             prompt::MessageIcon::Stop);
        ui->buttonSave->setEnabled(false);
        ui->buttonLoadAll->setEnabled(false);
        return;
    }
    const show::StoredPlan stored = show::LoadHostPlan(m_storePath);
    if (!stored.read)
        m_prompt.ShowMessage(stored.error, prompt::MessageIcon::Stop);
    std::map<std::string, int> hosts = show::CuesByHostName(cues);
    for (const show::HostPlanEntry& entry : stored.entries)
        hosts.try_emplace(entry.HostName, 0); // kept, though the show has no cue of it
    ui->plan->setRowCount(static_cast<int>(hosts.size()));
    int row = 0;
    for (const auto& [name, cueCount] : hosts) {
        const auto planned = std::find_if(
            stored.entries.begin(), stored.entries.end(),
            [&name = name](const show::HostPlanEntry& e) { return e.HostName == name; });
        ui->plan->setItem(row, kHost, ReadOnlyItem(editor::ToQString(name)));
        ui->plan->setItem(row, kCues, ReadOnlyItem(QString::number(cueCount)));
        ui->plan->setItem(row, kCode,
                          new QTableWidgetItem(planned == stored.entries.end()
                                                   ? QString()
                                                   : QString::number(planned->HostCode)));
        ui->plan->setItem(row, kAddress, ReadOnlyItem(QString()));
        OnCodeEdited(row, kCode);
        ++row;
    }
    if (stored.read)
        ShowStates();
    ui->plan->resizeColumnsToContents();
    m_modified = false;
}

void CHostPlanDlg::ShowStates()
{
    try {
        hostlink::ShowHostStates(*ui->plan, kHost, kState, hostlink::ReadHostStates(m_storePath));
    } catch (const show::Failure& failure) {
        m_prompt.ShowMessage(messages::FailureText(failure, messages::Doing::kPlanning),
                             prompt::MessageIcon::Warning);
    }
}

void CHostPlanDlg::OnCodeEdited(int row, int column)
{
    if (column != kCode)
        return;
    m_modified = true;
    const std::optional<int> code = TypedCode(ui->plan->item(row, kCode)->text());
    const bool valid = code && *code >= show::kLowestHostCode && *code <= show::kHighestHostCode;
    ui->plan->item(row, kAddress)
        ->setText(valid ? editor::ToQString(
                              hostlink::HostAddressText(hostlink::LinkFor(m_links, *code), *code))
                        : QString());
}

bool CHostPlanDlg::OnSave()
{
    std::vector<show::HostPlanEntry> plan;
    for (int row = 0; row < ui->plan->rowCount(); ++row) {
        const QString text = ui->plan->item(row, kCode)->text().trimmed();
        if (text.isEmpty())
            continue;
        const std::optional<int> code = TypedCode(text);
        if (!code) {
            m_prompt.ShowMessage(strings::kHostCodeOutOfRange, prompt::MessageIcon::Warning);
            return false;
        }
        plan.push_back({editor::ToStdString(ui->plan->item(row, kHost)->text()), *code});
    }
    if (const std::string refused = show::SaveHostPlan(m_storePath, plan); !refused.empty()) {
        m_prompt.ShowMessage(refused, prompt::MessageIcon::Stop);
        return false;
    }
    m_modified = false;
    ShowStates(); // of the hosts as now planned
    m_prompt.ShowMessage(strings::kPlanSaved, prompt::MessageIcon::Information);
    return true;
}

void CHostPlanDlg::OnLoadAllHosts()
{
    if (m_modified && !OnSave())
        return;
    CLoadAllHostsDlg load(m_storePath, m_prompt, this, m_links);
    load.exec();
    ShowStates();
}
