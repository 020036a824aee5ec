#include "render/graph_drawing.h"

#include <fmt/format.h>

#include <QFont>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/bodies.h"
#include "graph/date_ticks.h"
#include "graph/graph_dial.h"

namespace novarel::render {
namespace {

using graph::Dial;
using graph::GraphData;
using graph::GraphLayout;

constexpr const char* GlyphFamily = "EPHEMERI";

const QColor Grid(0xd0, 0xd0, 0xd0);
const QColor SignLine(0x90, 0x90, 0x90);
const QColor BandShade(0xf0, 0xf0, 0xf0);
const QColor TextColour(0x20, 0x20, 0x20);

QString Symbol(char32_t cp) { return QString::fromUcs4(&cp, 1); }

QFont TextFont(const GraphLayout& l, double scale = 1) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(l.textSize * scale * 0.8))));
    return font;
}

QFont GlyphFont(const GraphLayout& l) {
    QFont font(QString::fromLatin1(GlyphFamily));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(l.textSize))));
    return font;
}

QPen BodyPen(int body, const GraphLayout& l) {
    const BodyStyle s = StyleOf(body);
    QPen pen(s.colour, s.width * l.textSize / 12, s.dash, Qt::FlatCap, Qt::BevelJoin);
    return pen;
}

// Text centred on a point.
void CentredText(QPainter& p, QPointF at, const QString& text) {
    const QFontMetricsF m(p.font());
    const double w = m.horizontalAdvance(text);
    p.drawText(QPointF(at.x() - w / 2, at.y() + (m.ascent() - m.descent()) / 2), text);
}

void DrawBands(QPainter& p, const GraphData& d, const GraphLayout& l) {
    const double band = d.dial == Dial::Full ? 30 : d.dial == Dial::Quarter ? 30 : 15;
    p.setPen(Qt::NoPen);
    p.setBrush(BandShade);
    for (int i = 1; i * band < l.span; i += 2)
        p.drawRect(QRectF(l.left, l.Y(i * band), l.plotWidth, l.Y(band) - l.Y(0)));
    p.setBrush(Qt::NoBrush);
}

// The degree scale on the left: each sign's glyph on the whole dial, the
// modes' bands on the quarter, every five degrees on the eighth.
void DrawDegreeScale(QPainter& p, const GraphData& d, const GraphLayout& l) {
    const double minor = d.dial == Dial::Full ? 10 : 5;
    const double major = d.dial == Dial::Full ? 30 : d.dial == Dial::Quarter ? 10 : 5;
    for (double v = 0; v <= l.span + 1e-9; v += minor) {
        const bool isMajor = std::fmod(v, major) < 1e-9;
        p.setPen(QPen(isMajor ? SignLine : Grid, isMajor ? 1.0 : 0.6));
        p.drawLine(QPointF(l.left, l.Y(v)), QPointF(l.right(), l.Y(v)));
    }
    p.setPen(TextColour);
    p.setFont(TextFont(l, 0.9));
    const QFontMetricsF m(p.font());
    const double labelRight = l.left - 0.3 * l.textSize;
    const auto degreeLabel = [&](double v) {
        const QString text = QString::number(static_cast<int>(v)) + QChar(0xB0);
        p.drawText(QPointF(labelRight - m.horizontalAdvance(text), l.Y(v) + m.ascent() / 2.5),
                   text);
    };
    if (d.dial == Dial::Full) {
        p.setFont(GlyphFont(l));
        for (int sign = 0; sign < 12; ++sign)
            CentredText(p, QPointF(l.left - 1.6 * l.textSize, l.Y(30 * sign + 15)),
                        Symbol(static_cast<char32_t>(0x2648 + sign)));
        p.setFont(TextFont(l, 0.75));
        const QFontMetricsF small(p.font());
        for (int sign = 0; sign <= 12; ++sign) {
            const QString text = QString::number(30 * sign) + QChar(0xB0);
            p.drawText(QPointF(labelRight - small.horizontalAdvance(text),
                               l.Y(30 * sign) + small.ascent() / 2.5),
                       text);
        }
        return;
    }
    for (double v = 0; v <= l.span + 1e-9; v += major) degreeLabel(v);
    if (d.dial == Dial::Quarter) {
        // The longitude mod 90: cardinal, fixed and mutable signs in turn.
        static constexpr std::array<const char*, 3> modes{"card.", "fixed", "mut."};
        p.setFont(TextFont(l, 0.7));
        const QFontMetricsF small(p.font());
        for (int i = 0; i < 3; ++i) {
            p.save();
            p.translate(l.left - 3.6 * l.textSize, l.Y(30 * i + 15));
            p.rotate(-90);
            const QString text = QString::fromLatin1(modes[static_cast<std::size_t>(i)]);
            p.drawText(QPointF(-small.horizontalAdvance(text) / 2, small.ascent() / 2), text);
            p.restore();
        }
    }
}

