#pragma once
// --help with one line per option: the option, its value, its text (which
// names the default). Which options exclude each other is said in the texts.
#include <CLI/CLI.hpp>
#include <string>

namespace novarel::cli {

class OnePerLineFormatter final : public CLI::Formatter {
public:
    OnePerLineFormatter() { column_width(46); }
    std::string make_option_opts(const CLI::Option* option) const override {
        if (option->get_type_size() == 0 || option->get_type_name().empty()) return {};
        return " " + option->get_type_name();
    }
};

}  // namespace novarel::cli
