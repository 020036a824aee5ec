#include <gtest/gtest.h>

#include <filesystem>

#include "app/text_file.h"
#include "output/data_saver.h"
#include "output/printing.h"
#include "tests/support/app_fakes.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

TEST(ProposedSaveName, DateOrderPatternsAndTypedNumbers) {
    EXPECT_EQ(ProposedSaveName("2018/5/3", 2), "20180503.DOC");
    EXPECT_EQ(ProposedSaveName("3/5/2018", 1), "03052018.DOC");
    EXPECT_EQ(ProposedSaveName("5/3/2018", 0), "05032018.DOC");
    EXPECT_EQ(ProposedSaveName("5/3/2018", 7), "05032018.DOC");  // any other order is month-day-year
    // 31 February passes the input check; its typed numbers make the name.
    EXPECT_EQ(ProposedSaveName("2018/2/31", 2), "20180231.DOC");
    // Data without a calculation (a help text) propose no name.
    EXPECT_EQ(ProposedSaveName("", 2), "");
    EXPECT_EQ(ProposedSaveName("2018/5", 2), "");
}

TEST(PageBreakDivisor, OptionSevenLessOneHalvesToEven) {
    EXPECT_EQ(PageBreakDivisor(60), 59);
    EXPECT_EQ(PageBreakDivisor(3), 2);
    EXPECT_EQ(PageBreakDivisor(3.5f), 2);  // 2.5 rounds to 2
    EXPECT_EQ(PageBreakDivisor(4.5f), 4);  // 3.5 rounds to 4
    EXPECT_EQ(PageBreakDivisor(2.6f), 2);
    // Below one entry per page there are no page breaks at all.
    EXPECT_EQ(PageBreakDivisor(1.5f), 0);  // 0.5 rounds to 0
    EXPECT_EQ(PageBreakDivisor(1), 0);
    EXPECT_EQ(PageBreakDivisor(0), 0);
    EXPECT_EQ(PageBreakDivisor(-40), 0);
}

struct SaverFixture : ::testing::Test {
    test::RecordingMessages messages;
    test::RecordingView view;
    DataBuffer buffer{messages, view};
    RunState state;
    OptionValues options = OptionValues::Factory();
    test::ScriptedSaveDialog dialog;
    fs::path dir = MakeDir();
    DataSaver saver{buffer, state, options, messages, dialog, dir.string()};

