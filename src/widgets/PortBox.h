#pragma once

class QComboBox;
class QWidget;

// The port list of the set-up panel: COM1 to COM8 with the main window's
// mapping, tooltip and context menu, and editable so that a device path can be
// typed instead; a typed path is its own tooltip.
QComboBox* makePortBox(QWidget* parent);
