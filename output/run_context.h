#pragma once
// What a generator works on: the program's state objects and the seams, by reference.
#include <string>

#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/locale_names.h"
#include "core/option_values.h"
#include "core/run_state.h"
#include "core/seams.h"

namespace novarel {

class DataBuffer;

// How a generator run ended.
enum class RunOutcome {
    Completed,
    InvalidInput,  // the date check reported; nothing was shown or written
    Failed,        // reported with a message (a data file could not be written)
};

struct RunContext {
    CalcRequest& request;
    RunState& state;
    const OptionValues& options;
    EphemerisLibrary& library;
    MessageSink& messages;
    ProgressSink& progress;
    GeneratorWindows& windows;
    DataBuffer& buffer;
    const LocaleNames& names;
    std::string programDirectory;
};

}  // namespace novarel
