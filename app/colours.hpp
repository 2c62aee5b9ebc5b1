#pragma once

#include <QColor>

namespace quorvel {

// The game stores colours as 0x00BBGGRR integers: red is the lowest byte, so
// 128 is dark red and 8388608 dark blue.
inline QColor colour_from_bgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace quorvel
