#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "tests/output/data_window_fixture.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

TEST(DataSaver, ProposedNameAndPageBreakDivisor) {
    const std::tuple<const char*, std::int16_t, const char*> names[] = {
        {"2018/5/3", 2, "20180503.DOC"},
        {"3/5/2018", 1, "03052018.DOC"},
        {"5/3/2018", 0, "05032018.DOC"},
        {"5/3/2018", 7, "05032018.DOC"},  // any other order is month-day-year
        {"2018/2/31", 2,
         "20180231.DOC"},  // passes the input check: its typed numbers make the name
        {"", 2, ""},
        {"2018/5", 2, ""}};  // data without a calculation propose no name
    for (const auto& [date, order, name] : names)
        EXPECT_EQ(ProposedSaveName(date, order), name) << date;

    // Option 7 less one, rounded half to even; under one entry a page, no breaks.
    const std::pair<float, int> divisors[] = {{60, 59},  {3.5f, 2}, {4.5f, 4},
                                              {1.5f, 0}, {0, 0},    {-40, 0}};
    for (const auto& [option, k] : divisors) EXPECT_EQ(PageBreakDivisor(option), k) << option;
}

struct SaverFixture : test::DataWindowFixture {
    void SetUp() override {
        state.StartDateText = "2018/5/3";
        state.DateOrder = 2;
    }
};

TEST_F(SaverFixture, FileBytesPageBreaksAndFinalFormFeed) {
    for (const char* s : {"L1", "L2", "L3"}) Add(s);
    EXPECT_EQ(DataFileText(buffer, 59), "L1\r\nL2\r\nL3\r\n\r\n\f\r\n");
    // k = 2: breaks after entries 2 and 4.
    Add("L4");
    Add("L5");
    EXPECT_EQ(DataFileText(buffer, 2), "L1\r\nL2\r\nL3\r\n\f\r\nL4\r\nL5\r\n\f\r\n\r\n\f\r\n");
    // A break after the trailing entry is followed by the final form feed all the same.
    EXPECT_EQ(DataFileText(buffer, 5), "L1\r\nL2\r\nL3\r\nL4\r\nL5\r\n\r\n\f\r\n\f\r\n");

    // The breaks follow option 7; 0 writes none rather than divide by zero.
    options[7] = 3;
    dialog.answer = (dir / "k2.DOC").string();
    saver.SaveAs();
    EXPECT_EQ(File("k2.DOC"), DataFileText(buffer, 2));
    options[7] = 0;
    saver.Save();
    EXPECT_EQ(File("k2.DOC"), "L1\r\nL2\r\nL3\r\nL4\r\nL5\r\n\r\n\f\r\n");
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
    saver.Save();  // no name yet: Save As; the user cancels
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].fileName, "20180503.DOC");
    EXPECT_EQ(dialog.requests[0].initialDirectory, dir.string());
    EXPECT_EQ(saver.SaveFileName, "");
    EXPECT_EQ(File("20180503.DOC"), "<none>");

    const std::string path = (dir / "20180503.DOC").string();
    dialog.answer = path;
    saver.Save();
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
    // Once the data are cleared, Save leaves the named file as it was.
    buffer.EmptyData();
    saver.Save();
    EXPECT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(File("20180503.DOC"), "L1\r\nL2\r\n\r\n\f\r\n");
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

}  // namespace
}  // namespace novarel
