// Any bytes into the readers of user files (options, settings, ini) and typed input. The first byte
// chooses the reader; the rest is the file or the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/date_order.h"
#include "app/days_box.h"
#include "app/options_file.h"
#include "app/settings_file.h"
#include "core/fixed_format.h"
#include "core/julian_day.h"
#include "core/start_date.h"
#include "core/text_file.h"

namespace {

class NullMessages final : public novarel::MessageSink {
public:
    void showMessage(std::string_view, std::string_view, novarel::MessageIcon) override { ++count; }
    int count = 0;
};

class NullView final : public novarel::DataView {
public:
    int innerHeight() override { return 1; }
    void setText(const std::string&) override {}
    void setCaption(const std::string&) override {}
    void showWindow() override {}
};

class NullInputWindow final : public novarel::InputWindowSeam {};

class FixedClock final : public novarel::Clock {
public:
    std::tm now() override {
        std::tm t{};
        t.tm_year = 118;
        t.tm_mon = 4;
        t.tm_mday = 3;
        return t;
    }
};

// The settings file's lines through the reader, then written back.
void ReadSettingsText(const std::string& text) {
    using namespace novarel;
    NullMessages messages;
    NullView view;
    NullInputWindow window;
    FixedClock clock;
    CalcRequest request;
    RunState state;
    DataBuffer buffer(messages, view);
    InputForm input(InputFormLinks{request, state, buffer, window, clock});
    DataWindowSettings data;
    MainWindowPlace main;
    SettingsLinks links{data, main, input};
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t nl = text.find('\n', start);
        lines.push_back(
            text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    ApplySettingsLines(lines, links);
    (void)SettingsText(links);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace novarel;
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 5) {
        case 0: {
            OptionValues v = OptionValues::Factory();
            ParseOptionsText(text, v);
            break;
        }
        case 1:
            (void)DateOrderFromIni(text);
            (void)DateOrderFromFormat(text);
            break;
        case 2: {
            // Three typed boxes separated by NUL bytes, then the checks a generator makes.
            CalcRequest r;
            std::size_t a = text.find('\0');
            std::size_t b = a == std::string::npos ? a : text.find('\0', a + 1);
            r.txtDay = text.substr(0, a);
            r.txtMonth = a == std::string::npos
                             ? ""
                             : text.substr(a + 1, b == std::string::npos ? b : b - a - 1);
            r.txtYear = b == std::string::npos ? "" : text.substr(b + 1);
            r.chkFullMonth = (data[0] & 4) != 0;
            RunState s;
            s.DateOrder = static_cast<std::int16_t>(data[0] % 3);
            NullMessages m;
            ValidateDateInput(r, s, m);
            if (s.InputError == 0) {
                ReadStartDate(r, s);
                s.DateJD = s.DayJD;
                JulianDayToDateText(s);
                CivilDate d;
                if (ParseDateText(s.StartDateText, s.DateOrder, d))
                    (void)FormatDate(d, "dddd, dd mmm yyyy yymmdd w", LocaleNames::English());
            }
            break;
        }
        case 3: ReadSettingsText(text); break;
        default: {
            (void)CorrectDaysText(text);
            (void)LeadingNumber(text);
            std::int16_t v = 0;
            (void)ToInt16(LeadingNumber(text), v);
            (void)FormatFixed(LeadingNumber(text), 2, 1);
            break;
        }
    }
    return 0;
}
