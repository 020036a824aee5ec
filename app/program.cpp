#include "app/program.h"

#include "app/options_file.h"
#include "core/swe_library.h"

namespace novarel {

Program::Program(std::string programDirectory, std::unique_ptr<EphemerisLibrary> library,
                 ProgramSeams seams, LocaleNames names_)
    : buffer(seams.messages, seams.view),
      names(std::move(names_)),
      programDirectory_(std::move(programDirectory)),
      library_(std::move(library)),
      seams_(seams) {}

void Program::InitialiseLibraryAndOptions() {
    library_->set_ephe_path(EphemerisPathFor(programDirectory_));
    LoadOptionsAtStartup(programDirectory_, options, seams_.messages);
}

RunContext Program::context() {
    return RunContext{request,           state,           options, *library_, seams_.messages,
                      seams_.progress,   seams_.windows,  buffer,  names,     programDirectory_};
}

}  // namespace novarel
