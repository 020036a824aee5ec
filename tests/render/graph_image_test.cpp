// The graph as a user sees it: drawn into an image, the bodies' paths lie
// where the library's independent `swetest` says the bodies were, and an SVG
// is a well-formed drawing with one path per body.
//
// Moments from swetest 2.10 (hourly rows, the hour in which the sign
// changes):
//   swetest -b21.12.2020 -ut0:00 -n25 -s0.041666666667 -p5 -fTl -head   (and -p6)
//     Jupiter less Saturn: -0.0016° at 18:00 UT, +0.0031° at 19:00 UT.
//   swetest -b10.11.2020 -ut0 -p56 -fPl -head
//     Jupiter 292.3926220, Saturn 296.7505634.
//   swetest -b1.1.2024 -ut0:00 -n8785 -s0.041666666667 -p2 -fTls -head
//     Mercury's speed changes sign 1 Apr 22-23h, 25 Apr 12-13h, 5 Aug 4-5h,
//     28 Aug 21-22h, 26 Nov 2-3h, 15 Dec 20-21h UT.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <cstdlib>
#include <memory>
#include <optional>

#include "core/julian_day.h"
#include "core/swe_library.h"
#include "graph/graph_layout.h"
#include "render/graph_drawing.h"
#include "render/graph_files.h"

namespace novarel {
namespace {

using graph::Dial;

class GraphImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "graph_image_test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
        QFontDatabase::addApplicationFont(QStringLiteral(NOVAREL_BUILD_DIR "/EPHEMERI.TTF"));
    }
    static void TearDownTestSuite() { app_.reset(); }

    static graph::GraphData Compute(Dial dial, CivilDate first, CivilDate last,
                                    std::vector<int> bodies) {
        SweLibrary library;
        library.set_ephe_path(EphemerisPathFor(NOVAREL_BUILD_DIR));
        graph::GraphRequest request;
        request.dial = dial;
        request.first = first;
        request.last = last;
        request.bodies = std::move(bodies);
        graph::GraphData data = graph::ComputeGraph(request, {}, library);
        // Only the paths are read here.
        data.markers.clear();
        return data;
    }

    static QImage Draw(const graph::GraphData& data, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        QPainter painter(&image);
        render::DrawGraph(painter, data, graph::LayoutGraph(data, width, height));
        return image;
    }

    static inline std::unique_ptr<QGuiApplication> app_;
};

bool Near(QRgb pixel, const QColor& colour, int tolerance = 30) {
    return std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green()) +
               std::abs(qBlue(pixel) - colour.blue()) <=
           tolerance;
}

// The middle row of the pixels of that colour in the columns x-reach .. x+reach
// of the plot; none when the colour is not there.
std::optional<double> RowOf(const QImage& image, const graph::GraphLayout& l, double x,
                            const QColor& colour, int reach = 0) {
    double sum = 0;
    int count = 0;
    for (int c = static_cast<int>(x) - reach; c <= static_cast<int>(x) + reach; ++c)
        for (int y = static_cast<int>(l.top) + 1; y < static_cast<int>(l.bottom()); ++y)
            if (Near(image.pixel(c, y), colour)) {
                sum += y;
                ++count;
            }
    if (count == 0) return std::nullopt;
    return sum / count;
}

TEST_F(GraphImage, JupiterAndSaturnCrossInTheColumnOf21December2020) {
    const graph::GraphData data =
        Compute(Dial::Full, {2020, 11, 1}, {2021, 1, 31}, {Jupiter, Saturn});
    const QImage image = Draw(data, 1400, 1600);
    const graph::GraphLayout l = graph::LayoutGraph(data, 1400, 1600);
    const QColor jupiter = render::StyleOf(Jupiter).colour, saturn = render::StyleOf(Saturn).colour;
    // Jupiter, the faster, comes from above Saturn (less longitude) and
    // passes below it: the last column with the two apart one way and the
    // first with them apart the other way enclose the crossing.
    std::optional<double> lastAbove, firstBelow;
    for (int x = static_cast<int>(l.left) + 2; x < static_cast<int>(l.right()) - 2; ++x) {
        const auto j = RowOf(image, l, x, jupiter), s = RowOf(image, l, x, saturn);
        if (!j || !s) continue;
        if (*j < *s - 3) lastAbove = x;
        if (*j > *s + 3 && !firstBelow) firstBelow = x;
    }
    ASSERT_TRUE(lastAbove && firstBelow);
    EXPECT_LT(*lastAbove, *firstBelow);
    const double crossing = (*lastAbove + *firstBelow) / 2;
    const double dayWidth = l.X(1) - l.X(0);
    const double dec21 = l.X(graph::MidnightJd({2020, 12, 21}));
    EXPECT_GE(crossing, dec21 - dayWidth / 2) << "day width " << dayWidth;
    EXPECT_LE(crossing, dec21 + 1.5 * dayWidth) << "day width " << dayWidth;
    // Six weeks before, the rows are swetest's 4.358° apart (Saturn's path
    // is dashed: a few columns either side).
    const double early = l.X(graph::MidnightJd({2020, 11, 10}));
    const auto jEarly = RowOf(image, l, early, jupiter, 12);
    const auto sEarly = RowOf(image, l, early, saturn, 12);
    ASSERT_TRUE(jEarly && sEarly);
    EXPECT_NEAR(*sEarly - *jEarly, 4.358 * (l.Y(1) - l.Y(0)), 1.5);
}

