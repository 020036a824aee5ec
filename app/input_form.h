#pragma once
// The input window (InputD, "Input Data") without its toolkit. Its controls
// are the calculation request: the date boxes, the check boxes and option
// groups live in CalcRequest; the form adds the days box text, the spin bar,
// the window's place and the two generate buttons.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_seams.h"
#include "core/calc_request.h"
#include "core/run_state.h"
#include "output/data_buffer.h"
#include "output/generators.h"
#include "output/window_place.h"

namespace novarel {

inline constexpr std::string_view InputWindowTitle = "Input Data";

// The window's controls with their captions (design state in CalcRequest and
// InputForm), as data, so that a front end builds the window from the logic.
struct InputControl {
    std::string_view name;
    std::string_view caption;
    std::string_view frame;  // the frame holding an option button, else empty
};

inline constexpr auto InputControls = std::to_array<InputControl>({
    {"lblMonth", "Month", ""},
    {"lblDay", "Day", ""},
    {"lblYear", "Year", ""},
    {"Label1", "# of Days", ""},
    {"chkFullMonth", "Calculate full month", ""},
    {"chkSaveData", "Save data to file", ""},
    {"chkMoonChange", "Moon - change sign only (Asp.)", ""},
    {"lblTimeZone", "Time zone", ""},
    {"Frame4", "GMT", ""},
    {"optMidnight", "Midnight", "Frame4"},
    {"optNoon", "Noon", "Frame4"},
    {"Frame5", "Data Output", ""},
    {"optLongitude", "Longitude", "Frame5"},
    {"optDeclination", "Declination", "Frame5"},
    {"optLatitude", "Latitude", "Frame5"},
    {"optRightAscension", "R. Ascension", "Frame5"},
    {"Frame7", "Coordinates", ""},
    {"optGeo", "Geocentric", "Frame7"},
    {"optHelio", "Heliocentric", "Frame7"},
    {"Frame8", "Nodes", ""},
    {"optMean", "Mean", "Frame8"},
    {"optTrue", "True", "Frame8"},
    {"Frame9", "Zodiac", ""},
    {"optTropical", "Tropical", "Frame9"},
    {"optSidereal", "Sidereal", "Frame9"},
    {"optAyanamsa", "Ayanamsa", "Frame9"},
    {"Frame10", "Moon - Change sign", ""},
    {"optDisplay", "Display", "Frame10"},
    {"optNoDisplay", "Do not display", "Frame10"},
    {"cmdEphemeris", "Calculate Ephemeris", ""},
    {"cmdAspectarian", "Calculate Aspectarian", ""},
});

// An option button of the window and the choice of the request it stands
// for: one table drives both the button's click and the refresh that shows
// the request's choices again.
struct RequestOption {
    std::string_view control;
    void (*choose)(CalcRequest& request);
    bool (*chosen)(const CalcRequest& request);
};

template <auto Field, auto Value>
constexpr RequestOption OptionFor(std::string_view control) {
    return {control, [](CalcRequest& r) { r.*Field = Value; },
            [](const CalcRequest& r) { return r.*Field == Value; }};
}

// In the window's keyboard order.
inline constexpr auto RequestOptions = std::to_array<RequestOption>({
    OptionFor<&CalcRequest::type, TimeOfDay::Midnight>("optMidnight"),
    OptionFor<&CalcRequest::type, TimeOfDay::Noon>("optNoon"),
    OptionFor<&CalcRequest::dataOutput, DataOutput::Longitude>("optLongitude"),
    OptionFor<&CalcRequest::dataOutput, DataOutput::Declination>("optDeclination"),
    OptionFor<&CalcRequest::dataOutput, DataOutput::Latitude>("optLatitude"),
    OptionFor<&CalcRequest::dataOutput, DataOutput::RightAscension>("optRightAscension"),
    OptionFor<&CalcRequest::coordinates, Centre::Geo>("optGeo"),
    OptionFor<&CalcRequest::coordinates, Centre::Helio>("optHelio"),
    OptionFor<&CalcRequest::zodiac, Zodiac::Tropical>("optTropical"),
    OptionFor<&CalcRequest::zodiac, Zodiac::Sidereal>("optSidereal"),
    OptionFor<&CalcRequest::zodiac, Zodiac::Ayanamsa>("optAyanamsa"),
    OptionFor<&CalcRequest::moonNodes, NodeKind::Mean>("optMean"),
    OptionFor<&CalcRequest::moonNodes, NodeKind::True>("optTrue"),
    OptionFor<&CalcRequest::moonChangeSign, MoonChangeSign::Display>("optDisplay"),
    OptionFor<&CalcRequest::moonChangeSign, MoonChangeSign::NoDisplay>("optNoDisplay"),
});

// A check box that sets a request field of its own (the full-month box also
// checks the days again: InputForm::SetFullMonth).
struct RequestCheck {
    std::string_view control;
    bool CalcRequest::*field;
};
inline constexpr auto RequestChecks = std::to_array<RequestCheck>({
    {"chkSaveData", &CalcRequest::chkSaveData},
    {"chkMoonChange", &CalcRequest::chkMoonChange},
});

// The sunken outline drawn around the four number labels.
inline constexpr std::array<std::string_view, 4> OutlinedLabels{"lblMonth", "lblDay", "lblYear",
                                                                "Label1"};
inline constexpr unsigned LabelOutlineDark = 0x808080;
inline constexpr unsigned LabelOutlineLight = 0xFFFFFF;
inline constexpr int LabelOutlineOffsetTwips = 15;

struct TextSelection {
    int start = 0;
    int length = 0;
};

struct InputFormLinks {
    CalcRequest& request;
    RunState& state;
    DataBuffer& buffer;
    InputWindowSeam& window;
    Clock& clock;
};

class InputForm {
public:
    explicit InputForm(InputFormLinks links);

