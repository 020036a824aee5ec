// The data files of "Save data to file": names, bytes, and what a file that
// cannot be written does to the run.
#include <gtest/gtest.h>

#include <filesystem>

#include "ephemeris/ephemeris_tables.h"
#include "tests/ephemeris/ephemeris_test_support.h"

namespace novarel {
namespace {
using test::EphemerisRig;
using test::ReadBytes;
using test::RecordingLibrary;
using test::TempFolder;

TEST(EphemerisFiles, NamesAndBytes) {
    RecordingLibrary lib;
    TempFolder dir;
    // An older file of the same name is replaced.
    { std::ofstream(dir.file("180503LO.TEG")) << "older text that is longer than nothing"; }
    EphemerisRig rig(lib, dir.str());
    rig.request.chkSaveData = true;
    rig.setStart("2018", "5", "3");
    rig.setDays(5);  // 6 May 2018 is a Sunday
    ASSERT_EQ(rig.run(), RunOutcome::Completed);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"180503DE.TEG", "180503LA.TEG",
                                                       "180503LO.TEG", "180503RA.TEG"}));
    const std::pair<EphemerisTable, const char*> files[] = {
        {EphemerisTable::Longitude, "180503LO.TEG"},
        {EphemerisTable::Latitude, "180503LA.TEG"},
        {EphemerisTable::RightAscension, "180503RA.TEG"},
        {EphemerisTable::Declination, "180503DE.TEG"}};
    for (const auto& [table, name] : files) {
        // The table's lines with the title as it was before the sidereal point
        // text, each with CR LF, and one empty line at the end.
        std::vector<std::string> lines = TableLines(rig.state, table);
        ASSERT_EQ(lines.size(), 7u + 5u + 1u);
        const std::size_t svp = lines[1].find("   SVP = ");
        ASSERT_NE(svp, std::string::npos);
        lines[1].resize(svp);
        std::string expected;
        for (const auto& l : lines) expected += l + "\r\n";
        expected += "\r\n";
        const std::string bytes = ReadBytes(dir.file(name));
        EXPECT_EQ(bytes, expected) << name;
        EXPECT_EQ(bytes.substr(0, 2), "\r\n");
        EXPECT_NE(bytes.find("\r\n\r\n  06 May"), std::string::npos);
        EXPECT_EQ(bytes.substr(bytes.size() - 5), " \r\n\r\n");
    }
    // Without "Save data to file" nothing is written.
    RecordingLibrary lib2;
    TempFolder empty;
    EphemerisRig quiet(lib2, empty.str());
    quiet.setStart("2018", "5", "3");
    quiet.setDays(2);
    ASSERT_EQ(quiet.run(), RunOutcome::Completed);
    EXPECT_TRUE(empty.entries().empty());
}

TEST(EphemerisFiles, NameByDateOrderZodiacAndCentre) {
    struct Case {
        std::int16_t order;
        Zodiac zodiac;
        Centre centre;
        const char* y;
        const char* m;
        const char* d;
        const char* lo;
    };
    for (const Case& c : {Case{1, Zodiac::Sidereal, Centre::Helio, "2018", "5", "3", "030518LO.SEH"},
                          Case{0, Zodiac::Ayanamsa, Centre::Geo, "2018", "5", "3", "050318LO.AEG"},
                          Case{2, Zodiac::Tropical, Centre::Helio, "1800", "1", "1", "000101LO.TEH"},
                          Case{2, Zodiac::Tropical, Centre::Geo, "2018", "2", "3a", "180203LO.TEG"}}) {
        RecordingLibrary lib;
        TempFolder dir;
        EphemerisRig rig(lib, dir.str());
        rig.state.DateOrder = c.order;
        rig.request.zodiac = c.zodiac;
        rig.request.coordinates = c.centre;
        rig.request.chkSaveData = true;
        rig.setStart(c.y, c.m, c.d);
        rig.setDays(1);
        ASSERT_EQ(rig.run(), RunOutcome::Completed);
        std::string stem = std::string(c.lo).substr(0, 6), ext = std::string(c.lo).substr(8);
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{stem + "DE" + ext, stem + "LA" + ext,
                                                           stem + "LO" + ext, stem + "RA" + ext}));
    }
}

TEST(EphemerisFiles, FileThatCannotBeCreatedStopsTheRun) {
    RecordingLibrary lib;
    TempFolder dir;
    // A folder with the name of the second file; the first is already created
    // when the second fails.
    std::filesystem::create_directory(dir.file("180503LA.TEG"));
    EphemerisRig rig(lib, dir.str());
    rig.request.chkSaveData = true;
    rig.setStart("2018", "5", "3");
    rig.setDays(3);
    rig.state.LongitudeTable = {"earlier"};
    EXPECT_EQ(rig.run(), RunOutcome::Failed);
    ASSERT_EQ(rig.messages.messages.size(), 1u);
    const test::Message& m = rig.messages.messages[0];
    EXPECT_EQ(m.title, "Warning!");
    EXPECT_NE(m.text.find(dir.file("180503LA.TEG")), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("could not be written"), std::string::npos) << m.text;
    // Nothing of the set is left; the folder in the way is untouched.
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"180503LA.TEG"});
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("180503LA.TEG")));
    // The pointer is back, nothing was computed or shown.
    EXPECT_EQ(rig.progress.events, (std::vector<std::string>{"busy", "normal"}));
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_EQ(rig.view.setTextCount, 0);
    EXPECT_EQ(rig.state.LongitudeTable, std::vector<std::string>{"earlier"});
}

TEST(EphemerisFiles, WriteFailureRemovesTheIncompleteSet) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    // The right ascension file leads to a device that is always full: the
    // failure shows when its buffer is flushed, during the rows of a long run
    // or when a short run closes its files.
    for (const int days : {1, 60}) {
        RecordingLibrary lib;
        TempFolder dir;
        std::filesystem::create_symlink("/dev/full", dir.file("180503RA.TEG"));
        EphemerisRig rig(lib, dir.str());
        rig.request.chkSaveData = true;
        rig.setStart("2018", "5", "3");
        rig.setDays(days);
        SCOPED_TRACE(days);
        EXPECT_EQ(rig.run(), RunOutcome::Failed);
        ASSERT_EQ(rig.messages.messages.size(), 1u);
        EXPECT_NE(rig.messages.messages[0].text.find(dir.file("180503RA.TEG")), std::string::npos);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"180503RA.TEG"});
        EXPECT_EQ(rig.progress.events, (std::vector<std::string>{"busy", "load", "unload", "normal"}));
        EXPECT_EQ(rig.view.setTextCount, 0);
        if (days == 60) {
            EXPECT_LT(lib.calls.size(), 60u * 23u);  // stopped early
        }
    }
}

}  // namespace
}  // namespace novarel