void DrawDateAxis(QPainter& p, const GraphLayout& l) {
    p.setFont(TextFont(l, 0.85));
    const QFontMetricsF m(p.font());
    double lastLabelEnd = -1e9;
    for (const graph::DateTick& tick : graph::DateTicks(l.startJd, l.endJd)) {
        const double x = l.X(tick.jd);
        p.setPen(QPen(tick.major ? SignLine : Grid, tick.major ? 0.8 : 0.5));
        p.drawLine(QPointF(x, l.top), QPointF(x, l.bottom()));
        p.setPen(TextColour);
        p.drawLine(QPointF(x, l.bottom()),
                   QPointF(x, l.bottom() + (tick.major ? 0.5 : 0.25) * l.textSize));
        if (tick.label.empty()) continue;
        const QString text = QString::fromStdString(tick.label);
        const double w = m.horizontalAdvance(text);
        const double at = std::clamp(x - w / 2, 0.0, l.width - w);
        // Labels that would touch the one before are left out.
        if (at < lastLabelEnd + 0.5 * l.textSize) continue;
        p.drawText(QPointF(at, l.bottom() + 0.6 * l.textSize + m.ascent()), text);
        lastLabelEnd = at + w;
    }
}

// The body's path as polylines, one for each unbroken run on the dial,
// points closer than half a unit across merged.
std::vector<QPolygonF> BodyRuns(const graph::BodySeries& series, Dial dial, const GraphLayout& l) {
    std::vector<QPolygonF> lines;
    for (const auto& run : graph::DialRuns(series.samples, dial)) {
        if (run.empty()) continue;
        QPolygonF& line = lines.emplace_back();
        line.reserve(static_cast<qsizetype>(run.size()));
        line << QPointF(l.X(run.front().jd), l.Y(run.front().value));
        for (std::size_t i = 1; i < run.size(); ++i) {
            const QPointF pt(l.X(run[i].jd), l.Y(run[i].value));
            const QPointF last = line.back();
            if (i + 1 < run.size() && std::abs(pt.x() - last.x()) < 0.5 &&
                std::abs(pt.y() - last.y()) < 0.5)
                continue;
            line << pt;
        }
    }
    return lines;
}

// One path element per body in a drawing (an SVG file); on pixels each run
// is stroked alone, which is many times quicker than one path of hundreds
// of runs across the whole height (the Moon's on a narrow dial).
void DrawBodyPath(QPainter& p, const graph::BodySeries& series, Dial dial, const GraphLayout& l) {
    const std::vector<QPolygonF> runs = BodyRuns(series, dial, l);
    const QPaintEngine* engine = p.paintEngine();
    if (engine != nullptr && engine->type() == QPaintEngine::SVG) {
        QPainterPath path;
        for (const QPolygonF& run : runs) path.addPolygon(run);
        p.drawPath(path);
        return;
    }
    for (const QPolygonF& run : runs) p.drawPolyline(run);
}

// A lunation: a disc along the top of the plot, dark for the New Moon,
// light for the Full.
void DrawLunation(QPainter& p, const graph::GraphMarker& m, const GraphLayout& l) {
    const double r = 0.3 * l.textSize;
    p.setPen(QPen(TextColour, std::max(1.0, l.textSize / 14)));
    p.setBrush(m.kind == graph::MarkerKind::NewMoon ? QBrush(TextColour) : QBrush(Qt::white));
    p.drawEllipse(QPointF(l.X(m.jd), l.top + 0.5 * l.textSize), r, r);
}

