// A copy of the planets' ephemeris file with fuzz bytes written over part of it, read by the
// library through the program's position service. A damaged file may stop the computation
// with a LibraryError; what gets past the checks must be finite numbers.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "aspectarian/eclipse_search.h"
#include "core/calc_request.h"
#include "core/library_check.h"
#include "core/position_service.h"
#include "core/positions.h"
#include "core/swe_library.h"
#include "tests/fuzz/fuzz_cases.h"
#include "tests/fuzz/scratch_folder.h"

namespace novarel::fuzz {
namespace {

constexpr const char* PlanetFile = "sepl_18.se1";
constexpr const char* InstalledPlanetFile = "/usr/share/libswe/ephe/sepl_18.se1";
constexpr double FirstOf1800 = 2378496.5;  // 1800-01-01 0h UT
constexpr double DaysTo2400 = 219146;      // to 2400-01-01

// The installed file, read once; empty when it is not installed.
const std::string& InstalledFile() {
    static const std::string bytes = [] {
        std::ifstream in(InstalledPlanetFile, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

bool AllFinite(const Positions& p) {
    for (int b = Sun; b <= NorthNode; ++b) {
        if (!std::isfinite(p.BodyLongitude[b]) || !std::isfinite(p.BodyLatitude[b]) ||
            !std::isfinite(p.BodyRightAscension[b]) || !std::isfinite(p.BodyDeclination[b]))
            return false;
        if (b > Sun &&
            (!std::isfinite(p.LongitudeSpeed[b]) || !std::isfinite(p.RightAscensionSpeed[b])))
            return false;
    }
    return true;
}

}  // namespace

// Bytes 0-3: the offset of the patch; 4-7: the moment; 8: the request; the rest: the patch.
// With no installed file the bytes themselves are the file.
void DamagedEphemerisFile(const std::string& bytes) {
    if (bytes.size() < 9) return;
    const auto byte = [&bytes](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
    };
    const std::uint32_t where = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    const std::uint32_t when = byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24;
    const unsigned how = byte(8);
    const std::string patch = bytes.substr(9);
    std::string file = InstalledFile();
    if (file.empty()) {
        file = patch;
    } else {
        // Half the inputs damage the header and the index after it, where the library
        // reads first; the rest anywhere.
        const std::size_t span =
            (how & 1) != 0 ? file.size() : std::min<std::size_t>(file.size(), 4096);
        const std::size_t offset = where % span;
        file.replace(offset, std::min(patch.size(), file.size() - offset), patch);
        if ((how & 2) != 0) file.resize(std::min(file.size(), offset + patch.size()));
    }
    ScratchFolder dir;
    if (!dir.ok()) return;
    std::ofstream(dir.file(PlanetFile), std::ios::binary) << file;

    SweLibrary library;
    library.set_ephe_path(dir.path());
    CalcRequest request;
    request.coordinates = (how & 4) != 0 ? Centre::Helio : Centre::Geo;
    request.zodiac = (how & 8) != 0 ? Zodiac::Sidereal : Zodiac::Tropical;
    request.moonNodes = (how & 16) != 0 ? NodeKind::Mean : NodeKind::True;
    const double jd = FirstOf1800 + DaysTo2400 * (static_cast<double>(when) / 4294967296.0);
    try {
        Positions positions;
        ComputePositions(jd, request, library, positions);
        if (!AllFinite(positions)) __builtin_trap();
        if ((how & 32) != 0)
            (void)EclipseAtLunation(library,
                                    (how & 64) != 0 ? EclipseKind::Lunar : EclipseKind::Solar, jd);
    } catch (const LibraryError&) {
        // Refused: the run stops with the library's reason.
    }
}

}  // namespace novarel::fuzz
