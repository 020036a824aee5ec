// The font a PostScript job embeds: cut down to the glyphs a page draws,
// renumbered from 1, each glyph draws the same outline with the same advance
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

        const auto tables = TrueTypeTables(file);
        ASSERT_TRUE(tables);
        const auto subset = TrueTypeSubset(*tables, glyphs);
        ASSERT_TRUE(subset);
        EXPECT_LT(subset->size(), file.size());
        const QRawFont part(QByteArray::fromStdString(*subset), 40, QFont::PreferNoHinting);
        ASSERT_TRUE(part.isValid());
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            const auto renumbered = static_cast<quint32>(i + 1);
            EXPECT_TRUE(SameOutline(part.pathForGlyph(renumbered), whole.pathForGlyph(glyphs[i])))
                << i;
            EXPECT_EQ(part.advancesForGlyphIndexes(QList<quint32>{renumbered}),
                      whole.advancesForGlyphIndexes(QList<quint32>{glyphs[i]}))
                << i;
        }
    }
}

TEST_F(TrueTypeSubsetTest, NoSubsetOfWhatIsNotATrueTypeFont) {
    EXPECT_FALSE(TrueTypeTables("not a font at all"));
    const std::string file = Read(QStringLiteral(NOVAREL_BUILD_DIR "/EPHEMERI.TTF"));
    auto tables = TrueTypeTables(file);
    ASSERT_TRUE(tables);
    EXPECT_FALSE(TrueTypeSubset(*tables, {60000}));  // a glyph it does not have
    tables->erase("loca");
    EXPECT_FALSE(TrueTypeSubset(*tables, {1}));
}

}  // namespace
}  // namespace novarel::render
