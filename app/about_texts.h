#pragma once
// Texts of the about window and of the start-up notice window.
#include <string_view>

namespace novarel {

inline constexpr std::string_view ProgramTitle = "Novarel_SE";
inline constexpr std::string_view VersionText = "Version 2.00";
inline constexpr std::string_view AboutNoticeLine1 =
    "Copyright the Novarel_SE authors. Free software under the GNU Affero General Public License, "
    "v3 or later.";
inline constexpr std::string_view AboutNoticeLine2 =
    "No warranty. Positions computed with the Swiss Ephemeris; see Help > License Agreement.";
inline constexpr int AboutTitlePoints = 24;
inline constexpr int AboutShadowPasses = 50;            // shifted one twip right and down each pass
inline constexpr unsigned AboutTitleColour = 0xFFFF00;  // yellow, drawn over the shadow

// The progress window of a running generator.
inline constexpr std::string_view ProgressWindowTitle = "% Completed";

inline constexpr std::string_view NoticeText =
    "Novarel_SE is free software: you may use, study, share and change it under the terms of the "
    "GNU Affero General Public License, version 3 or later (Help > License Agreement). It comes "
    "with no warranty. What changed in this version is listed under Help > Revision history.";

}  // namespace novarel
