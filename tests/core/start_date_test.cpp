#include "core/start_date.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

using test::RecordingMessages;

int Reports(const std::string& day, const std::string& month, const std::string& year) {
    CalcRequest r;
    r.txtDay = day;
    r.txtMonth = month;
    r.txtYear = year;
    RunState s;
    RecordingMessages m;
    ValidateDateInput(r, s, m);
    for (const auto& msg : m.messages) {
        EXPECT_EQ(msg.text, "Error in input data section. Please correct.");
        EXPECT_EQ(msg.title, "Warning!");
    }
    EXPECT_EQ(s.InputError, m.messages.empty() ? 0 : 1);
    return static_cast<int>(m.messages.size());
}

TEST(ValidateDateInput, OneReportPerFailedCheck) {
    EXPECT_EQ(Reports("3", "5", "2018"), 0);
    EXPECT_EQ(Reports("", "5", "2018"), 2);  // zero and empty
    EXPECT_EQ(Reports("0", "5", "2018"), 1);
    EXPECT_EQ(Reports("3", "5", "1799"), 1);
    EXPECT_EQ(Reports("32", "13", "2101"), 1);  // one range check
    EXPECT_EQ(Reports("x", "5", "2018"), 1);    // non-numeric counts as 0
    EXPECT_EQ(Reports("31", "2", "2018"), 0);   // not checked against the month
    EXPECT_EQ(Reports("3", "5", "99999999999999999999"), 1);
    EXPECT_EQ(Reports("-3", "5", "2018"), 1);  // a negative day is no date
    EXPECT_EQ(Reports("", "", ""), 3);         // zero, empty, and year below 1800
}

// Noon and midnight and the padded sidereal time are in every golden case;
// a count past the end is not.
TEST(ShowProgress, PercentOfTheTotalNeverPastAHundred) {
    test::RecordingProgress p;
    ShowProgress(p, 5, 4);
    ShowProgress(p, 1, 4);
    ASSERT_EQ(p.percents.size(), 2u);
    EXPECT_EQ(p.percents[0], 100.0f);
    EXPECT_EQ(p.percents[1], 25.0f);
}

}  // namespace
}  // namespace novarel
