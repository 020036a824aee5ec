#include <gtest/gtest.h>

#include "app/input_form.h"
#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

using test::ProgramFixture;
namespace fs = std::filesystem;

TEST(InputForm, KeyFilterAndSelectionOnFocus) {
    for (char c : std::string("0123456789")) EXPECT_TRUE(InputForm::KeyPasses(c)) << c;
    EXPECT_TRUE(InputForm::KeyPasses(8));
    for (char c : std::string("a-.+ /\t")) EXPECT_FALSE(InputForm::KeyPasses(c)) << c;
    EXPECT_FALSE(InputForm::KeyPasses(13));
    EXPECT_FALSE(InputForm::KeyPasses(127));
    const TextSelection s = InputForm::SelectionOnFocus("2018");
    EXPECT_EQ(s.start, 0);
    EXPECT_EQ(s.length, 4);
    EXPECT_EQ(InputForm::SelectionOnFocus("").length, 0);
}

struct InputFixture : ProgramFixture {};

TEST_F(InputFixture, DaysBoxAndSpinBar) {
    Program& p = Start();
    InputForm& f = p.input;
    EXPECT_EQ(p.request.txtMonth, "12");  // today from the clock
    EXPECT_EQ(p.request.txtDay, "5");
    EXPECT_EQ(p.request.txtYear, "2026");

    f.DaysTextChanged("");  // Backspace over "30"
    EXPECT_EQ(f.txtDays(), "1");
    EXPECT_EQ(f.VSDays(), 1);
    EXPECT_EQ(p.request.NumberOfDays, 1);
    f.DaysTextChanged("400");
    EXPECT_EQ(f.txtDays(), "366");
    EXPECT_EQ(p.request.NumberOfDays, 366);
    f.DaysTextChanged("99999");
    EXPECT_EQ(f.txtDays(), "366");
    f.DaysTextChanged("0");
    EXPECT_EQ(f.txtDays(), "1");
    f.DaysTextChanged("7");
    EXPECT_EQ(f.txtDays(), "7");
    EXPECT_EQ(f.VSDays(), 7);
    f.SpinChanged(45);
    EXPECT_EQ(f.txtDays(), "45");
    EXPECT_EQ(p.request.NumberOfDays, 45);

    // A full month run sets 31; clicking the check box reads the box again.
    p.request.NumberOfDays = 31;
    f.SetFullMonth(false);
    EXPECT_EQ(p.request.NumberOfDays, 45);
    EXPECT_FALSE(p.request.chkFullMonth);
    EXPECT_GT(input.refreshed, 0);
}

TEST_F(InputFixture, GenerateButtonsPrepareTheRun) {
    Program& p = Start();
    test::PeriodGenerators gen(p.request, p.state, p.buffer, messages, &p.context().windows);
    p.setGenerators(gen);
    p.ShowHelp("OPTIONS.OPT");
    ASSERT_GT(p.buffer.DataLineCount(), 0);

    // A date that fails the check: the buffer is emptied all the same.
    p.request.txtYear = "1700";
    p.request.type = TimeOfDay::Midnight;
    EXPECT_EQ(p.CalculateEphemeris(), RunOutcome::InvalidInput);
    EXPECT_EQ(p.buffer.DataLineCount(), 0);
    EXPECT_EQ(p.buffer.PageLineCount(), 0);
    EXPECT_EQ(p.state.NoonFlag, 0);
    EXPECT_EQ(p.state.OutputKind, 1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Error in input data section. Please correct.");
    EXPECT_TRUE(input.visible);
    EXPECT_FALSE(p.mainMenuItem("mnuInputData").visible);

    p.request.txtYear = "2018";
    p.request.type = TimeOfDay::Noon;
    EXPECT_EQ(p.CalculateAspectarian(), RunOutcome::Completed);
    EXPECT_EQ(p.state.NoonFlag, 1);
    EXPECT_EQ(p.state.OutputKind, 0);
    EXPECT_EQ(gen.calls.back(), "aspectarian");
    // The run hid the input window, showed "&Input" and "&More".
    EXPECT_FALSE(input.visible);
    EXPECT_FALSE(p.input.visible());
    EXPECT_TRUE(p.mainMenuItem("mnuInputData").visible);
    EXPECT_EQ(main.menu.back(), "mnuInputData:visible");
    EXPECT_TRUE(p.dataWindow.state().item("mnuMore").visible);
    // The window was loaded for the help text, before the aspectarian: its
    // items follow the output kind of that moment.
    EXPECT_TRUE(p.dataWindow.state().item("mnuViewLongitude").enabled);

    // "&Input": the data go, the Data window closes, the input window returns.
    p.dataWindow.saver.SaveFileName = "/tmp/x.DOC";
    p.RunMainMenu(MainCommand::Input);
    EXPECT_EQ(p.buffer.DataLineCount(), 0);
    EXPECT_EQ(p.dataWindow.saver.SaveFileName, "");
    EXPECT_EQ(dataWindow.closed, 1);
    EXPECT_FALSE(p.dataWindow.state().loaded);
    EXPECT_TRUE(input.visible);
    // The next page loads a new Data window from the design state.
    p.ShowHelp("OPTIONS.OPT");
    EXPECT_FALSE(p.dataWindow.state().item("mnuMore").visible);
    EXPECT_FALSE(p.dataWindow.state().item("mnuViewLongitude").enabled);
    EXPECT_TRUE(p.dataWindow.state().item("mnuRx_Times").enabled);
    EXPECT_EQ(dataWindow.places.size(), 2u);
}

}  // namespace
}  // namespace novarel
