#pragma once
// The one way the program cuts a text into lines.
#include <string>
#include <string_view>
#include <vector>

namespace novarel {

// The lines of a text: split at LF, a CR that ends a line dropped. An LF at
// the very end closes the last line and starts no empty one; an empty text
// has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// The same lines as strings.
std::vector<std::string> TextLines(std::string_view text);

}  // namespace novarel
