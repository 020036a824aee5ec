#pragma once
// The one object that owns the program's state: the calculation request, the
// run state, the data buffer, the option values and the ephemeris library.
// Front ends make one, hand it their seams, and drive it.
#include <memory>
#include <string>

#include "aspectarian/aspectarian_state.h"
#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/locale_names.h"
#include "core/option_values.h"
#include "core/run_context.h"
#include "core/run_state.h"
#include "core/seams.h"
#include "output/data_buffer.h"

namespace novarel {

struct ProgramSeams {
    MessageSink& messages;
    ProgressSink& progress;
    DataView& view;
    GeneratorWindows& windows;
};

class Program {
public:
    Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
            ProgramSeams seams, LocaleNames names);

    // Library path and options file, as the first steps of start-up.
    void InitialiseLibraryAndOptions();

    RunContext context();

    const std::string& programDirectory() const { return programDirectory_; }
    CalcRequest request;
    RunState state;
    OptionValues options;
    AspectarianState aspectarian;
    DataBuffer buffer;
    LocaleNames names;
    EphemerisLibrary& library() { return *library_; }
    ProgramSeams& seams() { return seams_; }

private:
    std::string programDirectory_;
    std::unique_ptr<EphemerisLibrary> library_;
    ProgramSeams seams_;
};

}  // namespace novarel
