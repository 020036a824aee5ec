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

// Each option button of a frame stands for its own choice: chosen, it is the
// one button of its frame that shows as chosen. A button bound to another
// frame's field or to a sibling's value fails here.
TEST(RequestOptions, EachButtonIsTheOneChoiceOfItsFrame) {
    auto frameOf = [](std::string_view control) {
        for (const InputControl& c : InputControls)
            if (c.name == control) return c.frame;
        return std::string_view("<not in the window>");
    };
    std::size_t buttons = 0;
    for (const InputControl& c : InputControls)
        if (c.name.starts_with("opt")) ++buttons;
    EXPECT_EQ(RequestOptions.size(), buttons);
    const CalcRequest design;
    for (const RequestOption& picked : RequestOptions) {
        const std::string_view frame = frameOf(picked.control);
        ASSERT_TRUE(frame.starts_with("Frame")) << picked.control;
        CalcRequest r;
        picked.choose(r);
        int designChosen = 0;
        for (const RequestOption& o : RequestOptions) {
            if (frameOf(o.control) != frame) continue;
            EXPECT_EQ(o.chosen(r), o.control == picked.control)
                << picked.control << " " << o.control;
            designChosen += o.chosen(design) ? 1 : 0;
        }
        EXPECT_EQ(designChosen, 1) << frame;
    }
    for (const RequestCheck& c : RequestChecks) EXPECT_EQ(frameOf(c.control), "") << c.control;
}

}  // namespace
}  // namespace novarel
