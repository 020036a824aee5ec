#include "cli/render_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/program_folder.h"
#include "render/pdf_book.h"

namespace novarel::cli {

namespace fs = std::filesystem;

// Beside the executable (a build folder), else where it is installed.
void* RenderModuleEntry(const char* option, const char* entry) {
    const fs::path executable = ExecutableFolder();
    const fs::path places[] = {
        executable / render::PdfModuleFile,
        (executable / NOVAREL_RENDER_MODULE_FROM_BIN / render::PdfModuleFile).lexically_normal()};
    for (const fs::path& module : places) {
        if (::access(module.c_str(), F_OK) != 0) continue;
        // Qt stays loaded once opened: it cannot be unloaded safely.
        void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            std::fprintf(stderr, "novarel: %s cannot load the printing module %s: %s\n", option,
                         module.c_str(), ::dlerror());
            return nullptr;
        }
        if (void* found = ::dlsym(handle, entry)) return found;
        std::fprintf(stderr, "novarel: %s: the printing module %s has no %s\n", option,
                     module.c_str(), entry);
        return nullptr;
    }
    std::fprintf(stderr,
                 "novarel: %s needs the printing module %s or %s, neither of which exists\n",
                 option, places[0].c_str(), places[1].c_str());
    return nullptr;
}

}  // namespace novarel::cli
