#pragma once
// Window places in twips, as a window reports them and as the settings keep them.
#include <cstdint>

namespace novarel {

// What the platform reports for a window: outer place and size in twips.
struct WindowRect {
    double top = 0;
    double left = 0;
    double height = 0;
    double width = 0;
};

// A stored place: top, height and width as 16-bit, the left edge as 32-bit
// (windows may sit on a screen left of the main one).
struct StoredPlace {
    std::int16_t top = 0;
    std::int32_t left = 0;
    std::int16_t height = 0;
    std::int16_t width = 0;

    WindowRect rect() const { return {double(top), double(left), double(height), double(width)}; }
};

// The window's place rounded (halves to even) into the stored fields. A value
// beyond a field's range (a window far off a very large desktop) is held at
// the range's end rather than overflowing.
StoredPlace StorePlace(const WindowRect& rect);

}  // namespace novarel
