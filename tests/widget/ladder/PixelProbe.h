#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

#include "platform/ColorRef.h"

// Reading colours back from painted images, by the COLORREF values the drawing code uses.
namespace PixelProbe {

inline QRgb Rgb(uint32_t colorRef) {
    return Win::FromColorRef(colorRef).rgb();
}

// Whether any pixel of the area (clipped to the image) has exactly the colour: glyphs are
// antialiased, but their solid strokes carry the text colour itself.
inline bool Shows(const QImage& image, const QRect& area, uint32_t colorRef) {
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixel(x, y) == Rgb(colorRef)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace PixelProbe
