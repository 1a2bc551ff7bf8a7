#include "BenchMeasures.h"

#include <QFile>
#include <QList>

#include <poll.h>
#include <unistd.h>

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

bool bareExchange(int fd, const QByteArray& frame, int timeoutMs)
{
    if (::write(fd, frame.constData(), size_t(frame.size())) != frame.size())
        return false;
    bool complete = false;
    while (!complete) {
        pollfd readable{fd, POLLIN, 0};
        if (::poll(&readable, 1, timeoutMs) <= 0)
            return false;
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        for (ssize_t k = 0; k < n; ++k)
            complete = complete || buffer[k] == 0x17 || buffer[k] == 0x06 || buffer[k] == 0x15;
    }
    return true;
}
