#include "editor/print/LoadSheetPainter.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/LaunchTime.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace editor {

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// A printed line below the heading: a module's caption or one of its cues.
struct SheetLine
{
    const show::SheetModule* module;
    const show::SheetCue* cue; // nothing for the module's caption
};

std::vector<SheetLine> LinesOf(const show::LoadSheet& sheet)
{
    std::vector<SheetLine> lines;
    for (const show::SheetModule& module : sheet.modules) {
        lines.push_back({&module, nullptr});
        for (const show::SheetCue& cue : module.cues)
            lines.push_back({&module, &cue});
    }
    return lines;
}

QFont SheetFont(double points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

class SheetPrinter
{
public:
    SheetPrinter(QPainter& painter, QPagedPaintDevice& device, const std::string& show)
        : painter_(painter), device_(device), show_(Text(show)), body_(SheetFont(10)),
          bold_(SheetFont(10, true)), title_(SheetFont(16, true)),
          line_(QFontMetricsF(body_, &device).height() * 1.25)
    {
    }

    int LinesPerPage() const
    {
        const double free = device_.height() - HeadingHeight() - line_ * 2;
        return std::max(1, static_cast<int>(free / line_));
    }

    void PaintPage(const show::LoadSheet& sheet, const std::vector<SheetLine>& lines, int page,
                   int pages)
    {
        if (pagesPainted_++ > 0)
            device_.newPage();
        const double width = device_.width();
        double y = PaintHeading(sheet, width);
        const int perPage = LinesPerPage();
        const auto first = static_cast<std::size_t>(page * perPage);
        const std::size_t last = std::min(lines.size(), first + static_cast<std::size_t>(perPage));
        for (std::size_t i = first; i < last; ++i, y += line_)
            PaintLine(lines[i], y, width);
        painter_.setFont(body_);
        painter_.drawText(QRectF(0, device_.height() - line_, width, line_),
                          Qt::AlignRight | Qt::AlignVCenter,
                          Text(strings::FormatText(strings::kSheetPage, page + 1, pages)));
    }

private:
    double HeadingHeight() const { return QFontMetricsF(title_, &device_).height() + line_ * 4; }

    double PaintHeading(const show::LoadSheet& sheet, double width)
    {
        const show::SheetSummary& load = sheet.summary;
        const double titleHeight = QFontMetricsF(title_, &device_).height();
        painter_.setFont(title_);
        painter_.drawText(QRectF(0, 0, width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                          Text(std::string(strings::kSheetTitle) + "  " + load.host));
        double y = titleHeight;
        painter_.setFont(body_);
        const std::string code = sheet.hostCode ? std::to_string(*sheet.hostCode)
                                                : std::string(strings::kSheetNoHostCode);
        const QStringList facts = {
            Text(std::string(strings::kSheetHostCode) + ": " + code),
            Text(std::string(strings::kCliColumnCues) + ": " + std::to_string(load.cues) + "    " +
                 strings::kCliColumnFirstLaunch + ": " + show::FormatLaunchTime(load.firstLaunch) +
                 "    " + strings::kCliColumnLastLaunch + ": " +
                 show::FormatLaunchTime(load.lastLaunch)),
            show_};
        for (const QString& fact : facts) {
            painter_.drawText(QRectF(0, y, width, line_), Qt::AlignLeft | Qt::AlignVCenter, fact);
            y += line_;
        }
        painter_.drawLine(QPointF(0, y + line_ / 2), QPointF(width, y + line_ / 2));
        return y + line_;
    }

    void PaintLine(const SheetLine& line, double y, double width)
    {
        if (!line.cue) {
            painter_.setFont(bold_);
            painter_.drawText(QRectF(0, y, width, line_), Qt::AlignLeft | Qt::AlignVCenter,
                              Text(std::string(strings::kSheetModule) + " " + line.module->module +
                                   "    (" + std::to_string(line.module->cues.size()) + ")"));
            return;
        }
        painter_.setFont(body_);
        const QStringList cells = {
            Text(std::string(strings::kColCue) + " " + line.cue->channel),
            Text(show::FormatLaunchTime(line.cue->launch)),
            Text(std::string(strings::kColEvent) + " " + std::to_string(line.cue->event))};
        const double column = width / 5;
        for (int i = 0; i < cells.size(); ++i)
            painter_.drawText(QRectF(column * (i + 0.3), y, column, line_),
                              Qt::AlignLeft | Qt::AlignVCenter, cells[i]);
        // a box for the crew's tick
        const double box = line_ * 0.6;
        painter_.drawRect(QRectF(column * 4, y + (line_ - box) / 2, box, box));
    }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    QString show_;
    QFont body_;
    QFont bold_;
    QFont title_;
    double line_;
    int pagesPainted_ = 0;
};

} // namespace

int PaintLoadSheets(QPagedPaintDevice& device, const std::vector<show::LoadSheet>& sheets,
                    const std::string& show)
{
    QPainter painter;
    if (!painter.begin(&device))
        return -1;
    SheetPrinter printer(painter, device, show);
    int pages = 0;
    for (const show::LoadSheet& sheet : sheets) {
        const std::vector<SheetLine> lines = LinesOf(sheet);
        const int perPage = printer.LinesPerPage();
        const int hostPages =
            std::max(1, static_cast<int>((lines.size() + static_cast<std::size_t>(perPage) - 1) /
                                         static_cast<std::size_t>(perPage)));
        for (int page = 0; page < hostPages; ++page, ++pages)
            printer.PaintPage(sheet, lines, page, hostPages);
    }
    return painter.end() ? pages : -1;
}

} // namespace editor
