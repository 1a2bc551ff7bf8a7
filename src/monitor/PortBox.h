#pragma once

class QComboBox;
class QWidget;

// The port list of the set-up panel: COM1 to COM8, mapped to devices as in the
// main window, and editable so that a device path can be typed instead. This
// is the one place that builds it.
QComboBox* makePortBox(QWidget* parent);
