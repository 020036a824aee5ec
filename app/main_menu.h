#pragma once
// The main window's menu and the help topics, in display order.
#include <array>
#include <string_view>

#include "output/menu_item.h"

namespace novarel {

enum class MainCommand {
    None,  // submenus and separators
    PrinterSetup,
    Exit,
    Input,
    Options,
    Background,
    HelpMainMenu,
    HelpPhilosophy,
    HelpInputWindow,
    HelpOptionsWindow,
    HelpDataWindow,
    HelpPrintWindow,
    HowDoI,
    ReadingList,
    Tips,
    ShortcutKeys,
    License,
    RevisionHistory,
    About,
    NatalCharts,
    Transits,
    GraphicEphemeris,
};

using MainMenuItem = MenuItem<MainCommand>;

inline constexpr auto MainMenu = std::to_array<MainMenuItem>({
    {"mnuFile", "&File", "", 0, MainCommand::None},
    {"mnuPrSetup", "&Printer Setup", "F11", 1, MainCommand::PrinterSetup},
    {"mnuSplit52", "-", "", 1, MainCommand::None},
    {"mnuFileExit", "E&xit", "F12", 1, MainCommand::Exit},
    // Shown once a generator has hidden the input window.
    {"mnuInputData", "&Input", "", 0, MainCommand::Input, false},
    {"mnuOptions", "&Options", "", 0, MainCommand::Options},
    // A person's charts: the transits to one and the graph of the period.
    {"mnuCharts", "&Charts", "", 0, MainCommand::None},
    {"mnuNatalCharts", "&Natal charts...", "", 1, MainCommand::NatalCharts},
    {"mnuTransits", "&Transits", "", 1, MainCommand::Transits},
    {"mnuGraphicEphemeris", "&Graphic Ephemeris...", "", 1, MainCommand::GraphicEphemeris},
    {"mnuPhilosophy", "&Philosophy", "", 0, MainCommand::None},
    {"mnuHelpBackground", "&Background", "", 1, MainCommand::Background},
    {"mnuHelp", "&Help", "", 0, MainCommand::None},
    {"mnuMainMenuHelp", "NOVAREL Main Menu", "F1", 1, MainCommand::HelpMainMenu},
    {"mnuPhilosophyHelp", "Philosophy", "", 1, MainCommand::HelpPhilosophy},
    {"mnuSplit0", "-", "", 1, MainCommand::None},
    {"mnuHelpInputD", "&Input Data Window", "", 1, MainCommand::HelpInputWindow},
    {"mnuHelpOptions", "&Options Window", "", 1, MainCommand::HelpOptionsWindow},
    {"mnuHelpOutputD1", "Da&ta Window", "", 1, MainCommand::HelpDataWindow},
    {"mnuHelpPrntfile", "&File To Print  Window", "", 1, MainCommand::HelpPrintWindow},
    {"mnuSplit1", "-", "", 1, MainCommand::None},
    {"mnuHintsHow", "&How Do I...?", "", 1, MainCommand::HowDoI},
    {"mnuHintsReadingList", "&Reading List", "", 1, MainCommand::ReadingList},
    {"mnuHintsTips", "&Tips", "", 1, MainCommand::Tips},
    {"mnuSplit732", "-", "", 1, MainCommand::None},
    {"mnuShortcutKeys", "Shortcut &keys", "", 1, MainCommand::ShortcutKeys},
    {"mnuHelpLicense", "&License Agreement", "", 1, MainCommand::License},
    {"mnuSplit2", "-", "", 1, MainCommand::None},
    {"mnuHelpRevisions", "Re&vision history", "", 1, MainCommand::RevisionHistory},
    {"mnuHelpAbout", "Abo&ut", "", 1, MainCommand::About},
});

// The help text file of a command, empty for commands that show none.
constexpr std::string_view HelpFileOf(MainCommand command) {
    switch (command) {
        case MainCommand::Background: return "README.TXT";
        case MainCommand::HelpMainMenu: return "NOVAREL.HLP";
        case MainCommand::HelpPhilosophy: return "PHILO.HLP";
        case MainCommand::HelpInputWindow: return "INPUTD.HLP";
        case MainCommand::HelpOptionsWindow: return "OPTIONS.HLP";
        case MainCommand::HelpDataWindow: return "OUTPUTD1.HLP";
        case MainCommand::HelpPrintWindow: return "PRNTFILE.HLP";
        case MainCommand::HowDoI: return "HOW_DO_I.HLP";
        case MainCommand::ReadingList: return "READING.HLP";
        case MainCommand::Tips: return "TIPS.HLP";
        case MainCommand::ShortcutKeys: return "SHORTCUT.HLP";
        case MainCommand::License: return "LICENSE.HLP";
        case MainCommand::RevisionHistory: return "REVISION.HLP";
        default: return {};
    }
}

constexpr int MainMenuIndex(std::string_view name) {
    for (std::size_t i = 0; i < MainMenu.size(); ++i)
        if (MainMenu[i].name == name) return static_cast<int>(i);
    return -1;
}

}  // namespace novarel
