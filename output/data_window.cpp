#include "output/data_window.h"

#include "core/julian_day.h"
#include "core/messages.h"
#include "core/start_date.h"
#include "output/help_viewer.h"

namespace novarel {
namespace {
constexpr std::string_view ClearedMessage = "All data cleared from buffer.";
constexpr std::string_view FontMissingMessage =
    "Error - unable to add EPHEMERI font. Please add EPHEMERI font through CONTROL PANEL, then "
    "restart "
    "NOVAREL.";
constexpr std::string_view FontMissingTitle = "EPHEMERI.TTF Font Not Added";
constexpr int EscapeKey = 27;

constexpr std::size_t IndexOf(DataCommand command) {
    for (std::size_t i = 0; i < DataMenu.size(); ++i)
        if (DataMenu[i].command == command) return i;
    return 0;
}
constexpr std::size_t MoreMenuIndex = static_cast<std::size_t>(DataMenuIndex("mnuMore"));
static_assert(DataMenuIndex("mnuMore") >= 0);
}  // namespace

MenuItemState& DataWindowState::item(DataCommand command) { return menu[IndexOf(command)]; }
const MenuItemState& DataWindowState::item(DataCommand command) const {
    return menu[IndexOf(command)];
}
const MenuItemState& DataWindowState::item(std::string_view name) const {
    const int i = DataMenuIndex(name);
    return menu[i < 0 ? 0 : static_cast<std::size_t>(i)];
}

DataWindow::DataWindow(DataWindowLinks links)
    : saver(links.buffer, links.state, links.options, links.messages, links.dialog,
            links.programDirectory),
      printing(links.buffer, links.options, links.messages, links.progress, links.preview,
               links.printer, links.programDirectory),
      links_(links),
      generators_(&none_) {
    for (std::size_t i = 0; i < DataMenu.size(); ++i)
        state_.menu[i].visible = DataMenu[i].visibleAtStart;
}

void DataWindow::Changed() { links_.window.applyState(state_); }

bool DataWindow::AddGlyphFont() {
    DataWindowSeam& w = links_.window;
    if (w.hasFontFace(GlyphFontName)) return true;
    std::vector<std::string> places = links_.glyphFontPlaces;
    if (places.empty()) places.push_back(links_.programDirectory + "/" + GlyphFontFile);
    for (const std::string& place : places)
        if (w.addFontFile(place) && w.hasFontFace(GlyphFontName)) {
            const std::size_t slash = place.find_last_of('/');
            w.addFontFile(place.substr(0, slash == std::string::npos ? 0 : slash + 1) +
                          GlyphBoldFontFile);
            return true;
        }
    // The message as it always was, then where the file was looked for.
    std::string looked;
    for (const std::string& place : places) looked += (looked.empty() ? "" : ", ") + place;
    links_.messages.showMessage(
        std::string(FontMissingMessage) + "\n\nThe font file was looked for at: " + looked + ".",
        FontMissingTitle, MessageIcon::Critical);
    w.endProgram();
    return false;
}

bool DataWindow::Load() {
    // A new window starts from its design state.
    state_ = DataWindowState{};
    for (std::size_t i = 0; i < DataMenu.size(); ++i)
        state_.menu[i].visible = DataMenu[i].visibleAtStart;
    state_.loaded = true;

    state_.PositioningFlag = true;
    links_.window.placeWindow(links_.settings.rect());
    state_.PositioningFlag = false;

    if (!AddGlyphFont()) {
        state_.loaded = false;
        return false;
    }
    state_.textFontFace = GlyphFontName;

    const DataWindowSettings& s = links_.settings;
    state_.textFontSize = s.FontSize;
    state_.textBold = s.FontBold != 0;
    state_.textItalic = s.FontItalic != 0;
    state_.item(DataCommand::FontBold).checked = state_.textBold;
    state_.item(DataCommand::FontItalic).checked = state_.textItalic;
    links_.view.setText("");

    const bool ephemeris = links_.state.OutputKind == OutputKind::Ephemeris;
    for (DataCommand c : {DataCommand::ViewLongitude, DataCommand::ViewDeclination,
                          DataCommand::ViewRightAscension, DataCommand::ViewLatitude})
        state_.item(c).enabled = ephemeris;
    state_.item(DataCommand::RetrogradeTimes).enabled = !ephemeris;
    Changed();
    return true;
}

void DataWindow::Resize(const WindowRect& rect) {
    if (state_.PositioningFlag) return;
    const StoredPlace p = StorePlace(rect);
    DataWindowSettings& s = links_.settings;
    s.DataTop = p.top;
    s.DataLeft = p.left;
    s.DataWidth = p.width;
    s.DataHeight = p.height;
}

void DataWindow::Unload() { state_.loaded = false; }

void DataWindow::Close() {
    if (!state_.loaded) return;
    links_.window.closeWindow();
    state_.loaded = false;
}

void DataWindow::Run(DataCommand command) {
    switch (command) {
        case DataCommand::None: return;
        case DataCommand::Save: saver.Save(); return;
        case DataCommand::SaveAs: saver.SaveAs(); return;
        case DataCommand::ViewLongitude: ShowView(DataOutput::Longitude); return;
        case DataCommand::ViewDeclination: ShowView(DataOutput::Declination); return;
        case DataCommand::ViewRightAscension: ShowView(DataOutput::RightAscension); return;
        case DataCommand::ViewLatitude: ShowView(DataOutput::Latitude); return;
        case DataCommand::RetrogradeTimes: RetrogradeTimes(); return;
        case DataCommand::FontIncrease: IncreaseFont(); return;
        case DataCommand::FontDecrease: DecreaseFont(); return;
        case DataCommand::FontBold: ToggleBold(); return;
        case DataCommand::FontItalic: ToggleItalic(); return;
        case DataCommand::ClearAllData: ClearAllData(); return;
        case DataCommand::PrintPage: printing.PrintPage(); return;
        case DataCommand::PrintData: printing.PrintData(); return;
        case DataCommand::MoreForward: MoreForward(); return;
        case DataCommand::MoreBackward: MoreBackward(); return;
        // The program knows today's date and asks for another one.
        case DataCommand::Today:
        case DataCommand::GoToDate: return;
        // The exports' code lies above this window's, with the program's.
        case DataCommand::SaveText:
        case DataCommand::ExportCsv:
        case DataCommand::ExportJson:
        case DataCommand::ExportCalendar: return;
        case DataCommand::Help: Help(); return;
    }
}

void DataWindow::ShowView(DataOutput coordinate) {
    BusyPointer busy(links_.progress);
    generators_->showTable(coordinate);
}

// A failure has been said with a message; the page stays as it was.
void DataWindow::RetrogradeTimes() { (void)generators_->listStations(); }

void DataWindow::IncreaseFont() {
    DataWindowSettings& s = links_.settings;
    if (s.FontSize < LargestStepFontSize) state_.textFontSize = s.FontSize + s.FontStep / 2;
    s.FontSize += s.FontStep / 2;
    Changed();
    RefreshAfterFont();
}

void DataWindow::DecreaseFont() {
    DataWindowSettings& s = links_.settings;
    if (s.FontSize > SmallestStepFontSize) state_.textFontSize = s.FontSize - s.FontStep / 2;
    s.FontSize -= s.FontStep / 2;
    Changed();
    RefreshAfterFont();
}

void DataWindow::ToggleBold() {
    ToggleStyle(state_.textBold, DataCommand::FontBold, links_.settings.FontBold);
}

void DataWindow::ToggleItalic() {
    ToggleStyle(state_.textItalic, DataCommand::FontItalic, links_.settings.FontItalic);
}

void DataWindow::ToggleStyle(bool& on, DataCommand item, double& setting) {
    on = !on;
    state_.item(item).checked = on;
    setting = on ? -1 : 0;  // the settings file keeps -1 for on
    Changed();
    RefreshAfterFont();
}

void DataWindow::RefreshAfterFont() {
    if (links_.buffer.PageLineCount() == 0) return;
    BusyPointer busy(links_.progress);
    links_.buffer.ShowPage();
    const double size = links_.settings.FontSize;
    state_.item(DataCommand::FontDecrease).enabled = size > SmallestStepFontSize;
    state_.item(DataCommand::FontIncrease).enabled = size < LargestStepFontSize;
    Changed();
}

void DataWindow::ClearAllData() {
    links_.buffer.EmptyData();
    links_.messages.showMessage(ClearedMessage, msg::TitleInformationBang,
                                MessageIcon::Exclamation);
}

void DataWindow::MoreForward() { StepPeriod(links_.state.DayJD + 1); }

void DataWindow::MoreBackward() {
    const RunState& s = links_.state;
    // The days box keeps NumberOfDays within 1..366, so the product cannot overflow.
    const double jd = links_.request.chkFullMonth ? s.DayJD - 53
                                                  : s.DayJD - 2.0 * links_.request.NumberOfDays + 1;
    StepPeriod(jd);
}

void DataWindow::GoToDate(const CivilDate& date) {
    StepPeriod(CalendarToJulianDay(date.year, date.month, date.day));
}

void DataWindow::StepPeriod(double newDateJD) {
    RunState& s = links_.state;
    s.DateJD = newDateJD;
    JulianDayToDateText(s);
    const CivilDate d = JulianDayToCivil(s.DateJD);
    links_.request.txtDay = std::to_string(d.day);
    links_.request.txtYear = std::to_string(d.year);
    links_.request.txtMonth = std::to_string(d.month);
    switch (s.OutputKind) {
        case OutputKind::Ephemeris: generators_->runEphemeris(); return;
        case OutputKind::Transits: generators_->runTransits(); return;
        case OutputKind::Aspectarian: generators_->runAspectarian(); return;
    }
}

void DataWindow::Help() {
    ShowHelpText(links_.buffer, links_.messages, links_.programDirectory, DataWindowHelpFile);
}

bool DataWindow::KeyPress(int characterCode) {
    if (characterCode != EscapeKey) return false;
    links_.window.activateMainWindow();
    return true;
}

void DataWindow::MouseUp(MouseButton button) {
    if (button == MouseButton::Right) links_.window.activateMainWindow();
}

void DataWindow::ShowMoreMenu() {
    state_.menu[MoreMenuIndex].visible = true;
    Changed();
}

int LoadingDataView::innerHeight() {
    if (!window_.state().loaded && !window_.Load()) return 0;
    return view_.innerHeight();
}

}  // namespace novarel
