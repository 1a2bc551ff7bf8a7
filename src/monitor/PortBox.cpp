#include "monitor/PortBox.h"

#include "catalogue/LineLists.h"

#include <QComboBox>

QComboBox* makePortBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->addItems(catalogue::portEntries());
    // A typed "/dev/ttyUSB0" must stay as typed, not be completed to an entry.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}
