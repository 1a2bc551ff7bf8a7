#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// An instrument's parameters as a backup keeps them: where and when they were
// read, and for each parameter the reply as it came and the value it carried.
namespace diagnosis {

struct ParameterSetHeader
{
    QString tool; // the program and its version that made the file
    QDateTime savedAt;
    QString port;
    QString settings;
    int address = 1;
    QString channel = QStringLiteral("01");
    QString name; // what the technician calls the instrument: its tag, its place
};

struct ParameterEntry
{
    QString code;  // "12"
    QString text;  // the catalogue's text, "12:量程零点"
    QString reply; // the reply as received, control characters named ("<STX>...<ETB>")
    QString value; // the value text as the instrument sent it, "0100.0"
    int line = 0;  // where a read file has it, for messages
};

struct ParameterSet
{
    ParameterSetHeader header;
    QList<ParameterEntry> entries; // in the order read, one per code

    const ParameterEntry* entry(const QString& code) const;
};

// The value field a write of `value` carries; for a value the instrument
// sent, its own digits again.
QByteArray writeField(const QString& value);

// Whether the instrument's value text stands for the set's value: the same
// text, or the text a write of the set's value would leave there.
bool sameValue(const QString& setValue, const QByteArray& instrumentValue);

// "LinkBench 1.0", as the header names the tool.
QString toolName();

} // namespace diagnosis
