#include "core/fixed_format.h"

#include <gtest/gtest.h>

#include <clocale>

namespace novarel {
namespace {

TEST(FormatFixed, PadsAndRoundsHalfAwayFromZero) {
    EXPECT_EQ(FormatFixed(7, 2, 0), "07");
    EXPECT_EQ(FormatFixed(7.3, 2, 1), "07.3");
    EXPECT_EQ(FormatFixed(52.25, 1, 1), "52.3");  // exact half goes up
    EXPECT_EQ(FormatFixed(0.15, 1, 1), "0.2");    // the decimal value, not the binary one
    EXPECT_EQ(FormatFixed(59.95, 2, 1), "60.0");  // no carry into anything else
    EXPECT_EQ(FormatFixed(59.5, 2, 0), "60");
    EXPECT_EQ(FormatFixed(2451544.5, 0, 1), "2451544.5");
    EXPECT_EQ(FormatFixed(123, 2, 0), "123");
    EXPECT_EQ(FormatFixed(-2.5, 1, 0), "-3");
    EXPECT_EQ(FormatFixed(-0.04, 1, 1), "0.0");
}

TEST(FormatFixed, UsesAPointWhateverTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_EQ(FormatFixed(52.27, 1, 1), "52.3");
        EXPECT_EQ(NumberText(7.75), " 7.75");
        EXPECT_EQ(LeadingNumber("1.5"), 1.5);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(FormatFixed(52.27, 1, 1), "52.3");
}

TEST(LeadingNumber, ReadsOnlyTheLeadingNumber) {
    EXPECT_EQ(LeadingNumber("   1.5 description"), 1.5);
    EXPECT_EQ(LeadingNumber("1 "), 1);
    EXPECT_EQ(LeadingNumber("1x"), 1);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-300"), -300);
    EXPECT_EQ(LeadingNumber("1e3"), 1000);
    EXPECT_EQ(LeadingNumber("1e"), 1);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_GT(LeadingNumber(std::string(400, '9')), 1e300);  // no exception, no infinity
    EXPECT_EQ(LeadingNumber("1e-999"), 0);
}

}  // namespace
}  // namespace novarel
