// The real library: an answer depends on its moment alone, not on the moments
// asked before it, across the turn of the ephemeris files.
#include "core/swe_library.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "tests/support/temp_folder.h"

namespace novarel {
namespace {

constexpr double January1800 = 2378496.5;

struct Answer {
    std::array<double, 6> xx{};
    std::int32_t rc = 0;
    bool operator==(const Answer&) const = default;
};

Answer Calc(SweLibrary& lib, double tjd, int body, std::int32_t flags) {
    Answer a;
    char serr[256] = {};
    a.rc = lib.calc(tjd, body, flags, a.xx.data(), serr);
    return a;
}

// The files of 1200 to 1799 reach into 1800; once read, the library went on
// reading them, and some of what it read stayed in use after it changed files.
TEST(SweLibrary, AnAnswerDoesNotDependOnTheMomentsAskedBefore) {
    test::TempFolder files;
    for (const char* name : {"sepl_12.se1", "semo_12.se1", "sepl_18.se1", "semo_18.se1"}) {
        std::error_code ec;
        if (!std::filesystem::copy_file(std::string("/usr/share/libswe/ephe/") + name,
                                        files.file(name), ec))
            GTEST_SKIP() << "no /usr/share/libswe/ephe/" << name;
    }
    const std::int32_t tropical = swe_flags::SwissEphemeris + swe_flags::Speed;
    const std::int32_t sidereal = tropical + swe_flags::Sidereal;
    const std::array<double, 3> moments = {January1800 + 45.3, January1800 + 400.7,
                                           January1800 + 45.3};
    SweLibrary lib;
    lib.set_ephe_path(files.str());
    lib.set_sid_mode(swe_sidereal_modes::Krishnamurti, 0, 0);
    std::vector<Answer> fresh;
    for (double t : moments)
        for (int body : {0, 1, 5, 7}) {
            fresh.push_back(Calc(lib, t, body, tropical));
            fresh.push_back(Calc(lib, t, body, sidereal));
        }
    // The hour before 1800 and a day in January first, as the aspectarian of
    // January 1800 asks; then the same moments again.
    for (double t : {January1800 - 1.0 / 24, January1800 + 3.0})
        for (int body = 0; body <= 9; ++body) Calc(lib, t, body, tropical);
    std::vector<Answer> after;
    for (double t : moments)
        for (int body : {0, 1, 5, 7}) {
            after.push_back(Calc(lib, t, body, tropical));
            after.push_back(Calc(lib, t, body, sidereal));
        }
    EXPECT_TRUE(after == fresh);  // bit for bit, the sidereal mode kept
}

}  // namespace
}  // namespace novarel
