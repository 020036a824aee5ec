#pragma once
// A program's worth of state around GenerateEphemeris, with recording seams.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/run_context.h"
#include "ephemeris/ephemeris_generator.h"
#include "output/data_buffer.h"
#include "tests/support/fakes.h"

namespace novarel::test {

class RecordingWindows final : public GeneratorWindows {
public:
    void runStarted() override { events.push_back("started"); }
    void runFinished() override { events.push_back("finished"); }
    std::vector<std::string> events;
};

// Answers every body with the values set for it; unset bodies are at 0.
class FixedLibrary final : public EphemerisLibrary {
public:
    struct Frame {
        double a = 0, b = 0, speed = 0;
    };
    void set_ephe_path(const std::string&) override {}
    void set_sid_mode(std::int32_t, double, double) override {}
    double deltat(double) override { return 0; }
    std::int32_t calc(double t, int body, std::int32_t flags, double* xx, char* serr) override {
        ++calls;
        lastTime = t;
        const Frame& f = (flags & 2048) ? equatorial[static_cast<std::size_t>(body)]
                                        : ecliptic[static_cast<std::size_t>(body)];
        xx[0] = f.a;
        xx[1] = f.b;
        xx[2] = 1;
        xx[3] = f.speed;
        xx[4] = xx[5] = 0;
        serr[0] = 0;
        return flags;
    }
    std::array<Frame, 16> ecliptic{}, equatorial{};
    int calls = 0;
    double lastTime = 0;
};

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("novarel_eph_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string str() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The request of the input window: date boxes, days, time of day, and the
// noon flag the generate button sets.
struct EphemerisRig {
    explicit EphemerisRig(EphemerisLibrary& lib, std::string dir = "/nonexistent")
        : library(lib), buffer(messages, view), names(LocaleNames::English()), folder(std::move(dir)) {
        options = OptionValues::Factory();
        state.DateOrder = 2;
    }
    void setStart(const std::string& y, const std::string& m, const std::string& d) {
        request.txtYear = y;
        request.txtMonth = m;
        request.txtDay = d;
    }
    void setDays(int days) {
        request.chkFullMonth = false;
        request.NumberOfDays = static_cast<std::int16_t>(days);
    }
    void setMidnight(bool midnight) {
        request.type = midnight ? TimeOfDay::Midnight : TimeOfDay::Noon;
        state.NoonFlag = midnight ? 0 : 1;
    }
    RunContext context() {
        return RunContext{request, state, options, library, messages, progress,
                          windows, buffer, names,   folder};
    }
    RunOutcome run() {
        RunContext ctx = context();
        return GenerateEphemeris(ctx);
    }

    CalcRequest request;
    RunState state;
    OptionValues options;
    EphemerisLibrary& library;
    RecordingMessages messages;
    RecordingProgress progress;
    RecordingWindows windows;
    RecordingView view;
    DataBuffer buffer;
    LocaleNames names;
    std::string folder;
};

// The rows of a table: lines after the header that are not empty.
inline std::vector<std::string> Rows(const std::vector<std::string>& table) {
    std::vector<std::string> rows;
    for (std::size_t i = HeaderLineCount + 1; i < table.size(); ++i)
        if (!table[i].empty()) rows.push_back(table[i]);
    return rows;
}

}  // namespace novarel::test
