#pragma once

#include <QTableView>

// A table page's view: whole rows chosen, alternate rows shaded, no row
// numbers, no wrapping, the last column taking what room is left.
class PageTable : public QTableView
{
    Q_OBJECT
public:
    explicit PageTable(QAbstractItemModel* model, QWidget* parent = nullptr);
};
