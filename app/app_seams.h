#pragma once
// Platform seams of the application shell: the main and input windows, the
// screen, the clock and the small dialogs: what a toolkit must supply for the
// shell to run. Tests record what the logic asked for.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "core/start_date.h"
#include "output/menu_item.h"
#include "output/window_place.h"

namespace novarel {

class InputForm;

// The menu-only main window whose title is the running clock.
class MainWindowSeam {
public:
    virtual ~MainWindowSeam() = default;
    virtual void placeWindow(const WindowRect& /*rect*/) {}
    virtual void show() {}
    virtual void setTitle(const std::string& /*title*/) {}
    virtual void menuChanged(std::string_view /*name*/, const MenuItemState& /*state*/) {}
    // Every window closes and the process ends after this returns, with a
    // non-zero status when the exit could not keep the settings.
    virtual void endProgram(int /*exitCode*/) {}
};

// The input window "Input Data".
class InputWindowSeam {
public:
    virtual ~InputWindowSeam() = default;
    // The toolkit may report resizes while the window is placed.
    virtual void placeWindow(const WindowRect& /*rect*/) {}
    virtual void show() {}  // modeless
    virtual void hide() {}
    // The program changed control values (days box, date boxes, options).
    virtual void refresh(const InputForm& /*form*/) {}
    // The keyboard goes to a date box whose value is wrong.
    virtual void focusDateBox(DateBox /*box*/) {}
};

class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual double screenWidthTwips() = 0;
    virtual double twipsPerPixelX() = 0;
    // The width of a Data window that shows so many characters of the glyph
    // font at a size in points, its frame and scroll bar included; 0 when
    // not known.
    virtual double textWidthTwips(int /*characters*/, double /*points*/) { return 0; }
};

class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time now.
    virtual std::tm now() = 0;
};

// Windows of the shell that the logic only opens.
class ShellWindows {
public:
    virtual ~ShellWindows() = default;
    // Modal; returns when the user has pressed OK.
    virtual void showNotice() {}
    virtual void showAbout() {}
    // The options editor window (its logic is OptionsEditor).
    virtual void showOptionsEditor() {}
    // The platform's printer setup dialog; its errors are ignored.
    virtual void printerSetup() {}
    // Asks for a start date, proposing initial; none when cancelled.
    virtual std::optional<CivilDate> askDate(const CivilDate& /*initial*/) { return std::nullopt; }
    // The natal charts window: enter, edit, delete and choose charts.
    virtual void showNatalCharts() {}
    // The graphic ephemeris window for the current request.
    virtual void showGraphicEphemeris() {}
};

}  // namespace novarel
