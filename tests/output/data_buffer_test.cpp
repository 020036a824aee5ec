#include <gtest/gtest.h>

#include "output/data_buffer.h"
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

TEST_F(BufferFixture, PageTextEndsWithTwoEmptyLinesAndCountsGrow) {
    Add("A");
    Add("B");
    Add("C");
    buffer.ShowPage();
    EXPECT_EQ(view.text, "A\r\nB\r\nC\r\n\r\n\r\n");
    EXPECT_EQ(buffer.DataLineCount(), 4);
    EXPECT_EQ(buffer.PageLineCount(), 4);
    EXPECT_EQ(view.caption, "NOVAREL_SE - Data");
    EXPECT_EQ(view.shown, 1);
    EXPECT_TRUE(messages.messages.empty());
    // Showing again adds another empty line to both lists.
    buffer.ShowPage();
    EXPECT_EQ(buffer.DataLineCount(), 5);
}

TEST_F(BufferFixture, NothingShownWithoutDataOrWhenMinimized) {
    Add("A");
    buffer.EmptyData();
    buffer.ShowPage();  // page lines remain, but no data
    EXPECT_EQ(view.setTextCount, 0);
    EXPECT_EQ(buffer.PageLineCount(), 1);
    Add("B");
    view.height = 0;
    buffer.ShowPage();
    EXPECT_EQ(view.setTextCount, 0);
    EXPECT_EQ(buffer.DataLineCount(), 1);
}

TEST_F(BufferFixture, ClearPageKeepsDataEmptyDataKeepsPage) {
    Add("A");
    buffer.ClearPage();
    Add("B");
    EXPECT_EQ(buffer.DataLineCount(), 2);
    EXPECT_EQ(buffer.PageLineCount(), 1);
    EXPECT_EQ(buffer.PageLine(0), "B");
    EXPECT_EQ(buffer.PageLine(1), "");  // the trailing empty entry
    buffer.EmptyData();
    EXPECT_EQ(buffer.DataLineCount(), 0);
    EXPECT_EQ(buffer.PageLineCount(), 1);
}

TEST_F(BufferFixture, NearlyFullWarningAbove1000Lines) {
    for (int i = 0; i < 999; ++i) Add("x");
    buffer.ShowPage();  // 1000 lines: no warning
    EXPECT_TRUE(messages.messages.empty());
    buffer.ShowPage();  // 1001
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "The data buffer is nearly full. Please consider clearing the data buffer by clicking on "
              "the 'Clear all data' menu item.");
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Information);
    buffer.ShowPage();
    EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(BufferFixture, FullBufferRefusesEveryFurtherLine) {
    for (int i = 0; i < 32767; ++i) Add("x");
    EXPECT_TRUE(messages.messages.empty());
    Add("y");
    Add("z");
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages.messages[0].text.rfind("Buffer cannot hold any more data.", 0), 0u);
    EXPECT_EQ(buffer.DataLineCount(), 32767);
    EXPECT_EQ(buffer.DataLines().back(), "x");
}

TEST_F(BufferFixture, TruncationReportsTheLinesLeftOut) {
    for (int i = 0; i < 39; ++i) Add(i < 10 ? "0123456789" : "abcdefghij");
    // Room for exactly 10 entries of 12 bytes: entry 10 fails.
    view.capacity = 10 * 12 + 5;
    buffer.ShowPage();  // PageLineCount 40 after the appended empty line
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "You have generated too much data to fit in the Data Window. I will display what I can and "
              "truncate the rest.\r\n\r\nI have truncated 31 lines of text.");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(view.text.size(), 120u);
    EXPECT_EQ(buffer.PageLineCount(), 40);  // the lists are not changed
}

}  // namespace
}  // namespace novarel
