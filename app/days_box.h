#pragma once
// The days box rule: 1..366 stands; 0, empty or non-numeric becomes "1";
// anything above 366 becomes "366".
#include <cstdint>
#include <string>

namespace novarel {

struct DaysBox {
    std::string text;
    std::int16_t days;
};

DaysBox CorrectDaysText(const std::string& typed);

}  // namespace novarel
