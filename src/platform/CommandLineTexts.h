#pragma once

#include <QString>

// What every program's command line says alike.
namespace commandline_texts {

// %1 is the option as typed.
inline const QString UnknownOption =
    QStringLiteral("未知选项 %1（unknown option）；--help 列出全部选项（lists all options）");

} // namespace commandline_texts
