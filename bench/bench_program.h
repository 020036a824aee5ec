#pragma once
// The program state a generator runs on, for a benchmark: a period of days
// from 1 January of a year, the library counted, nothing shown.
#include <string>

#include "bench/counting_library.h"
#include "bench/quiet_seams.h"
#include "core/swe_library.h"
#include "output/data_buffer.h"
#include "output/run_context.h"

namespace novarel::bench {

struct BenchProgram {
    BenchProgram(const char* year, int days) {
        library.set_ephe_path(EphemerisPathFor("."));
        options = OptionValues::Factory();
        state.DateOrder = 2;
        request.txtYear = year;
        request.txtMonth = "1";
        request.txtDay = "1";
        request.chkFullMonth = false;
        request.NumberOfDays = static_cast<std::int16_t>(days);
    }
    RunContext context() {
        return RunContext{request,  state,   options, counted, messages,
                          progress, windows, buffer,  names,   "."};
    }

    SweLibrary library;
    CountingLibrary counted{library};
    CalcRequest request;
    RunState state;
    OptionValues options;
    QuietMessages messages;
    ProgressSink progress;
    GeneratorWindows windows;
    QuietView view;
    DataBuffer buffer{messages, view};
    LocaleNames names = LocaleNames::English();
};

}  // namespace novarel::bench
