#pragma once
// Where a graph's parts lie in a picture of a given size: the plot area,
// time across it and the dial's degrees down it. The drawing, the window's
// pointer and the tests all measure through this one mapping.
#include "graph/graph_data.h"

namespace novarel::graph {

struct GraphLayout {
    // The picture.
    double width = 0;
    double height = 0;
    // The plot area inside it.
    double left = 0;
    double top = 0;
    double plotWidth = 0;
    double plotHeight = 0;
    // Text height for labels and glyphs, in the picture's units.
    double textSize = 0;
    double startJd = 0;
    double endJd = 0;
    double span = 360;  // the dial's degrees

    double X(double jd) const { return left + (jd - startJd) / (endJd - startJd) * plotWidth; }
    double JdAt(double x) const { return startJd + (x - left) / plotWidth * (endJd - startJd); }
    // 0° at the top, the dial's end at the bottom.
    double Y(double dialValue) const { return top + dialValue / span * plotHeight; }
    double right() const { return left + plotWidth; }
    double bottom() const { return top + plotHeight; }
};

// The layout of the data in a picture of width by height units (pixels, or
// points of a page): margins for the degree scale on the left, the glyph
// labels of the paths and natal lines on the right and the dates below.
GraphLayout LayoutGraph(const GraphData& data, double width, double height);

}  // namespace novarel::graph
