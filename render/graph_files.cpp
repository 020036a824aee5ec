#include "render/graph_files.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cerrno>
#include <cstring>

#include "core/in_place_file.h"
#include "core/text_file.h"
#include "render/graph_drawing.h"

namespace novarel::render {
namespace {

std::string Bytes(const QByteArray& array) {
    return std::string(array.constData(), static_cast<std::size_t>(array.size()));
}

std::string PngBytes(const graph::GraphData& data, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawGraph(painter, data, graph::LayoutGraph(data, width, height));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return Bytes(bytes);
}

std::string SvgBytes(const graph::GraphData& data, int width, int height) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(QStringLiteral("Graphic ephemeris"));
    {
        QPainter painter;
        if (!painter.begin(&svg)) return {};
        DrawGraph(painter, data, graph::LayoutGraph(data, width, height));
        painter.end();
    }
    return Bytes(bytes);
}

std::string PdfBytes(const graph::GraphData& data, int width, int height) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(QStringLiteral("Graphic ephemeris"));
    pdf.setCreator(QStringLiteral("novarel"));
    // One point a unit: the page is the picture's size.
    pdf.setResolution(72);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(
        QPageSize(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch));
    {
        QPainter painter;
        if (!painter.begin(&pdf)) return {};
        DrawGraph(painter, data, graph::LayoutGraph(data, width, height));
        painter.end();
    }
    return Bytes(bytes);
}

}  // namespace

std::string GraphFileBytes(const graph::GraphData& data, GraphFileFormat format, int width,
                           int height) {
    switch (format) {
        case GraphFileFormat::Png: return PngBytes(data, width, height);
        case GraphFileFormat::Svg: return SvgBytes(data, width, height);
        case GraphFileFormat::Pdf: return PdfBytes(data, width, height);
    }
    return {};
}

std::string WriteGraphFile(const std::string& path, const graph::GraphData& data,
                           GraphFileFormat format, int width, int height) {
    const std::string bytes = GraphFileBytes(data, format, width, height);
    if (bytes.empty()) return "cannot draw the graph for " + path + ".";
    int error = 0;
    // A pipe or a device (/dev/stdout) is written where it is: a new file
    // renamed onto it would take its place.
    if (WrittenInPlace(path)) {
        InPlaceFile file;
        if (file.open(path)) file.write(bytes);
        error = file.finish();
        if (error == 0) error = file.error();
    } else if (!WriteWholeFile(path, bytes, &error) && error == 0) {
        error = EIO;
    }
    if (error != 0) return "cannot write " + path + ": " + std::strerror(error) + ".";
    return {};
}

GraphFileFormat FormatOfFileName(const std::string& path) {
    const auto endsWith = [&](const char* ending) {
        const std::size_t n = std::strlen(ending);
        if (path.size() < n) return false;
        for (std::size_t i = 0; i < n; ++i)
            if ((path[path.size() - n + i] | 0x20) != ending[i]) return false;
        return true;
    };
    if (endsWith(".svg")) return GraphFileFormat::Svg;
    if (endsWith(".pdf")) return GraphFileFormat::Pdf;
    return GraphFileFormat::Png;
}

}  // namespace novarel::render
