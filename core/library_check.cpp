#include "core/library_check.h"

#include <fmt/format.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "core/bodies.h"
#include "core/ephemeris_library.h"
#include "core/julian_day.h"

namespace novarel {
namespace {

std::string LibraryText(const char* serr, const char* fallback) {
    // One line of text: line breaks become blanks, runs of blanks one.
    std::string text;
    const std::size_t n = serr != nullptr ? ::strnlen(serr, 256) : 0;
    for (std::size_t k = 0; k < n; ++k) {
        const char c = serr[k] == '\n' ? ' ' : serr[k];
        if (c == ' ' && (text.empty() || text.back() == ' ')) continue;
        text += c;
    }
    // The library ends its texts with a period or a semicolon; the messages add their own.
    while (!text.empty() && (text.back() == ' ' || text.back() == '.' || text.back() == ';'))
        text.pop_back();
    return text.empty() ? fallback : text;
}

// The library's body numbers as the messages name them.
std::string BodyName(int libraryBody) {
    static constexpr const char* Names[] = {
        "the Sun", "the Moon", "Mercury", "Venus", "Mars",          "Jupiter",
        "Saturn",  "Uranus",   "Neptune", "Pluto", "the mean node", "the true node"};
    if (libraryBody >= 0 && libraryBody < static_cast<int>(std::size(Names)))
        return Names[libraryBody];
    if (libraryBody == swe_bodies::Earth) return "the Earth";
    if (libraryBody == swe_extra_bodies::MeanApogee) return "Lilith (the mean apogee)";
    if (libraryBody == swe_extra_bodies::OsculatingApogee) return "Lilith (the osculating apogee)";
    for (const BodyInfo& b : Bodies())
        if (b.index > NorthNode && b.libraryNumber == libraryBody) return std::string(b.name);
    return fmt::format("body {}", libraryBody);
}

}  // namespace

std::string MomentText(double jdUt) {
    if (!std::isfinite(jdUt)) return "an unknown moment";
    const double midnight = std::floor(jdUt + 0.5) - 0.5;
    int minutes = static_cast<int>(std::lround((jdUt - midnight) * 1440));
    double day = midnight;
    if (minutes >= 1440) {
        minutes -= 1440;
        day += 1;
    }
    const CivilDate d = JulianDayToCivil(day);
    return fmt::format("{:04}-{:02}-{:02} {:02}:{:02} UT", d.year, d.month, d.day, minutes / 60,
                       minutes % 60);
}

void CheckFiniteValues(const double* values, std::size_t count, int libraryBody, double jdUt) {
    for (std::size_t k = 0; k < count; ++k)
        if (!std::isfinite(values[k]))
            throw LibraryError("the position of " + BodyName(libraryBody) + " at " +
                               MomentText(jdUt) + " is not a finite number");
}

void CheckFiniteDeltaT(double deltaT, double jdUt) {
    if (!std::isfinite(deltaT))
        throw LibraryError("the difference of Terrestrial Time and Universal Time at " +
                           MomentText(jdUt) + " is not a finite number");
}

bool CheckCalcResult(std::int32_t rc, std::int32_t requestedFlags, const char* serr,
                     bool filesRequired) {
    if (rc < 0) throw LibraryError(LibraryText(serr, "the position calculation failed"));
    // The library clears the files flag and sets the analytic one when it fell back.
    const bool analytic =
        (requestedFlags & swe_flags::SwissEphemeris) != 0 && (rc & swe_flags::SwissEphemeris) == 0;
    if (analytic && filesRequired)
        throw LibraryError("the ephemeris files are required, but none covers this moment (" +
                           LibraryText(serr, "no file") + ")");
    return analytic;
}

void CheckEclipseResult(std::int32_t rc, const char* serr, double maximum, std::string_view search,
                        double startUt) {
    if (rc < 0) throw LibraryError(LibraryText(serr, "the eclipse search failed"));
    if (rc > 0 && !std::isfinite(maximum))
        throw LibraryError(
            fmt::format("the {} found after {} is at a moment that is not a "
                        "finite number",
                        search.empty() ? "eclipse" : search, MomentText(startUt)));
}

void CheckEclipseMagnitude(std::int32_t rc, const char* serr, double magnitude,
                           std::string_view search, double maximumUt) {
    if (rc < 0) throw LibraryError(LibraryText(serr, "the eclipse calculation failed"));
    if (!std::isfinite(magnitude))
        throw LibraryError(fmt::format("the magnitude of the {} of {} is not a finite number",
                                       search, MomentText(maximumUt)));
}

std::string SearchedFolders(const std::string& ephemerisPath) {
    std::string text;
    std::size_t start = 0;
    while (start <= ephemerisPath.size()) {
        std::size_t end = ephemerisPath.find(':', start);
        if (end == std::string::npos) end = ephemerisPath.size();
        if (end > start) {
            if (!text.empty()) text += " and ";
            text += ephemerisPath.substr(start, end - start);
        }
        start = end + 1;
    }
    return text;
}

void CheckAsteroidFile(const std::string& ephemerisPath) {
    std::size_t start = 0;
    while (start <= ephemerisPath.size()) {
        std::size_t end = ephemerisPath.find(':', start);
        if (end == std::string::npos) end = ephemerisPath.size();
        std::error_code ec;
        if (end > start &&
            std::filesystem::is_regular_file(
                std::filesystem::path(ephemerisPath.substr(start, end - start)) / AsteroidFile, ec))
            return;
        start = end + 1;
    }
    throw LibraryError(fmt::format(
        "Chiron and the asteroids need the ephemeris file {}, which is in none of the folders "
        "searched: {}",
        AsteroidFile, SearchedFolders(ephemerisPath)));
}

}  // namespace novarel
