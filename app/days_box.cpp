#include "app/days_box.h"

#include "core/run_state.h"

namespace novarel {

DaysBox CorrectDaysText(const std::string& typed) {
    // The leading whole number, however many digits it has.
    std::size_t i = 0;
    while (i < typed.size() && typed[i] == ' ') ++i;
    long long n = 0;
    bool big = false;
    for (; i < typed.size() && typed[i] >= '0' && typed[i] <= '9'; ++i) {
        n = n * 10 + (typed[i] - '0');
        if (n > MaxDayIndex) big = true, n = MaxDayIndex + 1;
    }
    if (big || n > MaxDayIndex) return {std::to_string(MaxDayIndex), MaxDayIndex};
    if (n == 0) return {"1", 1};
    return {typed, static_cast<std::int16_t>(n)};
}

}  // namespace novarel
