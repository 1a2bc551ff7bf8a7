#include "widgets/TranscriptPrintLayout.h"

#include "transcript/TranscriptTexts.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

namespace {

constexpr qreal kTwipsPerPoint = 20.0;
constexpr qreal kTitlePointSize = 20.0;
constexpr qreal kBodyPointSize = 10.0;
constexpr qreal kTitleLeft = 4600.0; // twips
constexpr qreal kTitleTop = 100.0;
constexpr qreal kBodyLeft = 1100.0;
constexpr qreal kBodyTop = 1400.0;

// The printable area in painter coordinates, in points. In full-page mode the
// painter's origin is the paper's corner; otherwise it is the corner of Qt's
// margins. Either way the area is the paper less the device's minimum margins.
QRectF printableAreaInPoints(const QPagedPaintDevice& device)
{
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QRectF area = paper - layout.minimumMargins();
    return area.translated(-layout.paintRect(QPageLayout::Point).topLeft());
}

class PagePen
{
public:
    PagePen(QPagedPaintDevice& device, QPainter& painter)
        : m_device(device), m_painter(painter), m_pixelsPerPointX(device.logicalDpiX() / 72.0),
          m_pixelsPerPointY(device.logicalDpiY() / 72.0)
    {
        const QRectF area = printableAreaInPoints(device);
        m_area = QRectF(area.left() * m_pixelsPerPointX, area.top() * m_pixelsPerPointY,
                        area.width() * m_pixelsPerPointX, area.height() * m_pixelsPerPointY);
    }

    qreal x(qreal twips) const
    {
        return m_area.left() + twips / kTwipsPerPoint * m_pixelsPerPointX;
    }
    qreal y(qreal twips) const { return m_area.top() + twips / kTwipsPerPoint * m_pixelsPerPointY; }

    void printTitle(const QString& title)
    {
        m_painter.setFont(sizedFont(kTitlePointSize));
        // drawText places the baseline; the position names the text's top.
        const qreal ascent = m_painter.fontMetrics().ascent();
        m_painter.drawText(QPointF(x(kTitleLeft), y(kTitleTop) + ascent), title);
    }

    void printBody(const QString& text)
    {
        const QFont font = sizedFont(kBodyPointSize);
        m_painter.setFont(font);
        const qreal left = x(kBodyLeft);
        const qreal width = qMax<qreal>(m_area.right() - left, 1.0);
        const qreal emptyLineHeight = m_painter.fontMetrics().lineSpacing();
        qreal top = y(kBodyTop);

        static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
        const QStringList lines = text.split(lineEnd);
        for (const QString& line : lines) {
            QTextLayout layout(line, font, &m_device);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            QList<QTextLine> pieces;
            for (QTextLine piece = layout.createLine(); piece.isValid();
                 piece = layout.createLine()) {
                piece.setLineWidth(width);
                pieces.append(piece);
            }
            layout.endLayout();

            if (line.isEmpty()) {
                top = nextTop(top, emptyLineHeight) + emptyLineHeight;
                continue;
            }
            for (const QTextLine& piece : pieces) {
                top = nextTop(top, piece.height());
                piece.draw(&m_painter, QPointF(left, top) - piece.position());
                top += piece.height();
            }
        }
    }

private:
    QFont sizedFont(qreal pointSize) const
    {
        QFont font = m_painter.font();
        font.setPointSizeF(pointSize);
        return font;
    }

    // Where a line of `height` starts: at `top`, or at the body's top of a new
    // page when it would pass the printable area's bottom. A page never starts
    // a new one for its own first line, however tall.
    qreal nextTop(qreal top, qreal height)
    {
        const qreal pageTop = y(kBodyTop);
        if (top + height <= m_area.bottom() || top <= pageTop)
            return top;
        m_device.newPage();
        return pageTop;
    }

    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    qreal m_pixelsPerPointX;
    qreal m_pixelsPerPointY;
    QRectF m_area;
};

} // namespace

bool printTranscript(QPagedPaintDevice& device, const QString& text)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PagePen pen(device, painter);
    pen.printTitle(transcript_texts::PrintTitle);
    if (!text.isEmpty())
        pen.printBody(text);
    return painter.end();
}
