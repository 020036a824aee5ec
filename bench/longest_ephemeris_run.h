#pragma once
// The state and silent seams of the longest ephemeris run (2020-01-01 at
// noon, day index 0..366, all four tables), shared by the benchmarks that
// time it with and without its data files.
#include <string>

#include "bench/quiet_seams.h"
#include "core/position_service.h"
#include "core/swe_library.h"
#include "ephemeris/ephemeris_generator.h"
#include "output/data_buffer.h"

namespace novarel::bench {

struct LongestEphemerisRun {
    explicit LongestEphemerisRun(std::string folder)
        : ctx{request,  state,   options, library, messages,
              progress, windows, buffer,  names,   std::move(folder)} {
        library.set_ephe_path(EphemerisPathFor("."));
        state.DateOrder = 2;
    }

    // One whole run from an empty buffer; false when it did not complete.
    bool Run(bool saveDataFiles) {
        request.txtYear = "2020";
        request.txtMonth = "1";
        request.txtDay = "1";
        request.chkFullMonth = false;
        request.chkSaveData = saveDataFiles;
        request.NumberOfDays = MaxDayIndex + 1;
        state.NoonFlag = 1;
        buffer.EmptyData();
        buffer.ClearPage();
        return GenerateEphemeris(ctx) == RunOutcome::Completed;
    }

    SweLibrary library;
    QuietMessages messages;
    QuietView view;
    ProgressSink progress;
    GeneratorWindows windows;
    DataBuffer buffer{messages, view};
    CalcRequest request;
    RunState state;
    const OptionValues options = OptionValues::Factory();
    const LocaleNames names = LocaleNames::English();
    RunContext ctx;
};

}  // namespace novarel::bench
