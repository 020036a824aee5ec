#include "output/data_buffer.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace novarel {
namespace {

struct BufferFixture : ::testing::Test {
    test::RecordingMessages messages;
    test::RecordingView view;
    DataBuffer buffer{messages, view};
    void Add(const std::string& s) {
        buffer.CurrentLine = s;
        buffer.AppendLine();
    }
};

TEST_F(BufferFixture, PagesDataAndWhatIsShown) {
    Add("A");
    buffer.ClearPage();  // the page starts again, the data keep "A"
    Add("B");
    Add("C");
    buffer.ShowPage();
    EXPECT_EQ(view.text, "B\r\nC\r\n\r\n\r\n");
    EXPECT_EQ(view.caption, "NOVAREL_SE - Data");
    EXPECT_EQ(buffer.DataLineCount(), 4);
    EXPECT_EQ(buffer.PageLineCount(), 3);

    // Nothing is shown without data or while the window is minimized.
    const int shows = view.setTextCount;
    buffer.EmptyData();
    EXPECT_EQ(buffer.PageLineCount(), 3);
    buffer.ShowPage();
    Add("D");
    view.height = 0;
    buffer.ShowPage();
    EXPECT_EQ(view.setTextCount, shows);
    EXPECT_EQ(buffer.DataLineCount(), 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(BufferFixture, NearlyFullAndFullBuffer) {
    for (int i = 0; i < 999; ++i) Add("x");
    buffer.ShowPage();  // 1000 lines: no warning
    EXPECT_TRUE(messages.messages.empty());
    buffer.ShowPage();  // 1001
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(
        messages.messages[0].text,
        "The data buffer is nearly full. Please consider clearing the data buffer by clicking on "
        "the 'Clear all data' menu item.");
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Information);

    messages.messages.clear();
    for (int i = buffer.DataLineCount(); i < 32767; ++i) Add("x");
    EXPECT_TRUE(messages.messages.empty());
    Add("y");
    Add("z");  // every further line is refused
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(messages.messages[1].text.rfind("Buffer cannot hold any more data.", 0), 0u);
    EXPECT_EQ(buffer.DataLineCount(), 32767);
    EXPECT_EQ(buffer.DataLines().back(), "x");
}

TEST_F(BufferFixture, TruncationReportsTheLinesLeftOut) {
    for (int i = 0; i < 39; ++i) Add(i < 10 ? "0123456789" : "abcdefghij");
    // Room for exactly 10 entries of 12 bytes: entry 10 fails.
    view.capacity = 10 * 12 + 5;
    buffer.ShowPage();  // PageLineCount 40 after the appended empty line
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(
        messages.messages[0].text,
        "You have generated too much data to fit in the Data Window. I will display what I can and "
        "truncate the rest.\r\n\r\nI have truncated 31 lines of text.");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(view.text.size(), 120u);
    EXPECT_EQ(buffer.PageLineCount(), 40);  // the lists are not changed
}

}  // namespace
}  // namespace novarel
