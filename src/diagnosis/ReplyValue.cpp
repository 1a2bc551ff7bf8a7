#include "diagnosis/ReplyValue.h"

#include "protocol/NumericText.h"

#include <QList>

namespace diagnosis {

namespace {

constexpr char kUs = 0x1F;
constexpr char kRs = 0x1E;
constexpr qsizetype kCheckLength = 5;
constexpr qsizetype kPlaceLength = 5; // address and channel, "00101"

std::optional<double> numberIn(const QByteArray& text)
{
    // The numeric test accepts blanks around a number; a reply field has none.
    if (text.isEmpty() || text.front() == ' ' || text.back() == ' ')
        return std::nullopt;
    return numeric::parseNumber(QString::fromLatin1(text));
}

// A HBX 73 field "00101+0012.9" or 74 field "14:20+0012.9": the value after
// the five-character lead.
std::optional<double> hbxFieldValue(const QByteArray& field)
{
    if (field.size() <= kPlaceLength)
        return std::nullopt;
    return numberIn(field.sliced(kPlaceLength));
}

} // namespace

std::optional<double> replyValue(const Target& target, const QByteArray& framed)
{
    if (framed.size() < 2 + kCheckLength)
        return std::nullopt;
    // Between the STX and the check field.
    const QByteArray inner = framed.sliced(1, framed.size() - 2 - kCheckLength);
    switch (target.function) {
    case Function::Dc1:
        if (inner.size() <= kPlaceLength)
            return std::nullopt;
        return numberIn(inner.sliced(kPlaceLength));
    case Function::Dc2: {
        const QList<QByteArray> fields = inner.split(kUs);
        if (fields.size() != 3)
            return std::nullopt;
        return numberIn(fields[2]);
    }
    case Function::Dc3:
        return std::nullopt;
    case Function::Dc4: {
        if (target.param != u"73" && target.param != u"74")
            return std::nullopt;
        // Header through its RS, then each field followed by an RS.
        const QList<QByteArray> fields = inner.split(kRs);
        if (fields.size() < 3)
            return std::nullopt;
        return hbxFieldValue(fields[1]);
    }
    }
    return std::nullopt;
}

} // namespace diagnosis
