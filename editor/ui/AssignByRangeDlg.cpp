#include "editor/ui/AssignByRangeDlg.h"

#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostNameRules.h"
#include "show/LaunchTime.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString WithMnemonic(const char* text)
{
    return QStringLiteral("&") + qtcommon::ToQString(text);
}

// An empty field asks nothing; a filled one must parse.
template <typename Value, typename Parse>
bool ReadField(const QLineEdit& field, Parse parse, std::optional<Value>& into)
{
    const std::string text = qtcommon::ToStdString(field.text().trimmed());
    if (text.empty())
        return true;
    into = parse(text);
    return into.has_value();
}

} // namespace

CAssignByRangeDlg::CAssignByRangeDlg(const show::Show& show, prompt::Prompt& prompt,
                                     QWidget* parent)
    : QDialog(parent), show_(show), prompt_(prompt)
{
    setWindowTitle(qtcommon::ToQString(strings::kRangeTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    modules_ = AddField(*form, strings::kRangeModules);
    channels_ = AddField(*form, strings::kRangeChannels);
    from_ = AddField(*form, strings::kRangeTimes);
    to_ = AddField(*form, strings::kRangeTo);
    event_ = AddField(*form, strings::kRangeEvent);
    current_ = AddField(*form, strings::kRangeCurrentHost);
    name_ = AddField(*form, strings::kAssignHostLabel);
    from_->setPlaceholderText(QStringLiteral("01:05.432"));
    to_->setPlaceholderText(QStringLiteral("01:02:03.004"));
    modules_->setPlaceholderText(QStringLiteral("1-10"));
    selectOnly_ = new QCheckBox(WithMnemonic(strings::kRangeSelectOnly), this);
    layout->addWidget(selectOnly_);
    count_ = new QLabel(this);
    count_->setAccessibleName(qtcommon::ToQString(strings::kRangeTitle));
    layout->addWidget(count_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAssignByRangeDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(selectOnly_, &QCheckBox::toggled, name_, &QWidget::setDisabled);
    Recount();
}

QLineEdit* CAssignByRangeDlg::AddField(QFormLayout& form, const char* label)
{
    auto* field = new QLineEdit(this);
    field->setAccessibleName(qtcommon::ToQString(label));
    auto* caption = new QLabel(WithMnemonic(label), this);
    caption->setBuddy(field);
    form.addRow(caption, field);
    if (label != strings::kAssignHostLabel)
        connect(field, &QLineEdit::textChanged, this, &CAssignByRangeDlg::Recount);
    return field;
}

bool CAssignByRangeDlg::SelectOnly() const
{
    return selectOnly_->isChecked();
}

QString CAssignByRangeDlg::CountText() const
{
    return count_->text();
}

std::optional<show::CueRule> CAssignByRangeDlg::Rule(std::string& badField) const
{
    show::CueRule rule;
    const struct
    {
        bool ok;
        const char* label;
    } fields[] = {
        {ReadField(*modules_, show::ParseNumberRange, rule.modules), strings::kRangeModules},
        {ReadField(*channels_, show::ParseNumberRange, rule.channels), strings::kRangeChannels},
        {ReadField(*from_, show::ParseLaunchTime, rule.from), strings::kRangeTimes},
        {ReadField(*to_, show::ParseLaunchTime, rule.to), strings::kRangeTo},
        {ReadField(*event_, show::ParseWholeNumber, rule.event), strings::kRangeEvent},
    };
    for (const auto& field : fields)
        if (!field.ok) {
            badField = field.label;
            return std::nullopt;
        }
    if (!current_->text().isEmpty())
        rule.currentHost = qtcommon::ToStdString(current_->text());
    return rule;
}

void CAssignByRangeDlg::Recount()
{
    std::string badField;
    const std::optional<show::CueRule> rule = Rule(badField);
    ruleValid_ = rule.has_value();
    if (!rule) {
        matches_.clear();
        count_->setText(
            qtcommon::ToQString(strings::FormatText(strings::kRangeBadField, badField.c_str())));
        return;
    }
    matches_ = show::MatchingCues(show_, *rule);
    count_->setText(qtcommon::ToQString(strings::FormatText(strings::kRangeMatchCount,
                                                            static_cast<int>(matches_.size()),
                                                            static_cast<int>(show_.Size()))));
}

void CAssignByRangeDlg::OnOK()
{
    Recount();
    if (!ruleValid_) {
        prompt_.ShowMessage(qtcommon::ToStdString(count_->text()), prompt::MessageIcon::Warning);
        return;
    }
    if (matches_.empty()) {
        prompt_.ShowMessage(strings::kRangeNoMatch, prompt::MessageIcon::Warning);
        return;
    }
    hostName_ = qtcommon::ToStdString(name_->text());
    try {
        if (!SelectOnly())
            show::CheckHostName(hostName_);
    } catch (const show::Failure& refusal) {
        messages::ShowFailure(prompt_, refusal, messages::Doing::kAssigning);
        return;
    }
    accept();
}
