#pragma once
// --help with one entry per option: the option and its value, then its text
// (which names the default), wrapped so that no line passes HelpWidth
// columns. Which options exclude each other is said in the texts.
#include <CLI/CLI.hpp>
#include <string>

namespace novarel::cli {

inline constexpr std::size_t HelpWidth = 100;
inline constexpr std::size_t HelpColumn = 44;  // where the texts start

// The text broken between words into lines of at most `width` characters.
inline std::string WrappedText(const std::string& text, std::size_t width) {
    std::string out;
    std::size_t lineLength = 0;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t blank = text.find(' ', from);
        if (blank == std::string::npos) blank = text.size();
        const std::size_t wordLength = blank - from;
        if (lineLength > 0 && lineLength + 1 + wordLength > width) {
            out += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out.append(text, from, wordLength);
        lineLength += wordLength;
        from = blank + 1;
    }
    return out;
}

class OnePerLineFormatter final : public CLI::Formatter {
public:
    OnePerLineFormatter() { column_width(HelpColumn); }
    std::string make_option_opts(const CLI::Option* option) const override {
        if (option->get_type_size() == 0 || option->get_type_name().empty()) return {};
        return " " + option->get_type_name();
    }
    std::string make_option_desc(const CLI::Option* option) const override {
        return WrappedText(option->get_description(), HelpWidth - HelpColumn);
    }
};

}  // namespace novarel::cli
