#include "FakeSerialLine.h"

#include "WireText.h"

void FakeSerialLine::close()
{
    m_calls << QStringLiteral("close");
    m_open = false;
    m_waiting.clear();
}

bool FakeSerialLine::open(int portNumber, const QString& settings, QString* error)
{
    if (!openDevice(QString::number(portNumber), settings, error))
        return false;
    emit opened(portNumber);
    return true;
}

bool FakeSerialLine::openDevice(const QString& device, const QString& settings, QString* error)
{
    m_calls << QStringLiteral("open %1 %2").arg(device, settings);
    if (!m_refusal.isEmpty()) {
        if (error)
            *error = m_refusal;
        return false;
    }
    m_open = true;
    return true;
}

void FakeSerialLine::clearBuffers()
{
    m_calls << QStringLiteral("clear");
    m_waiting.clear();
}

void FakeSerialLine::write(const QByteArray& bytes)
{
    m_calls << QStringLiteral("write ") + visible(QString::fromLatin1(bytes));
    m_written += bytes;
    m_writes << bytes;
}

QByteArray FakeSerialLine::readAll()
{
    m_calls << QStringLiteral("read");
    return std::exchange(m_waiting, QByteArray());
}

void FakeSerialLine::deliver(const QByteArray& bytes, int eventCode)
{
    m_waiting += bytes;
    emit notification(eventCode);
}

void FakeSerialLine::fail(const QString& reason)
{
    m_open = false;
    m_waiting.clear();
    emit failed(reason);
}
