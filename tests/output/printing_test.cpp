#include <gtest/gtest.h>

#include <filesystem>

#include "app/text_file.h"
#include "output/printing.h"
#include "tests/support/app_fakes.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

TEST(PrintWidthClass, FollowsTheLastLongLine) {
    const std::string s50(50, 'a'), s120(120, 'b'), s90(90, 'c'), s80(80, 'd'), s81(81, 'e'), s100(100, 'f');
    EXPECT_EQ(PrintWidthClassOf({s50, s120, s90}, 80, 100), 1);
    EXPECT_EQ(PrintWidthClassOf({s50, s120}, 80, 100), 2);
    EXPECT_EQ(PrintWidthClassOf({s50, s80, ""}, 80, 100), 0);
    EXPECT_EQ(PrintWidthClassOf({s81}, 80, 100), 1);
    EXPECT_EQ(PrintWidthClassOf({s100}, 80, 100), 1);
    EXPECT_EQ(PrintWidthClassOf({s120, s50}, 80, 100), 2);  // short lines leave the class alone
    EXPECT_EQ(PrinterFontPoints(0), 12);
    EXPECT_EQ(PrinterFontPoints(1), 10);
    EXPECT_EQ(PrinterFontPoints(2), 8);
}

struct PrintFixture : ::testing::Test {
    test::RecordingMessages messages;
    test::RecordingView view;
    test::RecordingProgress progress;
    DataBuffer buffer{messages, view};
    OptionValues options = OptionValues::Factory();
    test::RecordingPreview preview;
    test::RecordingPrinter printer;
    fs::path dir = MakeDir();
    PrintCommands print{buffer, options, messages, progress, preview, printer, dir.string()};

    static fs::path MakeDir() {
        fs::path d = fs::temp_directory_path() /
                     ("novarel_print_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }
    void TearDown() override { fs::remove_all(dir); }
    void Add(const std::string& s) {
        buffer.CurrentLine = s;
        buffer.AppendLine();
    }
    std::string PrintFile() { return ReadWholeFile((dir / "PRNTFILE.XXX").string()).value_or("<none>"); }
    std::vector<std::size_t> PageSizes() {
        std::vector<std::size_t> sizes;
        for (const auto& p : printer.pages) sizes.push_back(p.size());
        return sizes;
    }
};

TEST_F(PrintFixture, PageAndDataGoThroughThePrintFile) {
    print.PrintPage();  // no page: nothing at all
    EXPECT_EQ(PrintFile(), "<none>");
    EXPECT_TRUE(messages.messages.empty());
    print.PrintData();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "No data to print.");
    EXPECT_EQ(messages.messages[0].title, "Information");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);

    Add("A");
    buffer.ClearPage();
    Add("B");
    Add("C");
    print.PrintPage();
    EXPECT_EQ(PrintFile(), "\r\n\r\nB\r\nC\r\n\r\n");
    EXPECT_EQ(preview.text, "\r\n\r\nB\r\nC\r\n\r\n");
    EXPECT_EQ(preview.shown, 1);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"busy", "normal"}));

    // The preview is open: the file is rewritten, the window only comes to the front.
    print.PrintData();
    EXPECT_EQ(PrintFile(), "\r\n\r\nA\r\nB\r\nC\r\n\r\n");
    EXPECT_EQ(preview.offered.size(), 1u);
    EXPECT_EQ(preview.shown, 2);
    EXPECT_EQ(preview.text, "\r\n\r\nB\r\nC\r\n\r\n");

    // Cancel leaves the print file as the command wrote it; the next command loads again.
    print.CancelButton();
    EXPECT_EQ(preview.closed, 1);
    EXPECT_EQ(PrintFile(), "\r\n\r\nA\r\nB\r\nC\r\n\r\n");
    EXPECT_TRUE(printer.pages.empty());
    print.PrintData();
    EXPECT_EQ(preview.offered.size(), 2u);
    EXPECT_EQ(preview.text, "\r\n\r\nA\r\nB\r\nC\r\n\r\n");

    // After "Clear all data" the page still prints.
    buffer.EmptyData();
    print.CancelButton();
    print.PrintPage();
    EXPECT_EQ(preview.text, "\r\n\r\nB\r\nC\r\n\r\n");
}

