#pragma once
// The graphic ephemeris drawn with QPainter onto any paint device (a window,
// an image, an SVG or a PDF page): time across, the dial's degrees down, one
// path per body labelled with its glyph, the stations and ingresses along
// the paths and the natal points as horizontal lines.
#include <QColor>
#include <QPen>
#include <optional>

#include "graph/graph_layout.h"

class QPainter;

namespace novarel::render {

// A body's pen: hue, width and dash differ from body to body, so that the
// paths stay apart on a grey print as on a screen.
struct BodyStyle {
    QColor colour;
    double width = 2;  // in units of a twelfth of the text size
    Qt::PenStyle dash = Qt::SolidLine;
};
BodyStyle StyleOf(int body);

// The colour of the natal lines and their labels.
QColor NatalLineColour();

struct GraphOverlay {
    // The window's cursor: a vertical line at this moment.
    std::optional<double> cursorJd;
};

// Draws the whole graph into the painter's picture of the layout's size.
// The glyph font is the family "EPHEMERI" (loaded by the caller).
void DrawGraph(QPainter& painter, const graph::GraphData& data, const graph::GraphLayout& layout,
               const GraphOverlay& overlay = {});

}  // namespace novarel::render
