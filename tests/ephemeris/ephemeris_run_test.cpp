// The ephemeris run: the period, Sunday breaks, the seams and
// views and the data file names. A data file that cannot be written is met
// at the command line (tests/cli: commands_test, file_faults_test).
// The bytes of tables and files (the Julian Day and sidereal time at noon
// and midnight among them) are checked by the golden cases (tests/cli) and
// cell by cell against swetest (ephemeris_swetest_test.cpp).
#include <gtest/gtest.h>

#include "core/julian_day.h"
#include "ephemeris/ephemeris_generator.h"
#include "ephemeris/ephemeris_tables.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {
using test::GeneratorRig;
using test::RecordingLibrary;
using test::TempFolder;

TEST(EphemerisRun, PeriodOfTheRequest) {
    struct Case {
        const char *y, *m, *d;
        int days;  // 0: full month
        std::size_t rows;
        const char *first, *last;
        double dayJD;  // after the run: the last day computed, or the day that ended a full month
    };
    for (const Case& c :
         {Case{"2018", "2", "15", 0, 28, "01 Feb", "28 Feb", CalendarToJulianDay(2018, 3, 1)},
          Case{"2016", "2", "9", 0, 29, "01 Feb", "29 Feb", CalendarToJulianDay(2016, 3, 1)},
          Case{"2100", "12", "9", 0, 31, "01 Dec", "31 Dec", CalendarToJulianDay(2101, 1, 1)},
          // A typed day off the calendar starts on the day it carries to.
          Case{"2018", "2", "31", 2, 2, "03 Mar", "04 Mar", CalendarToJulianDay(2018, 3, 4)},
          Case{"2019", "12", "31", 1, 1, "31 Dec", "31 Dec", CalendarToJulianDay(2019, 12, 31)},
          Case{"2019", "12", "31", 366, 366, "31 Dec", "30 Dec", CalendarToJulianDay(2020, 12, 30)},
          // A stored days value above the cap.
          Case{"2019", "12", "31", 500, 367, "31 Dec", "31 Dec",
               CalendarToJulianDay(2020, 12, 31)}}) {
        SCOPED_TRACE(std::string(c.y) + "/" + c.m + "/" + c.d + " days " + std::to_string(c.days));
        RecordingLibrary lib;
        GeneratorRig rig(&lib);
        rig.Request(c.y, c.m, c.d, c.days);
        RunContext ctx = rig.context();
        ASSERT_EQ(GenerateEphemeris(ctx), RunOutcome::Completed);
        for (EphemerisTable t : EphemerisTables) {
            const auto rows = test::Rows(TableLines(rig.state, t));
            ASSERT_EQ(rows.size(), c.rows);
            EXPECT_EQ(rows.front().substr(2, 6), c.first);
            EXPECT_EQ(rows.back().substr(2, 6), c.last);
        }
        EXPECT_EQ(rig.state.DayJD, c.dayJD);
        if (c.days == 0) {
            EXPECT_EQ(rig.request.txtDay, "1");
            EXPECT_EQ(rig.request.NumberOfDays, 31);
        }
        if (c.days != 0) {
            EXPECT_EQ(rig.state.history.longitude.days(), static_cast<int>(c.rows));
        }
        if (c.days == 1) {
            EXPECT_TRUE(rig.progress.percents.empty());
        }
    }
}

TEST(EphemerisRun, SundayBreaksNotBeforeTheFirstRow) {
    RecordingLibrary lib;
    GeneratorRig rig(&lib);
    rig.Request("2018", "2", "4", 9);  // a Sunday
    RunContext ctx = rig.context();
    ASSERT_EQ(GenerateEphemeris(ctx), RunOutcome::Completed);
    for (EphemerisTable t : EphemerisTables) {
        const auto& lines = TableLines(rig.state, t);
        ASSERT_EQ(lines.size(), 7u + 9u + 1u);
        EXPECT_EQ(lines[7].substr(2, 6), "04 Feb");
        EXPECT_EQ(lines[14], "");
        EXPECT_EQ(lines[15].substr(2, 6), "11 Feb");
    }
}

TEST(EphemerisRun, SeamsAndTheViewsOfTheStoredTables) {
    RecordingLibrary lib;
    GeneratorRig rig(&lib);
    rig.Request("2018", "5", "3", 5);
    rig.request.dataOutput = DataOutput::Latitude;
    RunContext ctx = rig.context();
    ASSERT_EQ(GenerateEphemeris(ctx), RunOutcome::Completed);
    EXPECT_EQ(rig.progress.events, (std::vector<std::string>{"busy", "load", "unload", "normal"}));
    EXPECT_EQ(rig.progress.percents, (std::vector<float>{0, 25, 50, 75, 100}));
    EXPECT_EQ(rig.windows.started, 1);
    EXPECT_EQ(rig.windows.finished, 1);

    // The page: the table's lines, then the empty line and entry of the page.
    auto pageOf = [](const std::vector<std::string>& table) {
        std::string text;
        for (const auto& l : table) text += l + "\r\n";
        return text + "\r\n\r\n\r\n";
    };
    EXPECT_EQ(rig.view.text, pageOf(rig.state.LatitudeTable));
    // Another coordinate comes from the stored tables, without the library.
    const std::size_t calls = lib.calls.size();
    ShowTable(ctx, DataOutput::Declination);
    EXPECT_EQ(rig.view.text, pageOf(rig.state.DeclinationTable));
    EXPECT_EQ(lib.calls.size(), calls);
}

TEST(EphemerisRun, DataFileNamesByDateOrderZodiacAndCentre) {
    struct Case {
        std::int16_t order;
        Zodiac zodiac;
        Centre centre;
        const char *y, *m, *d, *longitudeFile;
    };
    for (const Case& c :
         {Case{2, Zodiac::Tropical, Centre::Geo, "2018", "5", "3", "180503LO.TEG"},
          Case{1, Zodiac::Sidereal, Centre::Helio, "2018", "5", "3", "030518LO.SEH"},
          Case{0, Zodiac::Ayanamsa, Centre::Geo, "2018", "5", "3", "050318LO.AEG"},
          Case{2, Zodiac::Tropical, Centre::Helio, "1800", "1", "1", "000101LO.TEH"},
          Case{2, Zodiac::Tropical, Centre::Geo, "2018", "2", "3a", "180203LO.TEG"}}) {
        RecordingLibrary lib;
        TempFolder dir;
        GeneratorRig rig(&lib, dir.str());
        rig.state.DateOrder = c.order;
        rig.request.zodiac = c.zodiac;
        rig.request.coordinates = c.centre;
        rig.request.chkSaveData = true;
        rig.Request(c.y, c.m, c.d, 1);
        RunContext ctx = rig.context();
        ASSERT_EQ(GenerateEphemeris(ctx), RunOutcome::Completed);
        const std::string stem = std::string(c.longitudeFile).substr(0, 6);
        const std::string ext = std::string(c.longitudeFile).substr(8);
        EXPECT_EQ(dir.entries(),
                  (std::vector<std::string>{stem + "DE" + ext, stem + "LA" + ext, stem + "LO" + ext,
                                            stem + "RA" + ext, "novarel_SE.lock"}));
    }
}

}  // namespace
}  // namespace novarel
