#include "app/system_clock.h"

namespace novarel {

std::tm SystemClock::now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

}  // namespace novarel
