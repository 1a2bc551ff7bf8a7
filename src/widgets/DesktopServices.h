#pragma once

#include <QString>
#include <functional>

class QWidget;

// Asks the help viewer to show the default topic of the help file at
// `helpFilePath`, owned by `owner`'s window. Returns at once; the result of
// the request is not reported.
using HelpOpenerFn = std::function<void(QWidget* owner, const QString& helpFilePath)>;

// Asks the shell to "open" `target` (a web address or a mailto: link) for
// `owner`'s window. Returns at once; the result is not reported.
using UrlOpenerFn = std::function<void(QWidget* owner, const QString& target)>;

// HtmlHelpA with HH_DISPLAY_TOPIC on Windows; elsewhere the desktop's handler
// for the file.
HelpOpenerFn realHelpOpener();

// ShellExecuteA with the verb "open" on Windows; elsewhere the desktop's URL
// handler.
UrlOpenerFn realUrlOpener();
