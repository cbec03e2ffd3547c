#include "qtcommon/ShowCheckDlg.h"

#include "messages/FindingText.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "qtcommon/StoreDialog.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "ui_ShowCheckDlg.h"

#include <QHeaderView>
#include <QPushButton>

namespace {

enum Column
{
    kSeverity,
    kFinding,
    kSequence
};

QString SequenceList(const std::vector<int>& sequences)
{
    QStringList numbers;
    numbers.reserve(static_cast<qsizetype>(sequences.size()));
    for (const int sequence : sequences)
        numbers.push_back(QString::number(sequence));
    return numbers.join(QLatin1Char(','));
}

} // namespace

CShowCheckDlg::CShowCheckDlg(const std::string& storePath, const show::ShowCheckReport& report,
                             QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ShowCheckDlg>())
{
    ui_->setupUi(this);
    qtcommon::SetUpStoreDialog(*this, strings::kCheckTitle, *ui_->labelStore, storePath);
    ui_->buttonClose->setText(qtcommon::ToQString(strings::kCheckClose));
    ui_->findings->setHorizontalHeaderLabels(qtcommon::ToQStringList(
        {strings::kCheckColumnSeverity, strings::kCheckColumnFinding, strings::kColSequence}));
    Fill(report);
    resize(qtcommon::DialogUnitsToPixels(font(), QSize(420, 220)));
}

CShowCheckDlg::~CShowCheckDlg() = default;

void CShowCheckDlg::OfferDownloadAnyway()
{
    OfferGoingOn(strings::kCheckDownloadAnyway, "buttonDownloadAnyway");
}

void CShowCheckDlg::OfferLoadAnyway()
{
    OfferGoingOn(strings::kCheckLoadAnyway, "buttonLoadAnyway");
}

void CShowCheckDlg::OfferGoingOn(const char* text, const char* objectName)
{
    auto* anyway = new QPushButton(qtcommon::ToQString(text), ui_->buttonClose->parentWidget());
    anyway->setObjectName(QString::fromLatin1(objectName));
    anyway->setAutoDefault(false);
    ui_->bottomLayout->insertWidget(ui_->bottomLayout->indexOf(ui_->buttonClose), anyway);
    connect(anyway, &QPushButton::clicked, this, &QDialog::accept);
    disconnect(ui_->buttonClose, nullptr, this, nullptr);
    connect(ui_->buttonClose, &QPushButton::clicked, this, &QDialog::reject);
    ui_->buttonClose->setText(qtcommon::ToQString(strings::kCheckCancel));
    ui_->buttonClose->setDefault(true);
    ui_->buttonClose->setFocus();
}

void CShowCheckDlg::Fill(const show::ShowCheckReport& report)
{
    QTableWidget& table = *ui_->findings;
    table.setRowCount(static_cast<int>(report.findings.size()));
    connect(&table, &QTableWidget::itemActivated, this, [this](const QTableWidgetItem* item) {
        if (item && item->row() < static_cast<int>(cues_.size()))
            Q_EMIT CuesPicked(cues_[static_cast<std::size_t>(item->row())]);
    });
    int row = 0;
    for (const show::ShowFinding& finding : report.findings) {
        cues_.push_back(finding.cues);
        auto* severity =
            new QTableWidgetItem(qtcommon::ToQString(messages::SeverityText(finding.severity)));
        auto* text = new QTableWidgetItem(qtcommon::ToQString(messages::FindingText(finding)));
        auto* sequences = new QTableWidgetItem(SequenceList(finding.sequences));
        text->setToolTip(text->text());
        sequences->setToolTip(sequences->text());
        table.setItem(row, kSeverity, severity);
        table.setItem(row, kFinding, text);
        table.setItem(row, kSequence, sequences);
        ++row;
    }
    table.resizeColumnToContents(kSeverity);
    table.setColumnWidth(kFinding, qtcommon::DialogUnitsToPixels(font(), QSize(280, 0)).width());
    table.resizeRowsToContents();
    QString summary = qtcommon::ToQString(strings::FormatText(strings::kCheckSummary, report.cues,
                                                              report.Errors(), report.Warnings()));
    if (report.findings.empty())
        summary = qtcommon::ToQString(strings::kCheckNothingFound) + QLatin1Char('\n') + summary;
    ui_->labelSummary->setText(summary);
}