void DrawMarkers(QPainter& p, const GraphData& d, const GraphLayout& l) {
    const double r = 0.32 * l.textSize;
    for (const graph::GraphMarker& m : d.markers) {
        if (m.kind == graph::MarkerKind::NewMoon || m.kind == graph::MarkerKind::FullMoon) {
            DrawLunation(p, m, l);
            continue;
        }
        const QPointF at(l.X(m.jd), l.Y(graph::DialValue(m.longitude, d.dial)));
        const QColor colour = StyleOf(m.body).colour;
        p.setPen(QPen(colour, std::max(1.0, l.textSize / 12)));
        // Squares and circles only: a drawing (SVG) keeps them as <rect> and
        // <ellipse>, so that its <path> elements are the bodies' paths alone.
        if (m.kind == graph::MarkerKind::Ingress) {
            // A diamond on the path.
            p.setBrush(Qt::white);
            p.save();
            p.translate(at);
            p.rotate(45);
            p.drawRect(QRectF(-0.75 * r, -0.75 * r, 1.5 * r, 1.5 * r));
            p.restore();
        } else {
            // A station: a disc, filled where the body turns retrograde.
            p.setBrush(m.kind == graph::MarkerKind::StationRetrograde ? QBrush(colour)
                                                                      : QBrush(Qt::white));
            p.drawEllipse(at, 1.1 * r, 1.1 * r);
        }
    }
    p.setBrush(Qt::NoBrush);
}

// Labels in a column, each near its wanted height, pushed apart so that
// none covers another.
std::vector<double> Spread(std::vector<double> wanted, double gap, double top, double bottom) {
    std::vector<std::size_t> order(wanted.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](auto a, auto b) { return wanted[a] < wanted[b]; });
    std::vector<double> at(wanted.size());
    double next = top;
    for (std::size_t i : order) {
        at[i] = std::max(wanted[i], next);
        next = at[i] + gap;
    }
    // Pushed past the bottom: back up from there.
    double limit = bottom;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        at[*it] = std::min(at[*it], limit);
        limit = at[*it] - gap;
    }
    return at;
}

void DrawNatalLines(QPainter& p, const GraphData& d, const GraphLayout& l) {
    if (d.natal.empty()) return;
    std::vector<double> ys;
    for (const graph::NatalLine& n : d.natal)
        ys.push_back(l.Y(graph::DialValue(n.point.longitude, d.dial)));
    p.setPen(QPen(NatalLineColour(), std::max(1.0, l.textSize / 10), Qt::SolidLine, Qt::FlatCap));
    for (double y : ys) p.drawLine(QPointF(l.left, y), QPointF(l.right(), y));
    const double x = l.right() + 2.2 * l.textSize;
    const std::vector<double> at = Spread(ys, 1.05 * l.textSize, l.top, l.bottom());
    p.setFont(GlyphFont(l));
    const QFontMetricsF gm(p.font());
    for (std::size_t i = 0; i < d.natal.size(); ++i) {
        const QString label = QString::fromStdString(d.natal[i].label);
        const bool glyph = d.natal[i].point.angle == NatalAngle::None;
        p.setFont(glyph ? GlyphFont(l) : TextFont(l, 0.75));
        const QFontMetricsF m(p.font());
        const double w = m.horizontalAdvance(label);
        p.setPen(QPen(NatalLineColour(), 0.8));
        // The label's leader, from the line's end to the label.
        p.drawLine(QPointF(l.right(), ys[i]), QPointF(x - 0.2 * l.textSize, at[i]));
        // Boxed, to tell a natal point from the path labels beside it.
        const QRectF box(x - 0.1 * l.textSize, at[i] - 0.5 * l.textSize,
                         std::max(w, 0.9 * l.textSize) + 0.3 * l.textSize, l.textSize);
        p.drawRect(box);
        p.drawText(
            QPointF(box.left() + (box.width() - w) / 2, at[i] + (m.ascent() - m.descent()) / 2),
            label);
    }
}

