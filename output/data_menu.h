#pragma once
// The Data window's menu, in display order.
#include <array>

#include "output/menu_item.h"

namespace novarel {

enum class DataCommand {
    None,  // submenus and separators
    Save,
    SaveAs,
    // The page as UTF-8 text, and the last run's records.
    SaveText,
    ExportCsv,
    ExportJson,
    ExportCalendar,
    ViewLongitude,
    ViewDeclination,
    ViewRightAscension,
    ViewLatitude,
    RetrogradeTimes,
    FontIncrease,
    FontDecrease,
    FontBold,
    FontItalic,
    ClearAllData,
    PrintPage,
    PrintData,
    MoreForward,
    MoreBackward,
    Today,
    GoToDate,
    Help,
};

using DataMenuItem = MenuItem<DataCommand>;

inline constexpr auto DataMenu = std::to_array<DataMenuItem>({
    {"mnuFile", "&File", "", 0, DataCommand::None},
    {"mnuFileSave", "&Save", "F5", 1, DataCommand::Save},
    {"mnuFileSaveAs", "Save &As", "F6", 1, DataCommand::SaveAs},
    {"mnuFileSaveText", "Save as &text (UTF-8)...", "", 1, DataCommand::SaveText},
    {"mnuSplitExport", "-", "", 1, DataCommand::None},
    {"mnuFileExportCsv", "Export &CSV...", "", 1, DataCommand::ExportCsv},
    {"mnuFileExportJson", "Export &JSON...", "", 1, DataCommand::ExportJson},
    {"mnuFileExportCalendar", "Export &iCalendar...", "", 1, DataCommand::ExportCalendar},
    {"mnuView", "&View", "", 0, DataCommand::None},
    {"mnuViewLongitude", "&Longitude", "F1", 1, DataCommand::ViewLongitude},
    {"mnuViewDeclination", "&Declination", "F4", 1, DataCommand::ViewDeclination},
    {"mnuViewRA", "&Right Ascension", "Ctrl+F1", 1, DataCommand::ViewRightAscension},
    {"mnuViewLatitude", "La&titude", "Ctrl+F4", 1, DataCommand::ViewLatitude},
    {"mnuSplit11", "-", "", 1, DataCommand::None},
    {"mnuRx_Times", "Retro&grade times", "F9", 1, DataCommand::RetrogradeTimes},
    {"mnuFonts", "F&ont", "", 0, DataCommand::None},
    {"mnuFontsIncrease", "&Increase", "F7", 1, DataCommand::FontIncrease},
    {"mnuFontsDecrease", "&Decrease", "F8", 1, DataCommand::FontDecrease},
    {"mnuFontsBold", "&Bold", "F11", 1, DataCommand::FontBold},
    {"mnuFontsItalic", "I&talic", "F12", 1, DataCommand::FontItalic},
    {"mnuClearBuffer", "&Clear all data", "", 0, DataCommand::ClearAllData},
    {"mnuPrint", "&Print page", "", 0, DataCommand::PrintPage},
    {"mnuPrintData", "Print &data", "", 0, DataCommand::PrintData},
    // Hidden until a generator has finished a run in this window.
    {"mnuMore", "&More", "", 0, DataCommand::None, false},
    {"mnuMoreZForward", "&Forward", "F2", 1, DataCommand::MoreForward},
    {"mnuMoreBackward", "&Backward", "F3", 1, DataCommand::MoreBackward},
    // The same kind of run from another start: today's, or a date asked for.
    {"mnuMoreToday", "&Today", "", 1, DataCommand::Today},
    {"mnuMoreGoTo", "&Go to date...", "Ctrl+G", 1, DataCommand::GoToDate},
    {"mnuHelp", "&Help", "", 0, DataCommand::Help},
});

// Index of a menu entry by its control name; -1 when there is none.
constexpr int DataMenuIndex(std::string_view name) {
    for (std::size_t i = 0; i < DataMenu.size(); ++i)
        if (DataMenu[i].name == name) return static_cast<int>(i);
    return -1;
}

}  // namespace novarel