    static fs::path MakeDir() {
        fs::path d = fs::temp_directory_path() /
                     ("novarel_save_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }
    void SetUp() override {
        state.StartDateText = "2018/5/3";
        state.DateOrder = 2;
    }
    void TearDown() override { fs::remove_all(dir); }
    void Add(const std::string& s) {
        buffer.CurrentLine = s;
        buffer.AppendLine();
    }
    std::string File(const std::string& name) { return ReadWholeFile((dir / name).string()).value_or("<none>"); }
};

TEST_F(SaverFixture, FileBytesBreaksAndFinalFormFeed) {
    Add("L1");
    Add("L2");
    Add("L3");
    EXPECT_EQ(DataFileText(buffer, 59), "L1\r\nL2\r\nL3\r\n\r\n\f\r\n");
    // k = 2: breaks after entries 2 and 4 (entry 3 is the trailing empty one).
    Add("L4");
    Add("L5");
    EXPECT_EQ(DataFileText(buffer, 2), "L1\r\nL2\r\nL3\r\n\f\r\nL4\r\nL5\r\n\f\r\n\r\n\f\r\n");
    EXPECT_EQ(DataFileText(buffer, 0), "L1\r\nL2\r\nL3\r\nL4\r\nL5\r\n\r\n\f\r\n");
    // A break after the trailing entry is followed by the final form feed all the same.
    EXPECT_EQ(DataFileText(buffer, 5), "L1\r\nL2\r\nL3\r\nL4\r\nL5\r\n\r\n\f\r\n\f\r\n");

    // With option 7 = 60, the first break follows entry 59: 60 lines on page one.
    buffer.EmptyData();
    for (int i = 0; i < 130; ++i) Add("x" + std::to_string(i));
    const std::string text = DataFileText(buffer, PageBreakDivisor(60));
    std::vector<int> linesPerPage{0};
    for (const auto& line : TextLines(text)) {
        if (line == "\f") linesPerPage.push_back(0);
        else ++linesPerPage.back();
    }
    EXPECT_EQ(linesPerPage, (std::vector<int>{60, 59, 12, 0}));
}

TEST_F(SaverFixture, SaveAsProposesAndSaveReusesTheName) {
    saver.Save();
    saver.SaveAs();
    ASSERT_EQ(messages.messages.size(), 2u);
    for (const auto& m : messages.messages) {
        EXPECT_EQ(m.text, "No data to write to file.");
        EXPECT_EQ(m.title, "Information");
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    }
    EXPECT_TRUE(dialog.requests.empty());

    Add("L1");
    // Cancel: nothing written, no name kept, no message.
    saver.Save();
    ASSERT_EQ(dialog.requests.size(), 1u);
    const SaveDialogRequest& r = dialog.requests[0];
    EXPECT_EQ(r.fileName, "20180503.DOC");
    EXPECT_EQ(r.initialDirectory, dir.string());
    EXPECT_EQ(r.defaultExtension, "doc");
    EXPECT_EQ(r.filter, "Data Files (*.DOC) | *.DOC");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_TRUE(r.promptOverwrite);
    EXPECT_TRUE(r.pathMustExist);
    EXPECT_EQ(saver.SaveFileName, "");
    EXPECT_EQ(messages.messages.size(), 2u);

    const std::string path = (dir / "20180503.DOC").string();
    dialog.answer = path;
    saver.Save();  // no name yet: Save As
    EXPECT_EQ(dialog.requests.size(), 2u);
    EXPECT_EQ(saver.SaveFileName, path);
    EXPECT_EQ(File("20180503.DOC"), "L1\r\n\r\n\f\r\n");

    Add("L2");
    saver.Save();  // same file, no dialog, replaced
    EXPECT_EQ(dialog.requests.size(), 2u);
    EXPECT_EQ(File("20180503.DOC"), "L1\r\nL2\r\n\r\n\f\r\n");

    // A later cancelled Save As keeps the name.
    dialog.answer.reset();
    saver.SaveAs();
    EXPECT_EQ(saver.SaveFileName, path);
    EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(SaverFixture, WriteFailuresAreReportedWithTheFileName) {
    Add("L1");
    const std::string good = (dir / "good.DOC").string();
    dialog.answer = good;
    saver.SaveAs();
    ASSERT_EQ(saver.SaveFileName, good);

    // Save As into a folder that does not exist: reported, the old name stays.
    const std::string bad = (dir / "missing" / "x.DOC").string();
    dialog.answer = bad;
    saver.SaveAs();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find(bad), std::string::npos);
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(saver.SaveFileName, good);

    // Save onto a name that has become a folder.
    fs::remove(good);
    fs::create_directory(good);
    saver.Save();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_NE(messages.messages[1].text.find(good), std::string::npos);
}

TEST_F(SaverFixture, PageBreakOptionFromTheOptionValues) {
    options[7] = 3;  // k = 2
    for (const char* s : {"a", "b", "c", "d"}) Add(s);
    dialog.answer = (dir / "k2.DOC").string();
    saver.SaveAs();
    EXPECT_EQ(File("k2.DOC"), "a\r\nb\r\nc\r\n\f\r\nd\r\n\r\n\f\r\n\f\r\n");
    options[7] = 0;  // no page breaks rather than a division by zero
    saver.Save();
    EXPECT_EQ(File("k2.DOC"), "a\r\nb\r\nc\r\nd\r\n\r\n\f\r\n");
}

}  // namespace
}  // namespace novarel
