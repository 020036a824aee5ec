#pragma once
// A graph as a PNG image, an SVG drawing or a PDF page, each written through
// the program's replacement file: a failure leaves an earlier file as it was.
#include <string>

#include "graph/graph_data.h"
#include "render/graph_book.h"

namespace novarel::render {

// The file's bytes; empty when the picture could not be made.
std::string GraphFileBytes(const graph::GraphData& data, GraphFileFormat format, int width,
                           int height);

// Writes the file; empty on success, else the message ("cannot write
// graph.png: No space left on device").
std::string WriteGraphFile(const std::string& path, const graph::GraphData& data,
                           GraphFileFormat format, int width, int height);

// The format a file name asks for by its ending (.png, .svg, .pdf); PNG else.
GraphFileFormat FormatOfFileName(const std::string& path);

}  // namespace novarel::render
