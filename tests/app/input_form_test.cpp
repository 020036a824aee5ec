#include "app/input_form.h"

#include <gtest/gtest.h>

#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

// The key filter and the selection on focus are met through the real boxes
// in tests/ui/gui_session_test.cpp.
struct InputFixture : test::ProgramFixture {};

TEST_F(InputFixture, DaysBoxSpinBarAndFullMonth) {
    Program& p = Start();
    InputForm& f = p.input;
    EXPECT_EQ(p.request.txtYear + "/" + p.request.txtMonth + "/" + p.request.txtDay,
              "2026/12/5");  // today

    const std::pair<const char*, const char*> typed[] = {
        {"", "1"}, {"0", "1"}, {"abc", "1"}, {"400", "366"}, {"99999999999999999999", "366"},
        {"7", "7"}};
    for (const auto& [text, shown] : typed) {
        f.DaysTextChanged(text);
        EXPECT_EQ(f.txtDays(), shown) << text;
        EXPECT_EQ(std::to_string(f.VSDays()), shown) << text;
        EXPECT_EQ(std::to_string(p.request.NumberOfDays), shown) << text;
    }
    f.SpinChanged(45);
    EXPECT_EQ(f.txtDays(), "45");
    EXPECT_EQ(p.request.NumberOfDays, 45);

    // A full month run sets 31; clicking the check box reads the box again.
    p.request.NumberOfDays = 31;
    f.SetFullMonth(false);
    EXPECT_EQ(p.request.NumberOfDays, 45);
    EXPECT_FALSE(p.request.chkFullMonth);
}

}  // namespace
}  // namespace novarel
