// The font a PostScript job embeds: cut down to the glyphs a page draws,
// renumbered without gaps, each glyph draws the same outline with the same advance
// as in the whole font, also a glyph made of parts of other glyphs.
#include "render/truetype_subset.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRawFont>
#include <cmath>
#include <memory>

namespace novarel::render {
namespace {

constexpr const char* MonoFace = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

class TrueTypeSubsetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "truetype_subset_test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    static void TearDownTestSuite() { app_.reset(); }

    static std::string Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    // The same points and curves, to the rasterizer's rounding (1/64 pixel).
    static bool SameOutline(const QPainterPath& a, const QPainterPath& b) {
        if (a.elementCount() != b.elementCount() || a.elementCount() == 0) return false;
        for (int e = 0; e < a.elementCount(); ++e) {
            const QPainterPath::Element p = a.elementAt(e);
            const QPainterPath::Element q = b.elementAt(e);
            if (p.type != q.type || std::abs(p.x - q.x) > 0.05 || std::abs(p.y - q.y) > 0.05)
                return false;
        }
        return true;
    }

    static inline std::unique_ptr<QGuiApplication> app_;
};

TEST_F(TrueTypeSubsetTest, GlyphsKeepOutlinesAndAdvancesUnderNewNumbers) {
    // The glyph font, and a face whose accented letters are built of parts.
    for (const QString& path :
         {QStringLiteral(NOVAREL_BUILD_DIR "/EPHEMERI.TTF"), QString::fromLatin1(MonoFace)}) {
        SCOPED_TRACE(path.toStdString());
        const std::string file = Read(path);
        if (file.empty()) GTEST_SKIP() << path.toStdString() << " is missing";
        // Unhinted: hinting looks at the other glyphs of the font.
        const QRawFont whole(QByteArray::fromStdString(file), 40, QFont::PreferNoHinting);
        ASSERT_TRUE(whole.isValid());
        const QString text = QString::fromUtf8("Tr♈é0Å⋕");
        const QList<quint32> indexes = whole.glyphIndexesForString(text);
        std::vector<std::uint16_t> glyphs;
        for (const quint32 g : indexes)
            if (g != 0) glyphs.push_back(static_cast<std::uint16_t>(g));
        ASSERT_GE(glyphs.size(), 5U);

        const auto subset = SubsetTrueType(file, glyphs);
        ASSERT_TRUE(subset);
        EXPECT_LT(subset->file.size(), file.size());
        const QRawFont part(QByteArray::fromStdString(subset->file), 40, QFont::PreferNoHinting);
        ASSERT_TRUE(part.isValid());
        // Numbered without gaps: a page's few glyphs stay below 256.
        const QByteArray maxp = part.fontTable("maxp");
        ASSERT_GE(maxp.size(), 6);
        EXPECT_EQ((static_cast<unsigned char>(maxp[4]) << 8) | static_cast<unsigned char>(maxp[5]),
                  static_cast<int>(subset->glyphs.size()));
        for (const std::uint16_t g : glyphs) {
            ASSERT_EQ(subset->glyphs.count(g), 1U) << g;
            const quint32 renumbered = subset->glyphs.at(g);
            EXPECT_LT(renumbered, subset->glyphs.size());
            EXPECT_TRUE(SameOutline(part.pathForGlyph(renumbered), whole.pathForGlyph(g))) << g;
            EXPECT_EQ(part.advancesForGlyphIndexes(QList<quint32>{renumbered}),
                      whole.advancesForGlyphIndexes(QList<quint32>{g}))
                << g;
        }
    }
}

TEST_F(TrueTypeSubsetTest, NoSubsetOfWhatIsNotATrueTypeFont) {
    EXPECT_FALSE(SubsetTrueType("not a font at all", {}));
    const std::string file = Read(QStringLiteral(NOVAREL_BUILD_DIR "/EPHEMERI.TTF"));
    EXPECT_FALSE(SubsetTrueType(file, {60000}));  // a glyph it does not have
    // The tables the printer takes from a font, without the glyphs' offsets.
    const QRawFont font(QByteArray::fromStdString(file), 12);
    ASSERT_TRUE(font.isValid());
    FontTables tables;
    for (const char* tag : {"glyf", "head", "hhea", "hmtx", "loca", "maxp"})
        tables[tag] = font.fontTable(tag).toStdString();
    EXPECT_TRUE(SubsetTrueType(TrueTypeFile(tables), {1}));
    tables.erase("loca");
    EXPECT_FALSE(SubsetTrueType(TrueTypeFile(tables), {1}));
}

}  // namespace
}  // namespace novarel::render
