// The text of the ephemeris tables: header block, body cells, marks, and the
// columns of every row under the headings (also as UTF-8 with wide signs).
#include <gtest/gtest.h>

#include <regex>

#include "core/glyphs.h"
#include "ephemeris/ephemeris_tables.h"
#include "tests/ephemeris/ephemeris_test_support.h"

namespace novarel {
namespace {
using test::EphemerisRig;
using test::FixedLibrary;

const std::string Aries(1, '\xC0');
const std::string Taurus(1, '\xC1');
const std::string North(1, '\x98');
const std::string South(1, '\x9A');

// True when text begins with head (gtest prints both when it fails).
::testing::AssertionResult BeginsWith(const std::string& text, const std::string& head) {
    if (text.compare(0, head.size(), head) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "'" << text << "' does not begin with '" << head << "'";
}

// One day, 1 January 2000 at noon, every body placed by the test.
struct OneDay {
    FixedLibrary lib;
    EphemerisRig rig{lib};
    OneDay() {
        rig.setStart("2000", "1", "1");
        rig.setDays(1);
        rig.setMidnight(false);
        for (int body = 0; body <= 11; ++body) {
            lib.ecliptic[static_cast<std::size_t>(body)] = {15 + 7.3 / 60, 1.5, 0.1};
            lib.equatorial[static_cast<std::size_t>(body)] = {38.808333333, -23.5, 0.2};
        }
    }
    std::string row(EphemerisTable t) {
        const auto rows = test::Rows(TableLines(rig.state, t));
        return rows.empty() ? std::string() : rows.front();
    }
};

TEST(EphemerisLayout, HeaderBlock) {
    OneDay day;
    ASSERT_EQ(day.rig.run(), RunOutcome::Completed);
    const RunState& s = day.rig.state;
    for (EphemerisTable t : EphemerisTables) {
        const auto& lines = TableLines(s, t);
        ASSERT_EQ(lines.size(), 8u);  // seven header lines and the row
        EXPECT_EQ(lines[0], "");
        EXPECT_TRUE(BeginsWith(lines[1], "  Tropical Ephemeris - Saturday, 01 Jan 2000 at noon, Greenwich   SVP = "));
        EXPECT_EQ(lines[2], std::string(23, ' ') + "Julian Day = 2451545.0" + std::string(7, ' ') +
                                "Geocentric - An '!' symbol instead of a '.' denotes a Rx planet.");
        EXPECT_EQ(lines[3], "");
        EXPECT_EQ(lines[4].substr(7), "   Sidereal Time    Sun      Moon     Mercury    Venus     "
                                      "Mars     Jupiter   Saturn    Uranus    Neptune   Pluto    N.  Node");
        EXPECT_EQ(lines[5], "  ------  ------------- --------  --------  --------  --------  "
                            "--------  --------  --------  --------  --------  --------  --------");
    }
    EXPECT_EQ(s.LongitudeTable[4].substr(0, 7), "  Long.");
    EXPECT_EQ(s.LatitudeTable[4].substr(0, 7), "  Lat. ");
    EXPECT_EQ(s.RightAscensionTable[4].substr(0, 7), "  R.A. ");
    EXPECT_EQ(s.DeclinationTable[4].substr(0, 7), "  Decl.");

    // The units line: degree and minute marks are bytes 186 and 146; the right
    // ascension table in hours has its own (option 11 is 1 in the factory set).
    const std::string units = s.LongitudeTable[6];
    EXPECT_EQ(units.size(), 131u);
    EXPECT_TRUE(BeginsWith(units, "            h  m  s      \xBA   \x92     \xBA"));
    EXPECT_EQ(std::count(units.begin(), units.end(), '\xBA'), 11);
    EXPECT_EQ(std::count(units.begin(), units.end(), '\x92'), 11);
    EXPECT_EQ(s.LatitudeTable[6], units);
    EXPECT_EQ(s.DeclinationTable[6], units);
    EXPECT_TRUE(BeginsWith(s.RightAscensionTable[6], "            h  m  s      h  m  s   h  m  s"));
    EXPECT_EQ(s.RightAscensionTable[6].size(), 132u);

    // Title: the sidereal point of the first day after the Greenwich text.
    const std::regex svp(
        "  Tropical Ephemeris - Saturday, 01 Jan 2000 at noon, Greenwich   SVP = 05\xCB"
        "[0-5][0-9]\\.[0-9][0-9]  True Ayanamsa = 23d [0-5][0-9]m [0-5][0-9]s ");
    EXPECT_TRUE(std::regex_match(s.LongitudeTable[1], svp)) << s.LongitudeTable[1];
    EXPECT_EQ(s.LatitudeTable[1], s.LongitudeTable[1]);
}

TEST(EphemerisLayout, HeaderVariants) {
    FixedLibrary lib;
    EphemerisRig rig(lib);
    rig.setStart("2018", "5", "3");
    rig.setDays(1);
    rig.setMidnight(true);
    rig.request.coordinates = Centre::Helio;
    rig.request.zodiac = Zodiac::Ayanamsa;
    rig.options[11] = 0;
    ASSERT_EQ(rig.run(), RunOutcome::Completed);
    const RunState& s = rig.state;
    EXPECT_TRUE(BeginsWith(s.LongitudeTable[1],
                           "  Ayanamsa Ephemeris - Thursday, 03 May 2018 at midnight, Greenwich   SVP = "));
    EXPECT_EQ(s.LongitudeTable[2], std::string(23, ' ') + "Julian Day = 2458241.5" +
                                       std::string(7, ' ') + "Heliocentric");
    // The zodiacal right ascension has the angle units.
    EXPECT_EQ(s.RightAscensionTable[6], s.LongitudeTable[6]);

    // The title follows the names of the regional language.
    EphemerisRig german(lib);
    german.setStart("2018", "5", "3");
    german.setDays(1);
    german.request.zodiac = Zodiac::Sidereal;
    german.names.weekday[4] = "Donnerstag";
    german.names.monthAbbrev[4] = "Mai";
    ASSERT_EQ(german.run(), RunOutcome::Completed);
    EXPECT_TRUE(BeginsWith(german.state.LongitudeTable[1],
                           "  Sidereal Ephemeris - Donnerstag, 03 Mai 2018 at noon, Greenwich   SVP = "));
    EXPECT_TRUE(BeginsWith(test::Rows(german.state.LongitudeTable).at(0), "  03 Mai  "));
}

TEST(EphemerisLayout, BodyCellsAndMarks) {
    OneDay day;
    // Sun's speed is never stored: it is never marked, whatever the library says.
    day.lib.ecliptic[0].speed = -1;
    day.lib.ecliptic[1] = {15 + 7.3 / 60, -0.3, -0.1};  // Moon: retrograde, south
    day.lib.equatorial[1] = {38.808333333, 1.5, -0.2};
    day.lib.ecliptic[11] = {0.0, 0.0, -0.05};          // true node at 0 Aries, going back
    ASSERT_EQ(day.rig.run(), RunOutcome::Completed);

    const std::string prefix = "  01 Jan   18 41 50.5  ";
    const std::string plain = " 15" + Aries + "07.3 ";
    const std::string retro = " 15" + Aries + "07!3 ";
    std::string lon = prefix + plain + " " + retro;
    for (int i = 3; i <= 10; ++i) lon += " " + plain;
    lon += " " + std::string(" 00") + Aries + "00!0 ";
    EXPECT_EQ(day.row(EphemerisTable::Longitude), lon);
    EXPECT_EQ(lon.size(), 132u);

    std::string lat = prefix + " 01" + North + "30.0 " + " " + " 00" + South + "18.0 ";
    for (int i = 3; i <= 10; ++i) lat += " " + std::string(" 01") + North + "30.0 ";
    lat += " " + std::string(" 00") + North + "00.0 ";
    EXPECT_EQ(day.row(EphemerisTable::Latitude), lat);

    std::string decl = prefix + " 23" + South + "30.0 " + " " + " 01" + North + "30.0 ";
    for (int i = 3; i <= 11; ++i) decl += " " + std::string(" 23") + South + "30.0 ";
    EXPECT_EQ(day.row(EphemerisTable::Declination), decl);

    // Hours, minutes, seconds: the mark takes the blank before the seconds and
    // every digit stays; the Sun is never marked.
    std::string ra = prefix + " " + "02 35 14 " + " " + "02 35!14 ";
    for (int i = 3; i <= 11; ++i) ra += " 02 35 14 ";
    EXPECT_EQ(day.row(EphemerisTable::RightAscension), ra);
}

TEST(EphemerisLayout, ZodiacalRightAscension) {
    OneDay day;
    day.rig.options[11] = 0;
    day.lib.equatorial[1].speed = -0.2;
    ASSERT_EQ(day.rig.run(), RunOutcome::Completed);
    std::string ra = "  01 Jan   18 41 50.5  " + std::string(" 08") + Taurus + "48.5 " + "  08" + Taurus +
                     "48!5 ";
    for (int i = 3; i <= 11; ++i) ra += "  08" + Taurus + "48.5 ";
    EXPECT_EQ(day.row(EphemerisTable::RightAscension), ra);
}

// First column of each rule of the rules line.
std::vector<int> DashGroupStarts(const std::string& rules) {
    std::vector<int> starts;
    for (std::size_t i = 0; i < rules.size(); ++i)
        if (rules[i] == '-' && (i == 0 || rules[i - 1] == ' ')) starts.push_back(static_cast<int>(i));
    return starts;
}

// Display columns of the characters of a UTF-8 line (zodiac signs are two wide).
std::vector<int> DisplayColumns(const std::string& utf8, std::vector<char32_t>& cps) {
    std::vector<int> cols;
    int col = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
        char32_t cp = len == 1 ? b : b & (0xFF >> (len + 1));
        for (int k = 1; k < len; ++k) cp = (cp << 6) | (utf8[i + static_cast<std::size_t>(k)] & 0x3F);
        cps.push_back(cp);
        cols.push_back(col);
        col += glyph::DisplayWidth(cp);
        i += static_cast<std::size_t>(len);
    }
    cols.push_back(col);
    return cols;
}

TEST(EphemerisLayout, EveryCellStandsUnderItsHeading) {
    for (const float raOption : {1.0f, 0.0f}) {
        OneDay day;
        day.rig.options[11] = raOption;
        day.lib.ecliptic[2] = {359.99, -7.2, -0.2};
        ASSERT_EQ(day.rig.run(), RunOutcome::Completed);
        for (EphemerisTable t : EphemerisTables) {
            const auto& lines = TableLines(day.rig.state, t);
            const std::vector<int> groups = DashGroupStarts(lines[5]);
            ASSERT_EQ(groups.size(), 13u);
            const std::string row = test::Rows(lines).at(0);
            SCOPED_TRACE(row);
            // Bytes: each body's first digit is the first column of its rule.
            for (int k = 0; k < 11; ++k) {
                const int at = groups[static_cast<std::size_t>(k + 2)];
                EXPECT_NE(row[static_cast<std::size_t>(at)], ' ') << "cell " << k;
                EXPECT_EQ(row[static_cast<std::size_t>(at - 1)], ' ') << "cell " << k;
            }
            // UTF-8 with the signs two columns wide: the same columns.
            std::vector<char32_t> cps;
            const std::vector<int> cols = DisplayColumns(glyph::LineToUtf8(row), cps);
            std::vector<int> cellStarts;
            for (std::size_t i = 1; i < cps.size(); ++i)
                if (cps[i] != U' ' && cps[i - 1] == U' ' && cols[i] > 21) cellStarts.push_back(cols[i]);
            if (t == EphemerisTable::RightAscension && raOption != 0) {
                // "hh mm ss": three groups of digits per cell.
                ASSERT_EQ(cellStarts.size(), 33u);
                for (int k = 0; k < 11; ++k)
                    EXPECT_EQ(cellStarts[static_cast<std::size_t>(3 * k)], groups[static_cast<std::size_t>(k + 2)]);
            } else {
                ASSERT_EQ(cellStarts.size(), 11u);
                for (int k = 0; k < 11; ++k)
                    EXPECT_EQ(cellStarts[static_cast<std::size_t>(k)], groups[static_cast<std::size_t>(k + 2)]);
                // And every cell ends within its rule.
                EXPECT_LE(cols.back() - 1, groups.back() + 7);
            }
        }
    }
}

}  // namespace
}  // namespace novarel
