#pragma once
// A graph written as a picture file without a display: the command line's
// `novarel graph` computes the data and hands it to the printing module
// (PdfModuleFile) through its C entry point, so that the program itself
// loads no Qt. The header holds no Qt.
#include <string>
#include <vector>

#include "core/seams.h"
#include "graph/graph_data.h"

namespace novarel::render {

enum class GraphFileFormat { Png, Svg, Pdf };

struct GraphFileRequest {
    std::string path;
    GraphFileFormat format = GraphFileFormat::Png;
    // The picture's size: pixels of a PNG, points of an SVG or a PDF page.
    int width = 1600;
    int height = 1000;
    // The glyph font's places, tried in turn.
    std::vector<std::string> fontFiles;
    const graph::GraphData* data = nullptr;
    MessageSink* messages = nullptr;
};

// The module's entry point: writes the file, replacing an earlier one only
// when complete. True when written; else false, said through the messages.
inline constexpr const char* GraphModuleEntry = "novarel_write_graph_file";
using GraphModuleEntryFunction = bool (*)(const GraphFileRequest& request);

}  // namespace novarel::render

namespace novarel::render {

// What the entry point does (in the module only).
bool WriteGraphFileOffscreen(const GraphFileRequest& request);

}  // namespace novarel::render
