#pragma once
// Arrays indexed the way the program counts: body indexes (BodyIndex, an int),
// hours and samples are int everywhere, so the tables they index take int.
#include <array>
#include <cstddef>

namespace novarel {

template <class T, std::size_t N>
struct IntIndexed : std::array<T, N> {
    using std::array<T, N>::operator[];
    constexpr T& operator[](int i) {
        return std::array<T, N>::operator[](static_cast<std::size_t>(i));
    }
    constexpr const T& operator[](int i) const {
        return std::array<T, N>::operator[](static_cast<std::size_t>(i));
    }
};

}  // namespace novarel
