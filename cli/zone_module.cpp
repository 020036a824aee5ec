// The time-zone database's functions for the command line, taken from the
// zone module the first time a zone other than UT is asked for: the module
// brings the database library and the shared C++ runtime, which runs in UT
// then never load.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <type_traits>

#include "app/program_folder.h"
#include "core/zone_database.h"

namespace novarel::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* ZoneModuleFile = "novarel_zones.so";

struct ZoneModule {
    decltype(&novarel_zone_find) find = nullptr;
    decltype(&novarel_zone_offset_at) offsetAt = nullptr;
    decltype(&novarel_zone_reading) reading = nullptr;
};

[[noreturn]] void ModuleFailed(const fs::path& module, const std::string& reason) {
    std::fprintf(stderr, "novarel: --tz needs the time-zone module %s: %s\n", module.c_str(),
                 reason.c_str());
    std::exit(1);
}

// The module beside the executable (a build folder), else where it is
// installed; without it the run cannot go on, and ends with the reason.
ZoneModule OpenZoneModule() {
    const fs::path executable = ExecutableFolder();
    const fs::path beside = executable / ZoneModuleFile;
    const fs::path installed =
        (executable / NOVAREL_MODULE_FROM_BIN / ZoneModuleFile).lexically_normal();
    fs::path module = beside;
    if (::access(beside.c_str(), F_OK) != 0) module = installed;
    if (::access(module.c_str(), F_OK) != 0)
        ModuleFailed(beside, "neither it nor " + installed.string() + " exists");
    // The module stays loaded: the zones it hands out live in it.
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) ModuleFailed(module, ::dlerror());
    ZoneModule found;
    const auto take = [&](auto& function, const char* name) {
        void* symbol = ::dlsym(handle, name);
        if (symbol == nullptr) ModuleFailed(module, std::string("it has no ") + name);
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(symbol);
    };
    take(found.find, NOVAREL_ZONE_FIND);
    take(found.offsetAt, NOVAREL_ZONE_OFFSET_AT);
    take(found.reading, NOVAREL_ZONE_READING);
    return found;
}

// Opened once per process; the function table never changes afterwards.
const ZoneModule& Module() {
    static const ZoneModule module = OpenZoneModule();
    return module;
}

}  // namespace
}  // namespace novarel::cli

extern "C" {

const NovarelZone* novarel_zone_find(const char* name) noexcept {
    return novarel::cli::Module().find(name);
}

int novarel_zone_offset_at(const NovarelZone* zone, long long utSeconds, char* abbreviation,
                           size_t size) noexcept {
    return novarel::cli::Module().offsetAt(zone, utSeconds, abbreviation, size);
}

int novarel_zone_reading(const NovarelZone* zone, long long localSeconds, int* firstOffset,
                         long long* jumpUtSeconds) noexcept {
    return novarel::cli::Module().reading(zone, localSeconds, firstOffset, jumpUtSeconds);
}

}  // extern "C"
