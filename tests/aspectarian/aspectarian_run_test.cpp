// The aspectarian run and its station listing where the golden cases
// (tests/cli) do not reach: the period, the seams, the data file beside a
// two-column page, and stations and crossings on a path whose turning point
// is known.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "aspectarian/aspectarian_generator.h"
#include "aspectarian/station_times.h"
#include "core/angle_format.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {
using test::GeneratorRig;

int DayBlocks(const AspectarianState& a) {
    return static_cast<int>(std::count(a.ReportLines.begin() + 6, a.ReportLines.end(), ""));
}

TEST(AspectarianRun, PeriodOfTheRequest) {
    struct Case {
        const char *y, *m, *d;
        int days;  // 0: full month
        int blocks;
        const char* titleDate;
        double
            dayJD;  // after the run: 0h UT of the last day, or of the day that ended a full month
    };
    for (const Case& c : {Case{"2017", "2", "15", 0, 28, "01 Feb 2017", 2457813.5},
                          Case{"2018", "4", "15", 0, 30, "01 Apr 2018", 2458239.5},
                          Case{"2018", "5", "4", 2, 2, "04 May 2018", 2458243.5},
                          // A typed day off the calendar starts on the day it carries to.
                          Case{"2018", "2", "31", 1, 1, "03 Mar 2018", 2458180.5},
                          Case{"2018", "1", "1", 400, 367, "01 Jan 2018", 2458119.5 + 366}}) {
        SCOPED_TRACE(std::string(c.y) + "/" + c.m + "/" + c.d + " days " + std::to_string(c.days));
        GeneratorRig rig;
        rig.Request(c.y, c.m, c.d, c.days);
        RunContext ctx = rig.context();
        ASSERT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
        EXPECT_EQ(DayBlocks(rig.aspectarian), c.blocks);
        EXPECT_NE(rig.aspectarian.ReportLines[1].find(std::string(", ") + c.titleDate + " at noon"),
                  std::string::npos)
            << rig.aspectarian.ReportLines[1];
        EXPECT_EQ(rig.state.DayJD, c.dayJD);
        if (c.days == 0) {
            EXPECT_EQ(rig.request.txtDay, "1");
        }
        if (c.days == 2) {
            EXPECT_EQ(rig.progress.events,
                      (std::vector<std::string>{"busy", "load", "unload", "normal"}));
            EXPECT_EQ(rig.progress.percents, (std::vector<float>{0, 100}));
            EXPECT_EQ(rig.windows.started, 1);
            EXPECT_EQ(rig.windows.finished, 1);
            EXPECT_EQ(rig.view.shown, 1);
        }
    }
}

TEST(AspectarianRun, DataFileIsOneColumnWithCrLfWhateverThePage) {
    test::TempFolder dir;
    GeneratorRig rig(nullptr, dir.str());
    rig.Request("2018", "5", "3", 2);
    rig.request.chkSaveData = true;
    rig.options[5] = 1;
    RunContext ctx = rig.context();
    ASSERT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    std::string expected;
    for (const auto& l : rig.aspectarian.ReportLines) expected += l + "\r\n";
    EXPECT_EQ(test::ReadBytes(dir.file("180503AS.TEG")), expected);
    EXPECT_EQ(rig.buffer.PageLine(4), "  Day      h  m" + std::string(49, ' ') + "  Day      h  m");

    // Sidereal heliocentric in day-month-year order.
    rig.request.zodiac = Zodiac::Sidereal;
    rig.request.coordinates = Centre::Helio;
    rig.state.DateOrder = 1;
    ASSERT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"030518AS.SEH", "180503AS.TEG", "novarel_SE.lock"}));
}

// Mercury (library body 2) follows a given longitude in minutes from an
// origin, with its rate; every other body stays at 0. No delta T.
class TurningLibrary final : public test::NoEclipseLibrary {
public:
    TurningLibrary(double originJD, std::function<double(double)> path)
        : origin_(originJD), path_(std::move(path)) {}
    void set_ephe_path(const std::string&) override {}
    void set_sid_mode(std::int32_t, double, double) override {}
    double deltat(double) override { return 0; }
    std::int32_t calc(double t, int body, std::int32_t flags, double* xx, char*) override {
        for (int k = 0; k < 6; ++k) xx[k] = 0;
        if (body != 2 || (flags & 2048) != 0) return flags;
        const double x = (t - origin_) * 1440;
        xx[0] = NormalizeDegrees(path_(x));
        xx[3] = (path_(x + 0.5) - path_(x - 0.5)) * 1440;
        return flags;
    }

private:
    double origin_;
    std::function<double(double)> path_;
};

