#pragma once
// The twelve tuning numbers of the options file, numbered 1..12.
#include <array>

namespace novarel {

struct OptionValues {
    std::array<float, 13> value{};  // index 0 unused
    float operator[](int k) const { return value[static_cast<std::size_t>(k)]; }
    float& operator[](int k) { return value[static_cast<std::size_t>(k)]; }

    // The values the program ships in OPTIONS.MAS.
    static OptionValues Factory() {
        OptionValues v;
        v.value = {0, 0, 0, 0, 0, 0, 0, 60, 60, 80, 100, 1, 0};
        return v;
    }
};

}  // namespace novarel
