#pragma once

#include <QRect>

namespace velmoka {

// The window's design is laid out in twips, 15 to a device-independent pixel (96 dots per
// inch); Qt scales pixels to the screen, so the window keeps its proportions on high-DPI.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips_to_pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twips_rect(int left, int top, int width, int height) {
    return QRect(twips_to_pixels(left), twips_to_pixels(top), twips_to_pixels(width), twips_to_pixels(height));
}

}  // namespace velmoka
