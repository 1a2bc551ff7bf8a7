#include "monitor/ReportWriter.h"

#include "monitor/MonitorTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace texts = monitor_texts;

namespace monitor {
namespace {

// Draws `text` in bold at the top of `area` and returns what is left below it.
// Device pixels per point: fonts set in points already follow the printer's
// resolution, so the geometry is scaled by hand rather than by the painter.
double pixelsPerPoint(const QPainter& painter)
{
    return painter.device()->logicalDpiY() / 72.0;
}

QRectF heading(QPainter& painter, const QRectF& area, const QString& text, double points)
{
    QFont font = painter.font();
    font.setPointSizeF(points);
    font.setBold(true);
    painter.setFont(font);
    const QRectF used = painter.boundingRect(area, Qt::AlignLeft | Qt::AlignTop, text);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, text);
    return area.adjusted(0, used.height() + points * 0.4 * pixelsPerPoint(painter), 0, 0);
}

QRectF setupBlock(QPainter& painter, const QRectF& area, const RunReport& report)
{
    QFont font = painter.font();
    font.setPointSizeF(8);
    font.setBold(false);
    painter.setFont(font);
    const double line = QFontMetricsF(font, painter.device()).height();
    const int perColumn = int((report.setup.size() + 1) / 2);
    const double columnWidth = area.width() / 2;
    for (qsizetype i = 0; i < report.setup.size(); ++i) {
        const double x = area.left() + double(i / perColumn) * columnWidth;
        const double y = area.top() + double(i % perColumn) * line;
        painter.drawText(QRectF(x, y, columnWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                         report.setup[i].first + report.setup[i].second);
    }
    QRectF rest = area.adjusted(0, perColumn * line, 0, 0);
    if (!report.latency.isEmpty()) {
        const QRectF used =
            painter.boundingRect(rest, Qt::AlignLeft | Qt::TextWordWrap, report.latency);
        painter.drawText(rest, Qt::AlignLeft | Qt::TextWordWrap, report.latency);
        rest.adjust(0, used.height(), 0, 0);
    }
    return rest.adjusted(0, line * 0.6, 0, 0);
}

QRectF summaryTable(QPainter& painter, const QRectF& area, const QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return area;
    QFont font = painter.font();
    font.setPointSizeF(7);
    const QFontMetricsF metrics(font, painter.device());
    const double rowHeight = metrics.height() * 1.35;
    const qsizetype columns = rows.front().size();
    // The first column holds the targets' names; the figures share the rest.
    const double first = area.width() * 0.16;
    const double other = (area.width() - first) / double(std::max<qsizetype>(columns - 1, 1));
    double y = area.top();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        font.setBold(r == 0 || r + 1 == rows.size());
        painter.setFont(font);
        double x = area.left();
        for (qsizetype c = 0; c < columns; ++c) {
            const double width = c == 0 ? first : other;
            const QRectF cell(x, y, width, rowHeight);
            painter.drawRect(cell);
            const Qt::Alignment align =
                (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
            painter.drawText(cell.adjusted(2, 0, -2, 0), int(align),
                             metrics.elidedText(rows[r].value(c), Qt::ElideRight, width - 4));
            x += width;
        }
        y += rowHeight;
        if (y + rowHeight > area.bottom() - area.height() * 0.45)
            break; // the pictures below need their room; the page holds what fits
    }
    return area.adjusted(0, y - area.top() + rowHeight * 0.6, 0, 0);
}

void picture(QPainter& painter, const QRectF& area, const QImage& image)
{
    if (image.isNull())
        return;
    QSizeF size = image.size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(area.topLeft(), size), image);
}

} // namespace

bool writeReportPdf(const RunReport& report, const QString& path, QString* error)
{
    const QFileInfo target(path);
    // The PDF printer says nothing about why it cannot write; the usual causes are named here.
    if (!target.absoluteDir().exists() || (target.exists() && !target.isWritable())) {
        if (error)
            *error = target.absoluteDir().exists() ? texts::FileReadOnly : texts::FolderMissing;
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    printer.setDocName(texts::ReportTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = texts::CannotWrite;
        return false;
    }
    const double k = pixelsPerPoint(painter);
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRect(QPageLayout::Point).size() * k);

    QRectF rest = heading(painter, page, texts::ReportTitle, 14);
    QFont small = painter.font();
    small.setPointSizeF(8);
    small.setBold(false);
    painter.setFont(small);
    painter.drawText(
        rest, Qt::AlignLeft | Qt::AlignTop,
        texts::ReportMade.arg(report.made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    rest.adjust(0, 14 * k, 0, 0);
    rest = heading(painter, rest, texts::ReportSetup, 10);
    rest = setupBlock(painter, rest, report);
    rest = heading(painter, rest, texts::ReportSummary, 10);
    rest = summaryTable(painter, rest, report.summary);

    const double half = (rest.width() - 12 * k) / 2;
    QRectF left(rest.left(), rest.top(), half, rest.height());
    QRectF right(rest.left() + half + 12 * k, rest.top(), half, rest.height());
    left = heading(painter, left, texts::ReportHistogram, 10);
    right = heading(painter, right, texts::ReportTrend, 10);
    picture(painter, left, report.histogram);
    picture(painter, right, report.trend);
    if (!painter.end()) {
        if (error)
            *error = texts::CannotWrite;
        return false;
    }
    return true;
}

} // namespace monitor
