#include "render/cups_job.h"

#include <cups/cups.h>

namespace novarel::render {

bool IsPrintQueue(const std::string& queue) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (dest == nullptr) return false;
    cupsFreeDests(1, dest);
    return true;
}

bool SendPostScriptJob(const std::string& queue, const std::string& title,
                       const std::string& postscript, const JobOptions& options) {
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.c_str(), value.c_str(), count, &cupsOptions);
    const int job =
        cupsCreateJob(CUPS_HTTP_DEFAULT, queue.c_str(), title.c_str(), count, cupsOptions);
    bool ok = job > 0;
    if (ok)
        ok = cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), job, title.c_str(),
                               CUPS_FORMAT_POSTSCRIPT, 1) == HTTP_STATUS_CONTINUE &&
             cupsWriteRequestData(CUPS_HTTP_DEFAULT, postscript.data(), postscript.size()) ==
                 HTTP_STATUS_CONTINUE;
    if (job > 0) ok = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) == IPP_STATUS_OK && ok;
    // A document cut short is not printed.
    if (job > 0 && !ok) cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 0);
    cupsFreeOptions(count, cupsOptions);
    return ok;
}

}  // namespace novarel::render
