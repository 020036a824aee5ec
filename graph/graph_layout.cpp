#include "graph/graph_layout.h"

#include <algorithm>

namespace novarel::graph {

GraphLayout LayoutGraph(const GraphData& data, double width, double height) {
    GraphLayout l;
    l.width = width;
    l.height = height;
    // Text grows with the picture but stays readable on a small one.
    l.textSize = std::clamp(std::min(width, height) / 45, 11.0, 28.0);
    l.left = 4.5 * l.textSize;
    l.top = 1.5 * l.textSize;
    // Two columns of glyphs: the paths' ends and the natal lines.
    const double right = (data.natal.empty() ? 2.2 : 4.6) * l.textSize;
    l.plotWidth = std::max(1.0, width - l.left - right);
    l.plotHeight = std::max(1.0, height - l.top - 3.2 * l.textSize);
    l.startJd = data.startJd;
    l.endJd = data.endJd > data.startJd ? data.endJd : data.startJd + 1;
    l.span = DialSpan(data.dial);
    return l;
}

}  // namespace novarel::graph
