#include "app/date_order.h"

#include <langinfo.h>

#include "core/fixed_format.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "core/text_lines.h"

namespace novarel {

std::optional<std::int16_t> DateOrderFromIni(std::string_view text) {
    std::optional<std::int16_t> found;
    for (const std::string_view line : SplitLines(text)) {
        if (line.size() >= 5) {
            std::string key(line.substr(0, 5));
            for (auto& c : key) c = static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
            if (key == "idate") {
                const std::size_t eq = line.find('=');
                std::string_view value = eq == std::string_view::npos ? line : line.substr(eq + 1);
                std::int16_t v = 0;
                if (!ToInt16(LeadingNumber(value), v)) v = 0;
                found = v;
            }
        }
    }
    return found;
}

std::int16_t DateOrderFromFormat(std::string_view format) {
    std::string expanded;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char c = format[i + 1];
            if (c == 'D') {
                expanded += "%m/%d/%y";
                ++i;
                continue;
            }
            if (c == 'F') {
                expanded += "%Y-%m-%d";
                ++i;
                continue;
            }
        }
        expanded += format[i];
    }
    auto pos = [&](std::string_view a, std::string_view b) {
        std::size_t p = expanded.find(a);
        std::size_t q = expanded.find(b);
        return std::min(p, q);
    };
    const std::size_t d = pos("%d", "%e");
    const std::size_t m = pos("%m", "%b");
    const std::size_t y = pos("%y", "%Y");
    if (d == std::string::npos || m == std::string::npos || y == std::string::npos) return 0;
    if (y < m && m < d) return 2;
    if (d < m) return 1;
    return 0;
}

std::int16_t DetectDateOrder(const std::string& iniPath) {
    if (!iniPath.empty()) {
        if (auto text = ReadWholeFile(iniPath))
            if (auto order = DateOrderFromIni(*text)) return *order;
    }
    const char* fmt = nl_langinfo(D_FMT);
    return fmt ? DateOrderFromFormat(fmt) : 0;
}

void ReportIniTooLarge(const std::string& iniPath, MessageSink& messages) {
    if (iniPath.empty() || !IsTooLargeToRead(iniPath)) return;
    messages.showMessage("The ini file " + TooLargeText(iniPath) +
                             " and is not read. The date order comes from the locale.",
                         msg::TitleWarning, MessageIcon::Exclamation);
}

}  // namespace novarel
