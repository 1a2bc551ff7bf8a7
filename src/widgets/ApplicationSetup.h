#pragma once

class QApplication;

// What the program sets up before its window exists: Qt's own dialog texts in
// simplified Chinese, and an installed Song/Ming face standing in for "宋体".
void prepareApplication(QApplication& app);
