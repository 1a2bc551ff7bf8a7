#pragma once

#include <QChartView>
#include <QImage>

// A chart as a picture for the report, at a size that reads on a page even
// when the chart's page has never been shown.
inline QImage chartPicture(QChartView* view)
{
    if (!view->isVisible())
        view->resize(900, 560);
    return view->grab().toImage();
}
