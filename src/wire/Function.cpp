#include "wire/Function.h"

#include "wire/ControlChars.h"

namespace wire {

char16_t functionCode(Function function)
{
    static constexpr char16_t codes[] = {ctl::DC1, ctl::DC2, ctl::DC3, ctl::DC4};
    return codes[int(function)];
}

std::optional<Function> functionOfCode(char16_t code)
{
    for (const Function function : kFunctions) {
        if (functionCode(function) == code)
            return function;
    }
    return std::nullopt;
}

std::optional<Function> functionAt(int position)
{
    if (position < 0 || position >= int(kFunctions.size()))
        return std::nullopt;
    return kFunctions[std::size_t(position)];
}

QString functionName(Function function)
{
    return QStringLiteral("dc%1").arg(int(function) + 1);
}

std::optional<Function> functionNamed(const QString& name)
{
    for (const Function function : kFunctions) {
        if (name.compare(functionName(function), Qt::CaseInsensitive) == 0)
            return function;
    }
    return std::nullopt;
}

} // namespace wire
