#include "platform/LineSettings.h"

#include <QStringList>

namespace {

bool isAllDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

std::optional<qint32> speedFrom(const QString& item)
{
    // Digits only: no sign, no blanks inside, no hex; and it must fit the port's type.
    if (!isAllDigits(item))
        return std::nullopt;
    bool ok = false;
    const qint32 speed = item.toInt(&ok);
    if (!ok || speed <= 0)
        return std::nullopt;
    return speed;
}

std::optional<QSerialPort::Parity> parityFrom(const QString& item)
{
    if (item.size() != 1)
        return std::nullopt;
    switch (item.at(0).toLower().unicode()) {
    case u'n':
        return QSerialPort::NoParity;
    case u'e':
        return QSerialPort::EvenParity;
    case u'o':
        return QSerialPort::OddParity;
    case u'm':
        return QSerialPort::MarkParity;
    case u's':
        return QSerialPort::SpaceParity;
    default:
        return std::nullopt;
    }
}

std::optional<QSerialPort::DataBits> dataBitsFrom(const QString& item)
{
    if (item == u"5")
        return QSerialPort::Data5;
    if (item == u"6")
        return QSerialPort::Data6;
    if (item == u"7")
        return QSerialPort::Data7;
    if (item == u"8")
        return QSerialPort::Data8;
    return std::nullopt;
}

std::optional<QSerialPort::StopBits> stopBitsFrom(const QString& item)
{
    if (item == u"1")
        return QSerialPort::OneStop;
    if (item == u"1.5")
        return QSerialPort::OneAndHalfStop;
    if (item == u"2")
        return QSerialPort::TwoStop;
    return std::nullopt;
}

std::optional<LineSettings> refuse(const QString& why, const QString& text, QString* reason)
{
    if (reason)
        *reason = why.arg(text);
    return std::nullopt;
}

} // namespace

std::optional<LineSettings> parseLineSettings(const QString& text, QString* reason)
{
    QStringList items = text.split(u',');
    if (items.size() != 4)
        return refuse(kSettingsLayoutRefused, text, reason);
    for (QString& item : items)
        item = item.trimmed();

    LineSettings settings;
    if (const auto speed = speedFrom(items[0]))
        settings.baudRate = *speed;
    else
        return refuse(kSettingsSpeedRefused, text, reason);
    if (const auto parity = parityFrom(items[1]))
        settings.parity = *parity;
    else
        return refuse(kSettingsParityRefused, text, reason);
    if (const auto dataBits = dataBitsFrom(items[2]))
        settings.dataBits = *dataBits;
    else
        return refuse(kSettingsDataBitsRefused, text, reason);
    if (const auto stopBits = stopBitsFrom(items[3]))
        settings.stopBits = *stopBits;
    else
        return refuse(kSettingsStopBitsRefused, text, reason);
    return settings;
}
