#include "cli/standard_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace novarel::cli {

bool StandardOutputOpen() {
    if (::fcntl(STDOUT_FILENO, F_GETFD) != -1) return true;
    const int fd = ::open("/dev/null", O_WRONLY);
    if (fd >= 0 && fd != STDOUT_FILENO) {
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
    return false;
}

int WriteStandardOutput(std::string_view text) {
    errno = 0;
    int error = 0;
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        error = errno != 0 ? errno : EIO;
    errno = 0;
    if (std::fflush(stdout) != 0 && error == 0) error = errno != 0 ? errno : EIO;
    if (std::ferror(stdout) && error == 0) error = EIO;
    errno = 0;
    if (std::fclose(stdout) != 0 && error == 0) error = errno != 0 ? errno : EIO;
    return error;
}

void ReportOutputFailure(int error, const std::string& target) {
    std::fprintf(stderr, "novarel: cannot write %s: %s\n", target.c_str(), std::strerror(error));
}

}  // namespace novarel::cli
