#pragma once

#include <QFont>

// The window's typeface: the Song face "宋体", mapped at start-up to an
// installed Song/Ming face where the system has none by that name.
namespace fonts {

inline constexpr qreal kListPointSize = 10.5;  // labels, lists, tab and transcript
inline constexpr qreal kLinkPointSize = 14.25; // the two link labels

inline QFont song(qreal pointSize)
{
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace fonts
