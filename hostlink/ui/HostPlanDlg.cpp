#include "hostlink/ui/HostPlanDlg.h"

#include "hostlink/RecordedConversations.h"
#include "hostlink/ui/HostRecordCells.h"
#include "hostlink/ui/LoadAllHostsDlg.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "qtcommon/StoreDialog.h"
#include "resources/strings/Strings.h"
#include "show/HostCode.h"
#include "show/HostNameRules.h"
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

// A stored code as the table shows it: a number as it is written, a text as
// it stands.
std::string StoredCodeText(const ado::Variant& code)
{
    return code.vt() == ado::VT_BSTR ? code.bstrVal() : code.Describe();
}

} // namespace

CHostPlanDlg::CHostPlanDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent,
                           hostlink::HostDialogOptions options)
    : CHostDialog(prompt, parent, std::move(options)), ui_(std::make_unique<Ui::HostPlanDlg>()),
      storePath_(std::move(storePath))
{
    ui_->setupUi(this);
    qtcommon::SetUpStoreDialog(*this, strings::kHostPlanTitle, *ui_->labelStore, storePath_);
    ShowRehearsalNote(nullptr);
    qtcommon::SetButtonTexts({{ui_->buttonSave, strings::kHostPlanSave},
                              {ui_->buttonLoadAll, strings::kHostPlanLoadAll},
                              {ui_->buttonClose, strings::kHostPlanClose}});
    ui_->plan->setColumnCount(kColumns);
    ui_->plan->setHorizontalHeaderLabels(qtcommon::ToQStringList(
        {strings::kFieldColumnHost, strings::kFieldColumnCues, strings::kFieldColumnCode,
         strings::kFieldColumnAddress, strings::kHostStateColumn}));
    connect(ui_->buttonSave, &QPushButton::clicked, this, &CHostPlanDlg::OnSave);
    connect(ui_->buttonLoadAll, &QPushButton::clicked, this, &CHostPlanDlg::OnLoadAllHosts);
    connect(ui_->buttonClose, &QPushButton::clicked, this, &CHostDialog::CloseWithButton);
    Fill();
    connect(ui_->plan, &QTableWidget::cellChanged, this, &CHostPlanDlg::OnCodeEdited);
    resize(qtcommon::DialogUnitsToPixels(font(), QSize(300, 200)));
}

CHostPlanDlg::~CHostPlanDlg() = default;

void CHostPlanDlg::Fill()
{
    // Without the show's host names there is nothing to plan.
    std::vector<show::Cue> cues;
    if (!ReadForPlan([&] { cues = show::ReadShowFile(storePath_); }, messages::Doing::kOpening))
        return;
    // Saving over a plan that could not be read would replace it unseen.
    show::StoredPlan stored;
    if (!ReadForPlan([&] { stored = show::ReadHostPlan(storePath_); }, messages::Doing::kPlanning))
        return;
    if (!stored.problems.empty())
        UserPrompt().ShowMessage(
            messages::FailureText(
                show::Failure(show::FailureCode::kPlanUnsound).WithProblems(stored.problems),
                messages::Doing::kPlanning),
            prompt::MessageIcon::Warning);
    planAsRead_ = stored.rows;
    std::map<std::string, int> hosts = show::CuesByHostName(cues);
    for (const show::HostPlanRow& row : stored.rows)
        hosts.try_emplace(show::TrimHostName(row.HostName), 0); // kept, though no cue has it
    ui_->plan->setRowCount(static_cast<int>(hosts.size()));
    int row = 0;
    for (const auto& [name, count] : hosts) {
        // A code as stored, for the designer to mend when it is none.
        const auto planned = std::find_if(stored.rows.begin(), stored.rows.end(),
                                          [&name = name](const show::HostPlanRow& r) {
                                              return show::TrimHostName(r.HostName) == name;
                                          });
        ui_->plan->setItem(row, kHost, ReadOnlyItem(qtcommon::ToQString(name)));
        ui_->plan->setItem(row, kCues, ReadOnlyItem(QString::number(count)));
        ui_->plan->setItem(
            row, kCode,
            new QTableWidgetItem(planned == stored.rows.end() || planned->HostCode.IsEmptyOrNull()
                                     ? QString()
                                     : qtcommon::ToQString(StoredCodeText(planned->HostCode))));
        ui_->plan->setItem(row, kAddress, ReadOnlyItem(QString()));
        OnCodeEdited(row, kCode);
        ++row;
    }
    if (stored.problems.empty()) // a plan to mend holds no host's state yet
        ShowStates();
    ui_->plan->resizeColumnsToContents();
    modified_ = false;
}

bool CHostPlanDlg::ReadForPlan(const std::function<void()>& read, messages::Doing doing)
{
    try {
        read();
        return true;
    } catch (const show::Failure& failure) {
        UserPrompt().ShowMessage(messages::FailureText(failure, doing), prompt::MessageIcon::Stop);
        ui_->buttonSave->setEnabled(false);
        ui_->buttonLoadAll->setEnabled(false);
        return false;
    }
}

void CHostPlanDlg::ShowStates()
{
    try {
        hostlink::ShowHostStates(*ui_->plan, kHost, kState, hostlink::ReadHostStates(storePath_));
    } catch (const show::Failure& failure) {
        UserPrompt().ShowMessage(messages::FailureText(failure, messages::Doing::kPlanning),
                                 prompt::MessageIcon::Warning);
    }
}

void CHostPlanDlg::OnCodeEdited(int row, int column)
{
    if (column != kCode)
        return;
    modified_ = true;
    const std::optional<int> code = TypedCode(ui_->plan->item(row, kCode)->text());
    const bool valid = code && *code >= show::kLowestHostCode && *code <= show::kHighestHostCode;
    ui_->plan->item(row, kAddress)
        ->setText(valid ? qtcommon::ToQString(
                              hostlink::DestinationText(DialogOptions().LinkFor(*code), *code))
                        : QString());
}

bool CHostPlanDlg::OnSave()
{
    std::vector<show::HostPlanEntry> plan;
    for (int row = 0; row < ui_->plan->rowCount(); ++row) {
        const QString text = ui_->plan->item(row, kCode)->text().trimmed();
        if (text.isEmpty())
            continue;
        const std::optional<int> code = TypedCode(text);
        if (!code) {
            UserPrompt().ShowMessage(strings::kHostCodeOutOfRange, prompt::MessageIcon::Warning);
            return false;
        }
        plan.push_back({qtcommon::ToStdString(ui_->plan->item(row, kHost)->text()), *code});
    }
    try {
        // Names are saved trimmed, as Save stores them.
        planAsRead_ = show::PlanRows(show::SaveHostPlan(storePath_, plan, planAsRead_));
    } catch (const show::Failure& failure) {
        // A name the rules refuse is said as `assign` says it.
        ShowFailure(failure, messages::Doing::kSaving);
        return false;
    }
    modified_ = false;
    ShowStates(); // of the hosts as now planned
    UserPrompt().ShowMessage(strings::kPlanSaved, prompt::MessageIcon::Information);
    return true;
}

void CHostPlanDlg::OnLoadAllHosts()
{
    if (modified_ && !OnSave())
        return;
    CLoadAllHostsDlg load(storePath_, UserPrompt(), this, DialogOptions());
    load.exec();
    ShowStates();
}
