#include "aspectarian/report_layout.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "core/fixed_format.h"

namespace novarel {
namespace {

constexpr std::size_t TitleLineCount = 6;
constexpr std::size_t HeadingWidth = 64;

double FieldValue(const std::string& line, std::size_t first) {
    if (line.size() <= first) return 0;
    return LeadingNumber(std::string_view(line).substr(first, 2));
}

std::string PaddedTo(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

void SortEventsByTime(std::vector<std::string>& lines, std::vector<AspectEvent>& events) {
    assert(events.size() == lines.size());
    const std::size_t n = std::min(lines.size(), events.size());
    for (std::size_t a = 0; a + 1 < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            const double ha = FieldValue(lines[a], 10);
            const double hb = FieldValue(lines[b], 10);
            if (ha > hb || (ha == hb && FieldValue(lines[a], 13) > FieldValue(lines[b], 13))) {
                std::swap(lines[a], lines[b]);
                std::swap(events[a], events[b]);
            }
        }
    }
}

void BlankRepeatedDates(std::vector<std::string>& lines) {
    for (std::size_t k = 1; k < lines.size(); ++k) {
        std::string& line = lines[k];
        if (line.size() < 4) continue;
        for (std::size_t c = 2; c < 8 && c < line.size(); ++c) line[c] = ' ';
    }
}

std::size_t LeftColumnWidth(const std::string&) {
    // Every left text as wide as the doubled heading: the right column then
    // starts under its own heading whatever the left text holds.
    return HeadingWidth;
}

std::vector<std::string> TwoColumnLines(const std::vector<std::string>& report) {
    std::vector<std::string> out;
    for (std::size_t k = 0; k < 4 && k < report.size(); ++k) out.push_back(report[k]);
    for (std::size_t k = 4; k < TitleLineCount && k < report.size(); ++k)
        out.push_back(PaddedTo(report[k], HeadingWidth) + report[k]);
    if (report.size() <= TitleLineCount) return out;
    const std::size_t n = report.size() - TitleLineCount;
    const std::size_t half = n / 2;
    for (std::size_t r = 0; r < half; ++r) {
        const std::string& left = report[TitleLineCount + r];
        const std::string& right = report[TitleLineCount + half + r];
        out.push_back(PaddedTo(left, LeftColumnWidth(left)) + right);
    }
    return out;
}

}  // namespace novarel
