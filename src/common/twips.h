// Window positions come in twips; the screen has 15 twips to a pixel.
#pragma once

#include <QRect>

namespace tb {

constexpr int twips(int t)
{
    return t / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace tb
