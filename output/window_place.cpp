#include "output/window_place.h"

#include <cmath>
#include <limits>

#include "core/fixed_format.h"

namespace novarel {
namespace {
template <typename T>
T Clamped(double x) {
    if (std::isnan(x)) return 0;
    const double r = RoundHalfEven(x);
    if (r < double(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (r > double(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}
}  // namespace

StoredPlace StorePlace(const WindowRect& rect) {
    return StoredPlace{Clamped<std::int16_t>(rect.top), Clamped<std::int32_t>(rect.left),
                       Clamped<std::int16_t>(rect.height), Clamped<std::int16_t>(rect.width)};
}

}  // namespace novarel
