#include "app/date_order.h"

#include <gtest/gtest.h>

#include "core/text_file.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_folder.h"

namespace novarel {
namespace {

TEST(DateOrder, FromIniLinesOrTheLocaleFormat) {
    // The last iDate line wins, its key in any case; a value that does not fit gives 0.
    EXPECT_EQ(DateOrderFromIni("[intl]\r\niDate=1\r\n"), 1);
    EXPECT_EQ(DateOrderFromIni("IDATE=1\niDate=2\n"), 2);
    EXPECT_EQ(DateOrderFromIni("iDate=abc"), 0);
    EXPECT_EQ(DateOrderFromIni("iDate=99999"), 0);
    EXPECT_FALSE(DateOrderFromIni(std::string("sDate=/\r\n\0\0", 11)).has_value());

    EXPECT_EQ(DateOrderFromFormat("%m/%d/%y"), 0);  // C and en_US
    EXPECT_EQ(DateOrderFromFormat("%d.%m.%Y"), 1);  // de_DE
    EXPECT_EQ(DateOrderFromFormat("%Y-%m-%d"), 2);  // sv_SE
    EXPECT_EQ(DateOrderFromFormat("%F"), 2);
    EXPECT_EQ(DateOrderFromFormat("garbage"), 0);

    EXPECT_EQ(DetectDateOrder(std::string(NOVAREL_TEST_DATA) + "/intl_idate1.ini"), 1);
    // A missing file or a folder falls back to the locale without a word.
    const auto fallback = DetectDateOrder("");
    EXPECT_EQ(DetectDateOrder("/nonexistent/win.ini"), fallback);
    EXPECT_EQ(DetectDateOrder("/tmp"), fallback);
}

TEST(DateOrder, AnIniFileLargerThanOneMebibyteIsRefusedByName) {
    test::TempFolder dir;
    const std::string ini = dir.file("win.ini");
    ASSERT_TRUE(WriteWholeFile(ini, "iDate=1\r\n" + std::string(std::size_t{1} << 20, ' ')));
    EXPECT_EQ(DetectDateOrder(ini), DetectDateOrder(""));
    test::RecordingMessages messages;
    ReportIniTooLarge(ini, messages);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "The ini file " + ini +
                  " is larger than 1 MiB and is not read. The date order comes from the locale.");
    ReportIniTooLarge(std::string(NOVAREL_TEST_DATA) + "/intl_idate1.ini", messages);
    EXPECT_EQ(messages.messages.size(), 1u);
}

}  // namespace
}  // namespace novarel
