#pragma once

#include "platform/LineEvents.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The serial control behind the window: the few operations that sending and
// reception use. Tests replace it with a fake; the program uses QtSerialLine.
class SerialLine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLine() override = default;

    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Opens port `portNumber` (1..8) with a settings text such as "9600,n,8,2".
    // On failure returns false and sets `error` to the device and the reason.
    virtual bool open(int portNumber, const QString& settings, QString* error) = 0;
    // The same for a device named by its path ("/dev/ttyUSB0"), as the
    // diagnosis programs are told it; opened() is not raised.
    virtual bool openDevice(const QString& device, const QString& settings, QString* error) = 0;
    // Drops whatever is queued for sending and whatever was received unread.
    virtual void clearBuffers() = 0;
    // Each character goes out as one byte, in order, with nothing added; the
    // bytes have been handed to the device when this returns.
    virtual void write(const QByteArray& bytes) = 0;
    // All bytes waiting now, removed from the receive buffer.
    virtual QByteArray readAll() = 0;

signals:
    // Raised on the user-interface thread; line::kEventReceive means characters received.
    void notification(int eventCode);
    // Port `portNumber` has opened (a refused open says nothing).
    void opened(int portNumber);
    // The open port failed (peer gone, adapter pulled) and has been closed.
    void failed(const QString& reason);
};
