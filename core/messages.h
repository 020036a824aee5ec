#pragma once
// Message texts and titles shown to the user.
#include <string_view>

namespace novarel::msg {

constexpr std::string_view TitleWarning = "Warning!";
constexpr std::string_view TitleInformation = "Information";
constexpr std::string_view TitleInformationBang = "Information!";

constexpr std::string_view InputError = "Error in input data section. Please correct.";

}  // namespace novarel::msg
