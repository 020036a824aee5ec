#pragma once
// The Data window (OutputD1) without its toolkit: the state of its text font
// and menu items, and what each event and menu command does.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/calc_request.h"
#include "core/option_values.h"
#include "core/run_state.h"
#include "core/seams.h"
#include "output/data_buffer.h"
#include "output/data_menu.h"
#include "output/data_saver.h"
#include "output/generators.h"
#include "output/output_seams.h"
#include "output/printing.h"
#include "output/window_place.h"

namespace novarel {

inline constexpr const char* GlyphFontName = "EPHEMERI";
inline constexpr const char* GlyphFontFile = "EPHEMERI.TTF";
// Its bold face, beside it; without it Font > Bold draws the regular face.
inline constexpr const char* GlyphBoldFontFile = "EPHEMERIB.TTF";
inline constexpr const char* DataWindowHelpFile = "OUTPUTD1.HLP";
inline constexpr double LargestStepFontSize = 12;  // Increase sets the text size only below this
inline constexpr double SmallestStepFontSize = 8;  // Decrease sets the text size only above this

// The font and place of the Data window that the settings file keeps.
struct DataWindowSettings {
    double FontSize = 10;
    double FontBold = 0;  // 0 off, any other value on; the window stores -1 for on
    double FontItalic = 0;
    double FontStep = 1.5;  // chosen at start-up from the screen
    std::int16_t DataTop = 660;
    std::int32_t DataLeft = 0;
    std::int16_t DataHeight = 6540;
    std::int16_t DataWidth = 9600;
    // Printed pages turned sideways (Printer Setup's orientation).
    bool PrintLandscape = false;

    WindowRect rect() const {
        return {double(DataTop), double(DataLeft), double(DataHeight), double(DataWidth)};
    }
};

// What the toolkit window shows besides its text.
struct DataWindowState {
    bool loaded = false;
    bool PositioningFlag = false;
    std::string textFontFace;
    double textFontSize = 10;
    bool textBold = false;
    bool textItalic = false;
    std::array<MenuItemState, DataMenu.size()> menu{};

    MenuItemState& item(DataCommand command);
    const MenuItemState& item(DataCommand command) const;
    const MenuItemState& item(std::string_view name) const;
};

enum class MouseButton { Left, Right, Middle };

struct DataWindowLinks {
    DataBuffer& buffer;
    CalcRequest& request;
    RunState& state;
    const OptionValues& options;
    DataWindowSettings& settings;
    MessageSink& messages;
    ProgressSink& progress;
    DataView& view;  // the text area
    DataWindowSeam& window;
    SaveFileDialog& dialog;
    PrintPreviewSeam& preview;
    Printer& printer;
    std::string programDirectory;
    // Where the glyph font file may be, in order; none: the program folder.
    std::vector<std::string> glyphFontPlaces = {};
};

class DataWindow {
public:
    explicit DataWindow(DataWindowLinks links);

    void setGenerators(Generators& generators) { generators_ = &generators; }
    // Called by the view when the window is first needed; false when the glyph
    // font could not be had (the program then ends).
    bool Load();
    // The glyph font, added from the first of its places that holds it;
    // without it the program cannot show a table, says so with every place
    // looked in, and ends.
    bool AddGlyphFont();
    // Resize and deactivate: the place is kept unless the window is being placed.
    void Resize(const WindowRect& rect);
    void Deactivate(const WindowRect& rect) { Resize(rect); }
    // The user closed the window; the buffer keeps its data.
    void Unload();
    // The main window's "&Input" closes the window.
    void Close();

    void Run(DataCommand command);
    void ShowView(DataOutput coordinate);
    void RetrogradeTimes();
    void IncreaseFont();
    void DecreaseFont();
    void ToggleBold();
    void ToggleItalic();
    void ClearAllData();
    void MoreForward();
    void MoreBackward();
    // The last kind of run again for the period that starts on this date.
    void GoToDate(const CivilDate& date);
    void Help();

    // Text area events. KeyPress returns true when the key is discarded.
    bool KeyPress(int characterCode);
    void MouseUp(MouseButton button);

    // A generator has finished a run: "&More" becomes visible.
    void ShowMoreMenu();

    const DataWindowState& state() const { return state_; }
    DataSaver saver;
    PrintCommands printing;

private:
    // Bold or italic: the text, the check mark and the stored setting.
    void ToggleStyle(bool& on, DataCommand item, double& setting);
    void RefreshAfterFont();
    void StepPeriod(double newDateJD);
    void Changed();

    DataWindowLinks links_;
    Generators* generators_;
    NoGenerators none_;
    DataWindowState state_;
};

// The DataView the buffer writes to: loads the Data window on first use,
// then passes everything on to the toolkit's text area.
class LoadingDataView final : public DataView {
public:
    LoadingDataView(DataWindow& window, DataView& view) : window_(window), view_(view) {}
    int innerHeight() override;
    std::size_t textCapacity() const override { return view_.textCapacity(); }
    void setText(const std::string& text) override { view_.setText(text); }
    void setCaption(const std::string& caption) override { view_.setCaption(caption); }
    void showWindow() override { view_.showWindow(); }
    void showEnd() override { view_.showEnd(); }

private:
    DataWindow& window_;
    DataView& view_;
};

}  // namespace novarel
