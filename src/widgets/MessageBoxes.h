#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Everything the program asks of a modal message box. The window and its
// commands take one of these, so that tests can answer boxes without a hang.
struct MessageRequest
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title; // "LinkBench" for boxes that name no title of their own
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using MessageBoxFn =
    std::function<QMessageBox::StandardButton(QWidget* parent, const MessageRequest&)>;

// Shows a real modal QMessageBox and returns the button the operator chose.
MessageBoxFn realMessageBox();

inline const QString kApplicationTitle = QStringLiteral("LinkBench");

// A box that names no title of its own: the application's title and OK only.
inline MessageRequest applicationNotice(const QString& text,
                                        QMessageBox::Icon icon = QMessageBox::NoIcon)
{
    MessageRequest request;
    request.icon = icon;
    request.title = kApplicationTitle;
    request.text = text;
    return request;
}