void DrawPathLabels(QPainter& p, const GraphData& d, const GraphLayout& l) {
    std::vector<double> ys;
    for (const graph::BodySeries& s : d.series)
        ys.push_back(s.samples.empty() ? l.top
                                       : l.Y(graph::DialValue(s.samples.back().longitude, d.dial)));
    const std::vector<double> at = Spread(ys, 1.05 * l.textSize, l.top, l.bottom());
    p.setFont(GlyphFont(l));
    for (std::size_t i = 0; i < d.series.size(); ++i) {
        p.setPen(StyleOf(d.series[i].body).colour);
        CentredText(p, QPointF(l.right() + 0.9 * l.textSize, at[i]),
                    Symbol(Body(d.series[i].body).unicode));
    }
}

void DrawTitle(QPainter& p, const GraphData& d, const GraphLayout& l) {
    p.setPen(TextColour);
    p.setFont(TextFont(l, 0.9));
    const QFontMetricsF m(p.font());
    const std::string title = fmt::format("{}° dial   {} – {}", static_cast<int>(l.span),
                                          graph::DayText(JulianDayToCivil(d.startJd + 0.5)),
                                          graph::DayText(JulianDayToCivil(d.endJd - 0.5)));
    p.drawText(QPointF(l.left, l.top - 0.45 * l.textSize), QString::fromStdString(title));
}

}  // namespace

BodyStyle StyleOf(int body) {
    switch (body) {
        case Sun: return {QColor(0xd0, 0x80, 0x00), 3.0, Qt::SolidLine};
        case Moon: return {QColor(0x60, 0x70, 0x88), 1.4, Qt::SolidLine};
        case Mercury: return {QColor(0x20, 0x90, 0x30), 2.2, Qt::DashLine};
        case Venus: return {QColor(0xc0, 0x20, 0x90), 2.2, Qt::SolidLine};
        case Mars: return {QColor(0xe0, 0x18, 0x18), 2.4, Qt::DashDotLine};
        case Jupiter: return {QColor(0x18, 0x50, 0xd0), 3.0, Qt::SolidLine};
        case Saturn: return {QColor(0x50, 0x34, 0x00), 3.0, Qt::DashLine};
        case Uranus: return {QColor(0x00, 0x98, 0xb0), 2.6, Qt::DotLine};
        case Neptune: return {QColor(0x70, 0x40, 0xc8), 2.2, Qt::DashDotLine};
        case Pluto: return {QColor(0x90, 0x10, 0x38), 3.0, Qt::DotLine};
        case NorthNode: return {QColor(0x70, 0x80, 0x00), 1.8, Qt::DashDotDotLine};
        default: {
            // Chiron .. Lilith: darker greys of their own dashes.
            const int n = body - Chiron;
            const int grey = 0x30 + 0x18 * n;
            static constexpr std::array<Qt::PenStyle, 3> dashes{Qt::DashLine, Qt::DotLine,
                                                                Qt::DashDotLine};
            return {QColor(grey, grey, grey), 1.8, dashes[static_cast<std::size_t>(n % 3)]};
        }
    }
}

QColor NatalLineColour() { return QColor(0x10, 0x10, 0x10); }

void DrawGraph(QPainter& p, const GraphData& d, const GraphLayout& l, const GraphOverlay& overlay) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(QRectF(0, 0, l.width, l.height), Qt::white);
    DrawBands(p, d, l);
    DrawDegreeScale(p, d, l);
    DrawDateAxis(p, l);
    DrawNatalLines(p, d, l);
    p.setBrush(Qt::NoBrush);
    for (const graph::BodySeries& s : d.series) {
        p.setPen(BodyPen(s.body, l));
        DrawBodyPath(p, s, d.dial, l);
    }
    DrawMarkers(p, d, l);
    DrawPathLabels(p, d, l);
    if (overlay.cursorJd) {
        p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DashLine));
        const double x = l.X(*overlay.cursorJd);
        p.drawLine(QPointF(x, l.top), QPointF(x, l.bottom()));
    }
    p.setPen(QPen(TextColour, 1));
    p.drawRect(QRectF(l.left, l.top, l.plotWidth, l.plotHeight));
    DrawTitle(p, d, l);
    p.restore();
}

}  // namespace novarel::render