    // Last known place and size (the settings file keeps them).
    std::int16_t InputTop = 1260;
    std::int32_t InputLeft = 0;
    std::int16_t InputHeight = 5565;
    std::int16_t InputWidth = 5865;
    bool PositioningFlag = false;

    // The days box and its spin bar (range 1..366).
    const std::string& txtDays() const { return txtDays_; }
    std::int16_t VSDays() const { return VSDays_; }

    // The controls; touching them loads the window first, as any use of a
    // control does.
    CalcRequest& Controls();
    const CalcRequest& request() const { return links_.request; }

    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }

    // Load: place the window without recording the place, today's date into
    // the date boxes, NoonFlag from the option buttons. Runs once.
    void EnsureLoaded();
    void Resize(const WindowRect& rect);
    void Deactivate(const WindowRect& rect) { Resize(rect); }

    // Key filter of the four number boxes: Backspace and digits pass.
    static bool KeyPasses(int characterCode);
    // Focus on a number box selects its whole text.
    static TextSelection SelectionOnFocus(const std::string& text);

    // txtDays changed (typed, pasted or set by the program): 1..366 stands,
    // 0 or empty becomes "1", anything above 366 becomes "366".
    void DaysTextChanged(const std::string& text);
    // The working number of days alone, as the settings reader sets it.
    void SetWorkingDays(std::int16_t days) { links_.request.NumberOfDays = days; }
    // The spin bar moved.
    void SpinChanged(int value);
    // chkFullMonth clicked or set: the days box is checked once more.
    void SetFullMonth(bool checked);

    // The two generate buttons: NoonFlag, an empty buffer, the output kind,
    // then the generator.
    RunOutcome CalculateEphemeris(Generators& generators);
    RunOutcome CalculateAspectarian(Generators& generators);
    RunOutcome CalculateTransits(Generators& generators);

    void Show();
    void Hide();
    // Tell the toolkit window that the program changed control values.
    void Refresh();

private:
    void PrepareRun(OutputKind outputKind);
    // After a run refused for its input, the keyboard goes to the first
    // wrong date box, where the correction starts.
    RunOutcome FocusWrongBox(RunOutcome outcome);

    InputFormLinks links_;
    std::string txtDays_ = "30";
    std::int16_t VSDays_ = 30;
    bool loaded_ = false;
    bool visible_ = false;
};

}  // namespace novarel
