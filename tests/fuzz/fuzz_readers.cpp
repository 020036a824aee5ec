// Any bytes into the readers of user files (options, settings, ini, help, print file) and typed
// input, the command lines and their ranges, the program folder's choice, a damaged ephemeris
// file, the file of natal charts and the UTF-8 output. The first byte chooses the case; the rest is
// the file or the text. Properties that must hold trap: the settings writer is a fixed point of the
// reader, a file reads back as written, a checked start date is one the input window accepts, a
// range splits into the periods it covers, the output is valid UTF-8.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/date_order.h"
#include "app/days_box.h"
#include "app/options_file.h"
#include "app/settings_file.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/locale_names.h"
#include "core/locale_utf8_names.h"
#include "core/start_date.h"
#include "core/text_file.h"
#include "tests/fuzz/fuzz_cases.h"

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

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t nl = text.find('\n', start);
        lines.push_back(
            text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return lines;
}

// The settings text after reading these lines into a fresh program.
std::string SettingsAfterReading(const std::vector<std::string>& lines) {
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
    SetSettingsDefaults(links);
    ApplySettingsLines(lines, links);
    return SettingsText(links);
}

// Read, write, read, write: the two written texts are the same.
void SettingsRoundTrip(const std::string& text) {
    const std::string first = SettingsAfterReading(SplitLines(text));
    std::vector<std::string> lines = SplitLines(first);
    for (std::string& l : lines)
        if (!l.empty() && l.back() == '\r') l.pop_back();
    const std::string second = SettingsAfterReading(lines);
    if (first != second) {
        std::fprintf(stderr, "settings not a fixed point:\n%s\n---\n%s\n", first.c_str(),
                     second.c_str());
        __builtin_trap();
    }
}

// The bytes through a file: ReadWholeFile gives them back, ReadTextLines
// gives the lines without their CR LF or LF.
void ReadBackFile(const std::string& bytes) {
    using namespace novarel;
    char path[] = "/tmp/novarel_fuzz_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return;
    close(fd);
    if (!WriteWholeFile(path, bytes)) __builtin_trap();
    const auto whole = ReadWholeFile(path);
    const auto lines = ReadTextLines(path);
    unlink(path);
    if (!whole || *whole != bytes || !lines) __builtin_trap();
    std::string joined;
    for (const std::string& l : *lines) joined += l + "\n";
    std::string expected;
    for (std::string l : SplitLines(bytes)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        expected += l + "\n";
    }
    if (!bytes.empty() && bytes.back() == '\n') expected.resize(expected.size() - 1);
    if (bytes.empty()) expected.clear();
    if (joined != expected) __builtin_trap();
}

bool IsUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len = b < 0x80         ? 1
                                : (b >> 5) == 6  ? 2
                                : (b >> 4) == 14 ? 3
                                : (b >> 3) == 30 ? 4
                                                 : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

// Names from the locale, whatever their bytes: decoding steps through the
// whole text and never past it, the single-byte text has one byte per
// letter or stray byte, and fitting to cells keeps a prefix of the name and
// pads it with blanks.
void LocaleNameTexts(const std::string& text) {
    using namespace novarel;
    std::size_t letters = 0;
    for (std::size_t i = 0; i < text.size(); ++letters) {
        const glyph::Utf8Char c = glyph::DecodeUtf8At(text, i);
        if (c.length == 0 || i + c.length > text.size()) __builtin_trap();
        i += c.length;
    }
    if (Utf8ToCp1252(text).size() != letters) __builtin_trap();
    const std::string fitted = FitToCells(text, 3);
    std::size_t same = 0;
    while (same < fitted.size() && same < text.size() && fitted[same] == text[same]) ++same;
    if (fitted.find_first_not_of(' ', same) != std::string::npos) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace novarel;
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    // Selector bytes 0 to 8 keep the cases they had when there were nine; the options file
    // seed (its first byte '0') keeps case 3 too.
    switch (data[0] % 15) {
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
        case 3: SettingsRoundTrip(text); break;
        case 4: LocaleNameTexts(text); break;
        case 5: fuzz::CommandLineRanges(text, (data[0] & 16) != 0); break;
        case 6:
            ReadBackFile(text);
            fuzz::SetJournalReadBack(text);
            break;
        case 7:
            if (!IsUtf8(glyph::TextToUtf8(text))) __builtin_trap();
            break;
        case 8: fuzz::IsoDays(text); break;
        case 9: {
            (void)CorrectDaysText(text);
            (void)LeadingNumber(text);
            std::int16_t v = 0;
            (void)ToInt16(LeadingNumber(text), v);
            (void)FormatFixed(LeadingNumber(text), 2, 1);
            break;
        }
        case 10: fuzz::OptionsFileWarnings(text); break;
        case 11: fuzz::HelpTextShown(text); break;
        case 12: fuzz::PrintFileReadBack(text); break;
        case 13: fuzz::ProgramFolderChoice(text); break;
        case 15: fuzz::ChartFileReadBack(text); break;
        default: fuzz::DamagedEphemerisFile(text); break;
    }
    return 0;
}
