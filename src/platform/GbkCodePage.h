#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// GBK, code page 936, the encoding of saved transcripts on every system. On
// Linux Qt reaches it through ICU; the Qt for Windows has no ICU, so there it
// is the system's code page 936, asked for by number: the ANSI code page is
// GBK only on a Chinese Windows and would turn every Chinese character of
// another one into "?".

// Whether the system can encode GBK at all.
bool gbkAvailable();

// The GBK bytes of one character (one UTF-16 unit, or a surrogate pair);
// empty when GBK cannot hold it.
QByteArray gbkBytes(QStringView character);

// GBK bytes as text, for reading a saved transcript back.
QString gbkText(QByteArrayView bytes);
