#include "platform/GbkCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Debian's Qt finds GBK only through ICU: encodingForName("GBK") is empty,
// while the encoder constructed by name works.
constexpr const char* kName = "GBK";

} // namespace

bool gbkAvailable()
{
    return QStringEncoder(kName).isValid();
}

QByteArray gbkBytes(QStringView character)
{
    // A fresh encoder each time: Qt 6.4's resetState() closes the ICU
    // converter behind it, and every later character then fails.
    QStringEncoder encoder(kName);
    QByteArray bytes = encoder.encode(character);
    // ICU's GBK encoder writes "?" for most characters it lacks but drops
    // "default-ignorable" ones (U+00AD) without a trace.
    if (encoder.hasError() || bytes.isEmpty())
        bytes.clear();
    return bytes;
}

QString gbkText(QByteArrayView bytes)
{
    return QStringDecoder(kName).decode(bytes);
}
