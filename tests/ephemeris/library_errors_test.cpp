// What a run does with the library's answers: positions from the analytic
// ephemeris (no ephemeris file found) are said once, or stop the run when
// files are required. A failed call is met at the command line
// (tests/cli/library_errors_test.cpp, a damaged file).
#include <gtest/gtest.h>

#include "aspectarian/aspectarian_generator.h"
#include "core/swe_library.h"
#include "ephemeris/ephemeris_generator.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {
using test::GeneratorRig;
using test::RecordingLibrary;
using test::TempFolder;

enum class Kind { Ephemeris, Aspectarian };

RunOutcome RunGenerator(GeneratorRig& rig, Kind kind) {
    RunContext ctx = rig.context();
    return kind == Kind::Ephemeris ? GenerateEphemeris(ctx)
                                   : GenerateAspectarian(ctx, rig.aspectarian);
}

TEST(LibraryErrors, AnalyticEphemerisIsSaidOncePerRunWithTheFoldersSearched) {
    for (Kind kind : {Kind::Ephemeris, Kind::Aspectarian}) {
        SCOPED_TRACE(kind == Kind::Ephemeris ? "ephemeris" : "aspectarian");
        RecordingLibrary lib;
        lib.analytic = true;
        GeneratorRig rig(&lib, "/opt/novarel");
        rig.Request("2025", "1", "1", 5);
        EXPECT_EQ(RunGenerator(rig, kind), RunOutcome::Completed);
        ASSERT_EQ(rig.messages.messages.size(), 1u);
        const auto& m = rig.messages.messages[0];
        EXPECT_EQ(m.title, "Information");
        // Without files anywhere the folders searched are named; where the
        // system's files are installed they are there but do not cover the
        // moment the library was asked for.
        const std::string inUse = EphemerisFolderInUse(EphemerisPathFor("/opt/novarel"));
        const std::string expected =
            inUse.empty() ? "No Swiss Ephemeris files were found in /opt/novarel and "
                            "/usr/share/libswe/ephe."
                          : "The Swiss Ephemeris files in " + inUse +
                                " do not cover every moment of this run.";
        EXPECT_EQ(m.text.rfind(expected, 0), 0u) << m.text;
        EXPECT_NE(m.text.find("less precise"), std::string::npos) << m.text;
        // The next run with the files says nothing.
        lib.analytic = false;
        EXPECT_EQ(RunGenerator(rig, kind), RunOutcome::Completed);
        EXPECT_EQ(rig.messages.messages.size(), 1u);
    }
}

TEST(LibraryErrors, RequiredFilesMakeTheAnalyticEphemerisAnError) {
    RecordingLibrary lib;
    lib.analytic = true;
    TempFolder dir;
    GeneratorRig rig(&lib, dir.str());
    rig.request.requireEphemerisFiles = true;
    rig.request.chkSaveData = true;
    rig.Request("2025", "1", "1", 3);
    EXPECT_EQ(RunGenerator(rig, Kind::Ephemeris), RunOutcome::Failed);
    ASSERT_EQ(rig.messages.messages.size(), 1u);
    EXPECT_EQ(rig.messages.messages[0].title, "Warning!");
    EXPECT_NE(rig.messages.messages[0].text.find("ephemeris files are required"), std::string::npos)
        << rig.messages.messages[0].text;
    EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
}  // namespace novarel
