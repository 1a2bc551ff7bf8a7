#pragma once

#include "RunningSim.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <functional>

// Opens the device the way the tool does at every Start: 8 data bits, no
// parity, two stop bits, buffers emptied.
inline bool openLikeTheTool(QSerialPort& port, const QString& device, qint32 baud = 9600)
{
    port.setPortName(device);
    port.setBaudRate(baud);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::TwoStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.clear();
    return true;
}

// Writes `frame` and gathers the chunks that come back until `complete` says
// the reply is whole or `timeoutMs` has passed.
inline QByteArrayList exchange(QSerialPort& port, const QByteArray& frame,
                               const std::function<bool(const QByteArray&)>& complete,
                               int timeoutMs)
{
    port.write(frame);
    port.waitForBytesWritten(timeoutMs);
    QByteArrayList chunks;
    QByteArray all;
    QDeadlineTimer deadline(timeoutMs);
    while (!complete(all) && !deadline.hasExpired()) {
        if (!port.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1))))
            continue;
        const QByteArray chunk = port.readAll();
        if (!chunk.isEmpty()) {
            chunks << chunk;
            all += chunk;
        }
    }
    return chunks;
}

inline bool endsWithEtbOrAcknowledges(const QByteArray& all)
{
    return all.contains('\x17') || all.contains('\x06') || all.contains('\x15');
}
