#pragma once
// Standard output with every write checked: a full disk, a closed stdout or
// a broken pipe is a failure of the run, never lost output with status 0.
#include <string>
#include <string_view>

namespace novarel::cli {

// True when file descriptor 1 is open. When it is not, /dev/null is put in
// its place, so that no file the run opens can take descriptor 1 and receive
// the output.
bool StandardOutputOpen();

// Writes the text, flushes and closes stdout; the errno of the first failure
// or 0.
int WriteStandardOutput(std::string_view text);

// "novarel: cannot write output: <reason>" on stderr, or the file's path in
// place of "output".
void ReportOutputFailure(int error, const std::string& target = "output");

}  // namespace novarel::cli
