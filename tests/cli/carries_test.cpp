// Cells whose minutes or seconds round to 60, as novarel prints them, against
// the library's swetest tool (tests/data/swetest_carries.txt holds its output
// with the command lines). The expected text is made here from the swetest
// value by whole-unit rounding, so a field can never read 60.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "tests/cli/cli_run.h"

namespace novarel {
namespace {

struct CarryCase {
    std::string args;
    int body = 0;  // 0: the sidereal time
    std::string table;
    std::vector<std::string> output;  // swetest's lines
};

std::vector<CarryCase> LoadCases() {
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/swetest_carries.txt");
    std::vector<CarryCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0) {
            const std::size_t a = line.find(" | "), b = line.find(" | ", a + 3);
            cases.push_back({line.substr(3, a - 3),
                             std::stoi(line.substr(a + 3, b - a - 3)),
                             line.substr(b + 3),
                             {}});
        } else if (!line.empty() && line[0] != '#' && line[0] != '$' && !cases.empty()) {
            cases.back().output.push_back(line);
        }
    }
    return cases;
}

// The number after the name on the line that starts with name.
double Value(const std::vector<std::string>& lines, const std::string& name) {
    for (const auto& l : lines)
        if (l.rfind(name, 0) == 0) return std::stod(l.substr(name.size()));
    ADD_FAILURE() << "no " << name << " line";
    return 0;
}

// "-0° 0' 2.0037" (the first angle after name) in seconds of arc.
double FirstDmsSeconds(const std::vector<std::string>& lines, const std::string& name) {
    const std::regex dms(R"((-?)(\d+)° *(\d+)' *([\d.]+))");
    for (const auto& l : lines) {
        std::smatch m;
        if (l.rfind(name, 0) == 0 && std::regex_search(l, m, dms)) {
            const double s = std::stod(m[2]) * 3600 + std::stod(m[3]) * 60 + std::stod(m[4]);
            return m[1] == "-" ? -s : s;
        }
    }
    ADD_FAILURE() << "no " << name << " line";
    return 0;
}

std::string Two(long long v) { return (v < 10 ? "0" : "") + std::to_string(v); }
std::string Glyph(int code) { return std::string(1, static_cast<char>(code)); }

// " dd" + sign glyph + "mm.m" (or N/S for plain degrees) of an angle, from
// tenths of minutes of arc.
std::string DegreeCell(double degrees, bool signs) {
    const long long tenths = std::llround(std::fabs(degrees) * 600);
    const long long wholeDegrees = tenths / 600, minuteTenths = tenths % 600;
    std::string cell = " ";
    if (signs) {
        const long long inCircle = wholeDegrees % 360;
        cell += Two(inCircle % 30) + Glyph(192 + static_cast<int>(inCircle / 30));
    } else {
        cell += Two(wholeDegrees) + Glyph(degrees >= 0 ? 152 : 154);  // N, S
    }
    return cell + Two(minuteTenths / 10) + "." + std::to_string(minuteTenths % 10);
}

// The single row of a one-day table in the single-byte text.
std::string Row(const std::string& text, const std::string& args) {
    std::istringstream in(text);
    const std::string day = args.substr(args.find("--start ") + 16, 2);
    for (std::string line; std::getline(in, line);)
        if (line.size() > 100 && line.compare(2, 2, day) == 0) return line;
    ADD_FAILURE() << "no row in " << text;
    return {};
}

TEST(Carries, FieldsThatRoundToSixtyCarryUpwardAsSwetestSays) {
    const auto cases = LoadCases();
    ASSERT_EQ(cases.size(), 4u);
    for (const auto& c : cases) {
        SCOPED_TRACE("novarel " + c.args);
        clitest::ProgramFolder dir;
        const std::size_t blank = c.args.find(' ');
        const auto r = clitest::RunNovarel(dir, c.args.substr(0, blank),
                                           c.args.substr(blank + 1) + " --encoding cp1252");
        ASSERT_EQ(r.status, 0) << r.err;
        std::string row = Row(r.out, c.args);
        ASSERT_FALSE(row.empty());
        if (c.table == "sidereal") {
            // swetest gives the apparent sidereal time; the tables print the
            // mean one: take away the equation of the equinoxes.
            const double eps = FirstDmsSeconds(c.output, "Epsilon") / 3600 * M_PI / 180;
            const double apparent = Value(c.output, "Sidereal Time") / 15 * 3600;
            const double mean =
                apparent - FirstDmsSeconds(c.output, "Nutation") * std::cos(eps) / 15;
            const long long tenths = std::llround(mean * 10) % 864000;
            const long long s = tenths / 10;
            const std::string secs = std::to_string(s % 60) + "." + std::to_string(tenths % 10);
            auto pad3 = [](const std::string& t) {
                return std::string(3 - std::min<std::size_t>(3, t.size()), ' ') + t;
            };
            EXPECT_EQ(row.substr(8, 13), "  " + pad3(std::to_string(s / 3600)) +
                                             pad3(std::to_string(s / 60 % 60)) +
                                             std::string(s % 60 < 10 ? "  " : " ") + secs);
            continue;
        }
        const std::string name = c.output.front().substr(0, c.output.front().find(' '));
        const double v = Value(c.output, name);
        if (c.table == "ra") {
            const std::size_t at = 24 + 10 * static_cast<std::size_t>(c.body - 1);
            std::string cell = row.substr(at, 8);
            EXPECT_EQ(cell[5], '!');  // retrograde: the mark keeps its place
            cell[5] = ' ';
            const long long s = std::llround(v / 15 * 3600) % 86400;
            EXPECT_EQ(cell, Two(s / 3600) + " " + Two(s / 60 % 60) + " " + Two(s % 60));
        } else {
            const std::size_t at = 23 + 10 * static_cast<std::size_t>(c.body - 1);
            EXPECT_EQ(row.substr(at, 8), DegreeCell(v, c.table == "longitude"));
        }
    }
}

}  // namespace
}  // namespace novarel
