#include "core/text_lines.h"

namespace novarel {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        std::string_view line =
            text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return lines;
}

std::vector<std::string> TextLines(std::string_view text) {
    const std::vector<std::string_view> views = SplitLines(text);
    return std::vector<std::string>(views.begin(), views.end());
}

}  // namespace novarel
