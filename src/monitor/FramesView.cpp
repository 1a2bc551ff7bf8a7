#include "monitor/FramesView.h"

#include "monitor/FramesModel.h"
#include "monitor/MonitorTexts.h"

using namespace Qt::StringLiterals;

FramesView::FramesView(FramesModel& model, QWidget* parent)
    : PageTable(&model, parent), m_model(model)
{
}

QString FramesView::title() const
{
    return monitor_texts::PageFrames;
}

QKeySequence FramesView::shortcut() const
{
    return QKeySequence(Qt::CTRL | Qt::Key_5);
}

void FramesView::takeExchange(const diagnosis::ExchangeRecord& record, bool /*fromScan*/)
{
    m_model.addExchange(record);
}

void FramesView::redraw(const PageRedraw& redraw)
{
    if (!redraw.changed)
        return;
    const bool firstFrames = m_model.rowCount() == 0;
    m_model.flush();
    // Widths are fitted to the first lines once, then left to the technician.
    if (firstFrames && m_model.rowCount() > 0) {
        resizeColumnsToContents();
        // Room for a bold outcome and a longer time than the first ones.
        const int slack = fontMetrics().horizontalAdvance(u"0000"_s);
        for (int column : {int(FramesModel::Result), int(FramesModel::ResponseMs)})
            setColumnWidth(column, columnWidth(column) + slack);
    }
}
