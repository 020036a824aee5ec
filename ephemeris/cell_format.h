#pragma once
// Number texts of the table cells, written straight into the row. The text is
// that of FormatFixed(x, 2, decimals) ("00" or "00.0"): the value taken to six
// more decimals than shown, then rounded half away from zero on that decimal
// text; a row needs about a hundred of them, so they are built without
// allocating.
#include <string>

namespace novarel {

// decimals is 0 or 1. Values outside 0 <= x < 1e9 take the general formatter.
void AppendFixed2(std::string& out, double x, int decimals);

}  // namespace novarel
