#pragma once
// The program's state objects with recording seams around one generator run,
// over a library of the test's or the installed one.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "aspectarian/aspectarian_state.h"
#include "core/swe_library.h"
#include "output/data_buffer.h"
#include "output/run_context.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_folder.h"

namespace novarel::test {

class CountingWindows final : public GeneratorWindows {
public:
    void runStarted() override { ++started; }
    void runFinished() override { ++finished; }
    int started = 0;
    int finished = 0;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct GeneratorRig {
    // Without a library of the test's, the installed ephemeris files answer.
    explicit GeneratorRig(EphemerisLibrary* fake = nullptr, std::string dir = "/nonexistent")
        : installed(fake ? nullptr : std::make_unique<SweLibrary>()),
          library(fake ? *fake : *installed),
          folder(std::move(dir)) {
        if (installed) installed->set_ephe_path(EphemerisPathFor("/nonexistent"));
        options = OptionValues::Factory();
        state.DateOrder = 2;
    }
    // The date boxes and the days box as the input window fills them; 0 days
    // is a full month.
    void Request(const std::string& y, const std::string& m, const std::string& d, int days) {
        request.txtYear = y;
        request.txtMonth = m;
        request.txtDay = d;
        request.chkFullMonth = days == 0;
        request.NumberOfDays = static_cast<std::int16_t>(days == 0 ? 30 : days);
    }
    RunContext context() {
        return RunContext{request,  state,   options, library, messages,
                          progress, windows, buffer,  names,   folder};
    }

    std::unique_ptr<SweLibrary> installed;
    EphemerisLibrary& library;
    CalcRequest request;
    RunState state;
    OptionValues options;
    RecordingMessages messages;
    RecordingProgress progress;
    CountingWindows windows;
    RecordingView view;
    DataBuffer buffer{messages, view};
    LocaleNames names = LocaleNames::English();
    std::string folder;
    AspectarianState aspectarian;
};

// The rows of an ephemeris table: lines after the header that are not empty.
inline std::vector<std::string> Rows(const std::vector<std::string>& table) {
    std::vector<std::string> rows;
    for (std::size_t i = HeaderLineCount + 1; i < table.size(); ++i)
        if (!table[i].empty()) rows.push_back(table[i]);
    return rows;
}

}  // namespace novarel::test
