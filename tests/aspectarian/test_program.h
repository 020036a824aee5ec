#pragma once
// The state objects and recording seams a generator run needs, with the real
// library or a fake one.
#include <memory>
#include <string>

#include "aspectarian/aspectarian_state.h"
#include "core/run_context.h"
#include "core/swe_library.h"
#include "output/data_buffer.h"
#include "tests/support/fakes.h"

namespace novarel::test {

class RecordingWindows final : public GeneratorWindows {
public:
    void runStarted() override { ++started; }
    void runFinished() override { ++finished; }
    int started = 0;
    int finished = 0;
};

struct TestProgram {
    explicit TestProgram(std::unique_ptr<EphemerisLibrary> lib = nullptr)
        : library(lib ? std::move(lib) : RealLibrary()) {
        options = OptionValues::Factory();
        state.DateOrder = 2;
    }

    static std::unique_ptr<EphemerisLibrary> RealLibrary() {
        auto lib = std::make_unique<SweLibrary>();
        lib->set_ephe_path(EphemerisPathFor("/nonexistent"));
        return lib;
    }

    // The date boxes and the days box as the input window would fill them.
    void Request(const std::string& year, const std::string& month, const std::string& day,
                 int days) {
        request.txtYear = year;
        request.txtMonth = month;
        request.txtDay = day;
        request.chkFullMonth = days == 0;
        request.NumberOfDays = static_cast<std::int16_t>(days == 0 ? 30 : days);
    }

    RunContext context() {
        return RunContext{request, state,   options, *library, messages,
                          progress, windows, buffer, names,    directory};
    }

    CalcRequest request;
    RunState state;
    OptionValues options;
    std::unique_ptr<EphemerisLibrary> library;
    RecordingMessages messages;
    RecordingProgress progress;
    RecordingWindows windows;
    RecordingView view;
    DataBuffer buffer{messages, view};
    LocaleNames names = LocaleNames::English();
    std::string directory = "/nonexistent";
    AspectarianState aspectarian;
};

}  // namespace novarel::test
