#include "app/font_step.h"

#include <cmath>

#include "core/fixed_format.h"

namespace novarel {

int ScreenWidthPixels(double widthTwips, double twipsPerPixel) {
    if (!(twipsPerPixel > 0) || !std::isfinite(widthTwips)) return 0;
    const double px = RoundHalfEven(widthTwips / twipsPerPixel);
    if (!(px >= 0 && px < 1e9)) return 0;
    return static_cast<int>(px);
}

double FontStepFor(int screenWidthPixels, double twipsPerPixel) {
    if (screenWidthPixels == 640) return 1.5;
    if (screenWidthPixels == 800) return twipsPerPixel == 12 ? 1.2 : 1.5;
    return twipsPerPixel == 15 ? 1.5 : 1.2;
}

}  // namespace novarel