// A run of two days in which Mercury turns where the path says: the
// station's moment, its place and the listing's minute.
struct TurnSeen {
    double moment = 0;
    double place = 0;
    std::string listing;
    std::vector<std::string> lines;  // the report's event lines
};

TurnSeen RunThroughTurn(std::function<double(double)> path) {
    const double day = 2458198.5;  // 0h UT, 21 March 2018
    TurningLibrary lib(day, std::move(path));
    GeneratorRig rig(&lib);
    rig.Request("2018", "3", "21", 2);
    RunContext ctx = rig.context();
    EXPECT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    EXPECT_EQ(rig.aspectarian.StationCount, 1);
    TurnSeen seen;
    for (const AspectEvent& e : rig.aspectarian.Events)
        if (e.kind == EventKind::Station) {
            seen.moment = e.momentJD();
            seen.place = e.position1;
        }
    for (std::size_t k = 6; k < rig.aspectarian.ReportLines.size(); ++k)
        if (!rig.aspectarian.ReportLines[k].empty())
            seen.lines.push_back(rig.aspectarian.ReportLines[k]);
    rig.buffer.EmptyData();
    ListRetrogradeTimes(ctx, rig.aspectarian);
    seen.listing = rig.view.text;
    return seen;
}

// Mercury turning at a minute of 21 March 2018 (0h UT is 2458198.5) on a
// path of its own: the moment to the second, the place, the listing's line.
TEST(StationTimes, TurningPointToTheSecondAndItsMinuteInTheListing) {
    struct Case {
        double turn;  // minutes from 0h
        std::function<double(double)> path;
        std::string line;
    };
    auto turning = [](double top, double curvature, double turn) {
        return [=](double x) { return top + curvature * (x - turn) * (x - turn); };
    };
    const std::string leo(1, glyph::SignChar(5)), cancer(1, glyph::SignChar(4));
    const std::string pisces(1, glyph::SignChar(12));
    const double late = 24 * 60 - 20.0 / 60;
    for (const Case& c : {// Retrograde at 23:39:18, at 10 Cancer 30.
                          Case{23 * 60 + 39.3, turning(100.5, -1e-6, 23 * 60 + 39.3),
                               "  Mercury - 21 Mar 2018 at 23:39, 10" + cancer + "30.0\r\n"},
                          // At 23:59:40: 00:00 of the next day; minutes of arc that round
                          // to 60 show the next sign.
                          Case{late, turning(119.99999, -1e-6, late),
                               "  Mercury - 22 Mar 2018 at 00:00, 00" + leo + "00.0\r\n"},
                          // Backwards through 0 Aries at 05:50, turning direct at 06:30.
                          Case{6 * 60 + 30, turning(-0.016, 1e-5, 6 * 60 + 30),
                               "  Mercury - 21 Mar 2018 at 06:30, 29" + pisces + "59.0\r\n"}}) {
        const TurnSeen seen = RunThroughTurn(c.path);
        EXPECT_NEAR(seen.moment, 2458198.5 + c.turn / 1440, 1.0 / 86400) << c.line;
        EXPECT_NEAR(NormalizeDegrees(seen.place), NormalizeDegrees(c.path(c.turn)), 1e-9);
        EXPECT_NE(seen.listing.find(c.line), std::string::npos) << seen.listing;
    }
}

// Mercury goes over 0 Aquarius by 0.03' and turns back inside one hour: the
// samples at 10h and 11h both lie in Capricorn, the rates show the turn, and
// both ingresses are found at their minutes (10:07:38 and 10:52:22).
TEST(EventSearch, ATurnInsideAnHourGivesBothCrossings) {
    const double top = 10 * 60 + 30;
    const TurnSeen seen =
        RunThroughTurn([&](double x) { return 300.0005 - 1e-6 * (x - top) * (x - top); });
    const std::string mercury(1, static_cast<char>(glyph::BodyCode(Mercury, false)));
    std::vector<std::string> ingresses;
    for (const std::string& line : seen.lines)
        if (line.find("ingress") != std::string::npos) ingresses.push_back(line.substr(8));
    EXPECT_EQ(ingresses,
              (std::vector<std::string>{
                  "  10:08  " + mercury + "  " + glyph::SignChar(11) + " - planet ingress",
                  "  10:52  " + mercury + "  " + glyph::SignChar(10) + " - planet ingress"}));
    EXPECT_NEAR(seen.moment, 2458198.5 + top / 1440, 1.0 / 86400);
}

}  // namespace
}  // namespace novarel
