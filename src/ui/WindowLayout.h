#pragma once

#include <QRect>

// The window's fixed layout in twips (1/1440 inch), each position relative to
// its container; at 96 dots per inch one pixel is 15 twips.
namespace layout {

struct Twips
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr int kTwipsPerPixel = 15;

constexpr int toPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect toPixels(const Twips& t)
{
    return QRect(toPixels(t.left), toPixels(t.top), toPixels(t.width), toPixels(t.height));
}

inline constexpr int kClientWidth = 9435;
inline constexpr int kClientHeight = 6510;
inline constexpr int kListHeight = 330;
inline constexpr int kLabelHeight = 255;

// In the window.
inline constexpr Twips Frame2{0, 0, 9255, 1335};
inline constexpr Twips SSTab1{0, 1440, 9375, 4935};

// In Frame2: the picture, then row 1 (lists at top 240) and row 2 (lists at top 720).
// Caption labels give only their left and top; they are as wide as their text.
inline constexpr Twips Image1{0, 120, 9225, 1185};
inline constexpr Twips Label5{120, 280, 0, kLabelHeight};
inline constexpr Twips Combo5{1080, 240, 1575, kListHeight};
inline constexpr Twips Label10{2760, 285, 0, kLabelHeight};
inline constexpr Twips Combo9{3480, 240, 1335, kListHeight};
inline constexpr Twips Label7{4920, 285, 0, kLabelHeight};
inline constexpr Twips Combo6{5880, 240, 855, kListHeight};
inline constexpr Twips Label1{6840, 300, 1095, kLabelHeight};
inline constexpr Twips Combo2{7920, 240, 1215, kListHeight};
inline constexpr Twips Label9{120, 720, 0, kLabelHeight};
inline constexpr Twips Combo8{1080, 720, 3735, kListHeight};
inline constexpr Twips Label8{4920, 765, 0, kLabelHeight};
inline constexpr Twips Combo7{5880, 720, 855, kListHeight};
inline constexpr Twips Label2{6840, 780, 1095, kLabelHeight};
inline constexpr Twips Combo3{7920, 720, 1215, kListHeight};

// In SSTab1, measured from the tab control's own corner (tab header included).
inline constexpr Twips REC1{120, 450, 9135, 3855};
inline constexpr Twips Label14{240, 4440, 3495, kLabelHeight};
inline constexpr Twips Label15{3960, 4440, 3615, kLabelHeight};

} // namespace layout