TEST_F(GraphImage, MercurysPathTurnsBackAtIts2024Stations) {
    const graph::GraphData data = Compute(Dial::Full, {2024, 1, 1}, {2024, 12, 31}, {Mercury});
    const QImage image = Draw(data, 1500, 2000);
    const graph::GraphLayout l = graph::LayoutGraph(data, 1500, 2000);
    const QColor mercury = render::StyleOf(Mercury).colour;
    struct Station {
        CivilDate day;
        double hour;
        bool retrograde;  // the longitude's greatest value: the path's lowest row
    };
    const Station stations[] = {{{2024, 4, 1}, 22.5, true},  {{2024, 4, 25}, 12.5, false},
                                {{2024, 8, 5}, 4.5, true},   {{2024, 8, 28}, 21.5, false},
                                {{2024, 11, 26}, 2.5, true}, {{2024, 12, 15}, 20.5, false}};
    const double dayWidth = l.X(1) - l.X(0);
    // The dashed path: a few columns around each place.
    const int reach = 4;
    for (const Station& s : stations) {
        const double jd = graph::MidnightJd(s.day) + s.hour / 24;
        const double sign = s.retrograde ? 1 : -1;  // rows grow with the longitude
        const auto at = RowOf(image, l, l.X(jd), mercury, reach);
        const auto before = RowOf(image, l, l.X(jd - 12), mercury, reach);
        const auto after = RowOf(image, l, l.X(jd + 12), mercury, reach);
        ASSERT_TRUE(at && before && after) << s.day.month << "/" << s.day.day;
        EXPECT_GT(sign * (*at - *before), 3) << s.day.month << "/" << s.day.day;
        EXPECT_GT(sign * (*at - *after), 3) << s.day.month << "/" << s.day.day;
        // The turning column: the extreme row within twelve days either side.
        double turn = 0, extreme = -1e9;
        for (double x = l.X(jd - 12); x <= l.X(jd + 12); x += 1)
            if (const auto row = RowOf(image, l, x, mercury, reach); row && sign * *row > extreme) {
                extreme = sign * *row;
                turn = x;
            }
        EXPECT_NEAR(turn, l.X(jd), 3.5 * dayWidth) << s.day.month << "/" << s.day.day;
    }
}

TEST_F(GraphImage, ANatalLineLiesAtItsLongitudeOnEachDial) {
    NatalPoint sun;
    sun.bodyIndex = Sun;
    sun.longitude = 123.4;
    NatalPoint ascendant;
    ascendant.angle = NatalAngle::Ascendant;
    ascendant.longitude = 301.7;
    const std::vector<NatalPoint> points{sun, ascendant};
    for (const Dial dial : {Dial::Full, Dial::Quarter, Dial::Eighth}) {
        graph::GraphData data;
        data.dial = dial;
        data.startJd = graph::MidnightJd({2024, 1, 1});
        data.endJd = graph::MidnightJd({2025, 1, 1});
        data.natal = graph::NatalLines(points);
        const QImage image = Draw(data, 1000, 800);
        const graph::GraphLayout l = graph::LayoutGraph(data, 1000, 800);
        // The degrees by hand: the longitude folded onto the dial, 0 at the
        // plot's top and the dial's span at its bottom.
        const double span = static_cast<double>(static_cast<int>(dial));
        for (const NatalPoint& p : points) {
            double folded = p.longitude;
            while (folded >= span) folded -= span;
            const double expected = l.top + folded / span * l.plotHeight;
            // In a column clear of the labels: the line's pixels near the
            // expected row.
            const int x = static_cast<int>(l.left + l.plotWidth / 3);
            int nearest = -1;
            for (int y = static_cast<int>(l.top) + 1; y < static_cast<int>(l.bottom()); ++y)
                // Dark enough: the line's colour, softened where it falls
                // between two rows of pixels.
                if (Near(image.pixel(x, y), render::NatalLineColour(), 150) &&
                    (nearest < 0 || std::abs(y - expected) < std::abs(nearest - expected)))
                    nearest = y;
            EXPECT_NEAR(nearest, expected, 1.5) << span << "° dial, " << p.longitude;
        }
    }
}

TEST_F(GraphImage, AnSvgIsWellFormedWithOnePathPerBody) {
    const graph::GraphData data =
        Compute(Dial::Eighth, {2024, 1, 1}, {2024, 12, 31}, graph::DefaultGraphBodies());
    const std::string svg = render::GraphFileBytes(data, render::GraphFileFormat::Svg, 1200, 800);
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    int paths = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"path") ++paths;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(paths, 10);
}

}  // namespace
}  // namespace novarel
