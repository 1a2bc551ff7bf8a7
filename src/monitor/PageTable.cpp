#include "monitor/PageTable.h"

#include <QHeaderView>

PageTable::PageTable(QAbstractItemModel* model, QWidget* parent) : QTableView(parent)
{
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
}
