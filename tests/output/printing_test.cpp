#include <gtest/gtest.h>

#include <filesystem>

#include "tests/output/data_window_fixture.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

TEST(PrintWidthClass, FollowsTheLastLongLineAndGivesThePrinterFont) {
    const std::string s50(50, 'a'), s80(80, 'd'), s81(81, 'e'), s100(100, 'f'), s101(101, 'b');
    EXPECT_EQ(PrintWidthClassOf({s50, s80, ""}, 80, 100), 0);
    EXPECT_EQ(PrintWidthClassOf({s81, s100}, 80, 100), 1);
    EXPECT_EQ(PrintWidthClassOf({s50, s101, s50}, 80, 100),
              2);  // short lines leave the class alone
    EXPECT_EQ(PrintWidthClassOf({s101, s81}, 80, 100), 1);
    EXPECT_EQ(PrinterFontPoints(0), 12);
    EXPECT_EQ(PrinterFontPoints(1), 10);
    EXPECT_EQ(PrinterFontPoints(2), 8);
}

struct PrintFixture : test::DataWindowFixture {
    std::string PrintFile() { return File("PRNTFILE.XXX"); }
    std::vector<std::size_t> PageSizes() {
        std::vector<std::size_t> sizes;
        for (const auto& p : printer.pages) sizes.push_back(p.size());
        return sizes;
    }
    // The user edits the preview to lines "line 1" .. "line n", the last without a line end.
    std::string EditedLines(int n) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += (i > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(i);
        return preview.text = text;
    }
};

TEST_F(PrintFixture, PageAndDataGoThroughThePrintFile) {
    print.PrintPage();  // no page: nothing at all
    EXPECT_EQ(PrintFile(), "<none>");
    print.PrintData();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "No data to print.");
    EXPECT_EQ(messages.messages[0].title, "Information");

    Add("A");
    buffer.ClearPage();
    Add("B");
    Add("C");
    print.PrintPage();
    EXPECT_EQ(PrintFile(), "\r\n\r\nB\r\nC\r\n\r\n");
    EXPECT_EQ(preview.text, "\r\n\r\nB\r\nC\r\n\r\n");
    EXPECT_EQ(preview.shown, 1);

    // The preview is open: the file is rewritten, the window only comes to the front.
    print.PrintData();
    EXPECT_EQ(PrintFile(), "\r\n\r\nA\r\nB\r\nC\r\n\r\n");
    EXPECT_EQ(preview.text, "\r\n\r\nB\r\nC\r\n\r\n");
    EXPECT_EQ(preview.shown, 2);
    // Cancel prints nothing; the next command loads again.
    print.CancelButton();
    EXPECT_EQ(preview.closed, 1);
    EXPECT_TRUE(printer.pages.empty());
    print.PrintData();
    EXPECT_EQ(preview.text, "\r\n\r\nA\r\nB\r\nC\r\n\r\n");

    // After "Clear all data" the page still prints.
    buffer.EmptyData();
    print.CancelButton();
    print.PrintPage();
    EXPECT_EQ(preview.text, "\r\n\r\nB\r\nC\r\n\r\n");
}

TEST_F(PrintFixture, PrintButtonPrintsTheEditedTextInPages) {
    Add(std::string(120, 'w'));
    print.PrintPage();
    EXPECT_EQ(print.PrintWidthClass, 2);
    const std::string edited = EditedLines(130);
    print.PrintButton();
    EXPECT_EQ(printer.face, "EPHEMERI");
    EXPECT_EQ(printer.points, 8);
    EXPECT_EQ(PageSizes(), (std::vector<std::size_t>{60, 60, 10}));
    EXPECT_EQ(printer.pages[1][0], "line 61");
    EXPECT_EQ(printer.pages[2][9], "line 130");
    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(preview.closed, 1);
    EXPECT_EQ(PrintFile(), edited + "\r\n");  // the edits stay in the print file

    // 120 lines: a new page after line 120 as after line 60; a page length
    // that is not a whole number never starts one.
    for (float length : {60.f, 60.5f}) {
        printer = test::RecordingPrinter{};
        options[8] = length;
        print.PrintPage();
        EditedLines(120);
        print.PrintButton();
        EXPECT_EQ(PageSizes(), (length == 60 ? std::vector<std::size_t>{60, 60, 0}
                                             : std::vector<std::size_t>{120}));
    }
}

TEST_F(PrintFixture, TextThatThePreviewCannotHoldIsShortened) {
    for (int i = 0; i < 10; ++i) Add(std::string(40, char('a' + i)));  // 42 bytes a line
    preview.capacity = 300;
    print.PrintPage();  // the text is 2 + 2 + 10 * 42 + 2 = 426 bytes
    EXPECT_EQ(preview.offered, (std::vector<std::size_t>{426, 376, 326, 276}));
    ASSERT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(messages.messages[0].text,
              "Out of memory. I will print what I can. The remainder will be lost.");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(preview.text.size(), 276u);

    // A preview that holds nothing at all: the shortening ends at the empty text.
    test::RecordingPreview none;
    none.refuseAll = true;
    print.CancelButton();
    print.setPreview(none);
    messages.messages.clear();
    print.PrintPage();
    EXPECT_EQ(none.offered.size(), 10u);  // 426 .. 26, then 0
    EXPECT_EQ(none.offered.back(), 0u);
    EXPECT_EQ(messages.messages.size(), 10u);
}

// A printer that refuses the document is met through the desktop program in
// tests/ui/gui_bad_cases_test.cpp.
TEST_F(PrintFixture, APrintFileThatCannotBeWrittenIsReported) {
    Add("A");
    fs::create_directory(dir / "PRNTFILE.XXX");
    print.PrintPage();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find((dir / "PRNTFILE.XXX").string()), std::string::npos);
    EXPECT_EQ(preview.shown, 0);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"busy", "normal"}));
}

}  // namespace
}  // namespace novarel
