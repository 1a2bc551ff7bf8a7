#include "platform/GbkCodePage.h"

#include <windows.h>

namespace {

constexpr UINT kGbk = 936;

} // namespace

bool gbkAvailable()
{
    return ::IsValidCodePage(kGbk) != 0;
}

QByteArray gbkBytes(QStringView character)
{
    // Without WC_NO_BEST_FIT_CHARS Windows writes a look-alike ("-" for the
    // soft hyphen) instead of saying that GBK lacks the character.
    char bytes[8];
    BOOL substituted = FALSE;
    const int length = ::WideCharToMultiByte(
        kGbk, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(character.utf16()),
        int(character.size()), bytes, int(sizeof bytes), nullptr, &substituted);
    if (length <= 0 || substituted)
        return {};
    return QByteArray(bytes, length);
}

QString gbkText(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    const int length = ::MultiByteToWideChar(kGbk, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    QString text(length, Qt::Uninitialized);
    ::MultiByteToWideChar(kGbk, 0, bytes.data(), int(bytes.size()),
                          reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}