TEST_F(PrintFixture, PrintButtonPrintsTheEditedTextInPages) {
    std::string s120(120, 'w');
    Add(s120);
    Add("short");
    print.PrintPage();
    EXPECT_EQ(print.PrintWidthClass, 2);
    // The user edits the text: one line of 130, ending without a line break.
    std::string edited;
    for (int i = 1; i <= 130; ++i) edited += (i > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(i);
    preview.text = edited;
    print.PrintButton();
    EXPECT_EQ(printer.face, "EPHEMERI");
    EXPECT_EQ(printer.points, 8);
    EXPECT_EQ(PageSizes(), (std::vector<std::size_t>{60, 60, 10}));
    EXPECT_EQ(printer.pages[1][0], "line 61");
    EXPECT_EQ(printer.pages[2][9], "line 130");
    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(preview.closed, 1);
    // The edits stay in the print file.
    EXPECT_EQ(PrintFile(), edited + "\r\n");

    // Exactly two pages: a new page after line 120, just before the end.
    printer = test::RecordingPrinter{};
    print.PrintPage();
    edited.resize(edited.find("\r\nline 121"));
    preview.text = edited;
    print.PrintButton();
    EXPECT_EQ(PageSizes(), (std::vector<std::size_t>{60, 60, 0}));
    EXPECT_EQ(printer.newPages, 2);

    // A page length that is not a whole number never starts a page.
    printer = test::RecordingPrinter{};
    options[8] = 60.5f;
    print.PrintPage();
    preview.text = edited;
    print.PrintButton();
    EXPECT_EQ(printer.newPages, 0);
    EXPECT_EQ(PageSizes(), (std::vector<std::size_t>{120}));
}

TEST_F(PrintFixture, TextThatTheWindowCannotHoldIsShortened) {
    for (int i = 0; i < 10; ++i) Add(std::string(40, char('a' + i)));  // 42 bytes a line
    print.PrintPage();  // the text is 2 + 2 + 10 * 42 + 2 = 426 bytes
    ASSERT_EQ(preview.offered.front(), 426u);

    test::RecordingPreview small;
    small.capacity = 300;
    print.CancelButton();
    print.setPreview(small);
    print.PrintPage();
    // 426, 376, 326, 276: three refusals, three messages.
    EXPECT_EQ(small.offered, (std::vector<std::size_t>{426, 376, 326, 276}));
    ASSERT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(messages.messages[0].text, "Out of memory. I will print what I can. The remainder will be lost.");
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(small.text.size(), 276u);

    // A window that holds nothing at all: the shortening ends at the empty text.
    test::RecordingPreview none;
    none.refuseAll = true;
    print.CancelButton();
    print.setPreview(none);
    messages.messages.clear();
    print.PrintPage();
    EXPECT_EQ(none.offered.back(), 0u);
    EXPECT_EQ(none.offered.size(), 10u);  // 426 .. 26, then 0
    EXPECT_EQ(messages.messages.size(), 10u);
}

TEST_F(PrintFixture, PrintFileFailuresAreReported) {
    Add("A");
    fs::create_directory(dir / "PRNTFILE.XXX");
    print.PrintPage();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find((dir / "PRNTFILE.XXX").string()), std::string::npos);
    EXPECT_EQ(preview.shown, 0);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"busy", "normal"}));

    // The printer refuses the document.
    fs::remove(dir / "PRNTFILE.XXX");
    print.PrintPage();
    printer.accepts = false;
    print.PrintButton();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, "The printer did not accept the document.");
}

}  // namespace
}  // namespace novarel
