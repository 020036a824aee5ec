#pragma once
// The ephemeris library of a thread that runs periods one after another.
// The library keeps its open files and caches per thread; a fresh library
// for every period would close them and read the files' heads again each
// month. Each period's Program still owns a library object of its own: a
// view onto the thread's library that passes the ephemeris path on only
// when it changes, so the files stay open between periods. What a period
// gets does not depend on the periods before it on the thread: the library
// starts afresh by itself whenever a call leaves the block of files of the
// calls before it (see SweLibrary).
#include <memory>
#include <string>

#include "core/ephemeris_library.h"
#include "core/swe_library.h"

namespace novarel::cli {

class ThreadLibrary {
public:
    // A library object for one period's Program; it must not outlive this.
    std::unique_ptr<EphemerisLibrary> view();

    void setPath(const std::string& path);
    EphemerisLibrary& library() { return library_; }

private:
    SweLibrary library_;
    std::string path_;
    bool pathSet_ = false;
};

}  // namespace novarel::cli
