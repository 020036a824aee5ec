// The file of natal charts: what it holds, how damage is reported, and that
// no failure or concurrent save loses a chart.
#include "natal/chart_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/text_file.h"
#include "tests/support/temp_folder.h"

namespace novarel {
namespace {

NatalChart Chart(std::string name) {
    NatalChart chart;
    chart.name = std::move(name);
    chart.date = {1975, 6, 21};
    chart.hour = 14;
    chart.minute = 30;
    chart.timeZone = "America/New_York";
    return chart;
}

std::string Read(const std::string& path) { return ReadWholeFile(path).value_or("<missing>"); }

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class ChartFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string path = folder.file(std::string(ChartFileName));
};

TEST_F(ChartFileTest, SavedChartsReadBackFromAFileAPersonCanRead) {
    EXPECT_TRUE(ReadChartFile(path).charts.empty());  // no file yet: no charts, no error
    EXPECT_TRUE(ReadChartFile(path).error.empty());
    NatalChart placed = Chart("Ann Lee");
    placed.place = PlaceOnEarth{40.7128, -74.006};
    ASSERT_EQ(SaveChart(path, placed), "");
    ASSERT_EQ(SaveChart(path, Chart("Zoë")), "");
    EXPECT_EQ(Read(path),
              "{\n"
              "  \"charts\": [\n"
              "    {\n"
              "      \"name\": \"Ann Lee\",\n"
              "      \"date\": \"1975-06-21\",\n"
              "      \"time\": \"14:30\",\n"
              "      \"time_zone\": \"America/New_York\",\n"
              "      \"latitude\": 40.7128,\n"
              "      \"longitude\": -74.006\n"
              "    },\n"
              "    {\n"
              "      \"name\": \"Zoë\",\n"
              "      \"date\": \"1975-06-21\",\n"
              "      \"time\": \"14:30\",\n"
              "      \"time_zone\": \"America/New_York\"\n"
              "    }\n"
              "  ]\n"
              "}\n");
    const ChartList list = ReadChartFile(path);
    ASSERT_EQ(list.charts.size(), 2u);
    EXPECT_EQ(FindChart(list, "Ann Lee")->place->longitude, -74.006);
    EXPECT_FALSE(FindChart(list, "Zoë")->place);
    EXPECT_FALSE(FindChart(list, "ann lee"));

    // Renamed in place, then a taken name refused, then deleted.
    ASSERT_EQ(SaveChart(path, Chart("Ann Lee-Smith"), "Ann Lee"), "");
    EXPECT_EQ(ReadChartFile(path).charts.front().name, "Ann Lee-Smith");
    EXPECT_EQ(SaveChart(path, Chart("Zoë"), "Ann Lee-Smith"),
              "A chart named \"Zoë\" exists already.");
    EXPECT_EQ(SaveChart(path, Chart("Zoë")), "A chart named \"Zoë\" exists already.");
    ASSERT_EQ(DeleteChart(path, "Zoë"), "");
    ASSERT_EQ(ReadChartFile(path).charts.size(), 1u);
    // A chart with a problem is refused before the file is touched.
    NatalChart wrong = Chart("Late");
    wrong.minute = 60;
    EXPECT_EQ(SaveChart(path, wrong), "The birth time 14:60 is not a time of day.");
}

TEST_F(ChartFileTest, DamageIsReportedWithItsLineAndTheFileIsNeverReplaced) {
    const std::string missingComma =
        "{\n  \"charts\": [\n    {\n      \"name\": \"Ann\"\n      \"date\": \"1975-06-21\"\n";
    const std::string wrongDate =
        "{\"charts\": [\n {\"name\": \"Ann\", \"date\": \"1975-06-21\", \"time\": \"14:30\"},\n"
        " {\"name\": \"Bob\",\n  \"date\": \"1975-02-30\", \"time\": \"09:00\"}\n]}\n";
    const std::string twice =
        "{\"charts\": [\n {\"name\": \"Ann\", \"date\": \"1975-06-21\", \"time\": \"14:30\"},\n"
        " {\"name\": \"Ann\", \"date\": \"1975-06-21\", \"time\": \"14:30\"}\n]}\n";
    const std::string noList = "[1, 2]\n";
    struct Case {
        std::string bytes;
        std::string error;
    } cases[] = {
        {missingComma,
         ", line 5: syntax error while parsing object - unexpected string literal; "
         "expected '}'"},
        {wrongDate,
         ", line 3: the chart \"Bob\": The birth date 1975-02-30 is not a date of the "
         "calendar."},
        {twice, ", line 3: a second chart is named \"Ann\""},
        {noList, ", line 1: the file holds no \"charts\": [ ... ] list"},
    };
    for (const Case& c : cases) {
        Write(path, c.bytes);
        const ChartList list = ReadChartFile(path);
        EXPECT_EQ(list.error, path + c.error);
        EXPECT_TRUE(list.charts.empty());
        const std::string refused = SaveChart(path, Chart("New"));
        EXPECT_NE(refused.find("cannot be read, so it was left as it is: " + path + c.error),
                  std::string::npos)
            << refused;
        EXPECT_FALSE(DeleteChart(path, "Ann").empty());
        EXPECT_EQ(Read(path), c.bytes);
    }
}

TEST_F(ChartFileTest, TwoProgramsSavingAtOnceKeepEveryChart) {
    constexpr int PerProgram = 15;
    pid_t children[2];
    for (int program = 0; program < 2; ++program) {
        children[program] = fork();
        ASSERT_GE(children[program], 0);
        if (children[program] == 0) {
            int failures = 0;
            for (int i = 0; i < PerProgram; ++i)
                if (!SaveChart(path, Chart(std::to_string(program) + "-" + std::to_string(i)))
                         .empty())
                    ++failures;
            _exit(failures);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(ReadChartFile(path).charts.size(), 2u * PerProgram);
}

}  // namespace
}  // namespace novarel
