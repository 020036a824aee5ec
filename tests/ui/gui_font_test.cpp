// The built glyph font as Qt sees it, and pages printed with it to PDF.
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>

#include "core/glyphs.h"
#include "render/qt_printer.h"
#include "tests/ui/gui_fixture.h"
#include "ui/qt_text.h"

using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

namespace {

const QString FontPath = QString(NOVAREL_BUILD_DIR) + "/EPHEMERI.TTF";

quint32 GlyphOf(const QRawFont& font, const QString& text) {
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    return glyphs.size() == 1 ? glyphs[0] : 0;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Prints lines through the printer as the print button does: a new page
// after every perPage lines.
std::string PrintPdf(const ProgramFolder& folder, const std::string& name, int lines, int perPage,
                     int points, bool landscape = false) {
    MessageBoxes messages(true);
    QtPrinter printer(folder.path().string(), messages);
    printer.setLandscape(landscape);
    const std::string pdf = folder.file(name);
    printer.printToPdf(pdf);
    printer.setFont("EPHEMERI", points);
    for (int n = 1; n <= lines; ++n) {
        // 131 characters with the signs, as the widest ephemeris rows.
        std::string line = "  " + std::to_string(n) + " \xC0\xC1\xE0\xE9 10\xBA" + "23\x92";
        line.resize(131, '-');
        printer.printLine(line);
        if (n % perPage == 0) printer.newPage();
    }
    if (!printer.endDocument()) return {};
    return pdf;
}

}  // namespace

class GuiFont : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyByteOfAPageAtOneWidth();
    void viewTextLinesUpColumnForColumn();
    void printedPdfEmbedsTheFontWithItsPageBreaks();
    void sidewaysPagesSetTheTablesLarger();
};

void GuiFont::initTestCase() {
    QVERIFY(QFontDatabase::addApplicationFont(FontPath) != -1);
    QVERIFY(QFontDatabase::families().contains("EPHEMERI"));
}

void GuiFont::everyByteOfAPageAtOneWidth() {
    const QRawFont font(FontPath, 12);
    QVERIFY(font.isValid());
    QCOMPARE(font.familyName(), QString("EPHEMERI"));
    const quint32 zero = GlyphOf(font, "0");
    const qreal advance = font.advancesForGlyphIndexes({zero}).value(0).x();
    QVERIFY(advance > 0);
    // Both forms of every glyph code are checked by check_glyph_font.py.
    // Every other byte of a page, as the view shows it, at the same width.
    for (int b = 0x20; b < 0x100; ++b) {
        if (b == 0x7F ||
            (b >= 0x80 && b <= 0x9F &&
             glyph::Cp1252CodePoint(static_cast<unsigned char>(b)) == static_cast<char32_t>(b)))
            continue;  // no character
        const QString shown = PageToView(std::string(1, static_cast<char>(b)));
        const quint32 g = GlyphOf(font, shown);
        QVERIFY2(g != 0, qPrintable(QString::number(b)));
        QCOMPARE(font.advancesForGlyphIndexes({g}).value(0).x(), advance);
    }
}

void GuiFont::viewTextLinesUpColumnForColumn() {
    QFont font("EPHEMERI");
    font.setPointSize(10);
    const QFontMetricsF metrics(font);
    QCOMPARE(QFontInfo(font).family(), QString("EPHEMERI"));
    const double cell = metrics.horizontalAdvance('0');
    // A row with signs, bodies, degree and minute marks takes its length in cells.
    const std::string row =
        "  10 Mar  23 12 27.9  19\xC0\x35\x31.4 01\xCA\x30\x33.2 \xAB\x98\x9A\xBA\x92";
    const QString shown = PageToView(row);
    QCOMPARE(metrics.horizontalAdvance(shown), cell * static_cast<double>(row.size()));
}

void GuiFont::printedPdfEmbedsTheFontWithItsPageBreaks() {
    ProgramFolder folder;
    // 130 lines at 60 a page: 60, 60 and 10.
    const std::string pdf = PrintPdf(folder, "a.pdf", 130, 60, 8);
    QVERIFY(!pdf.empty());
    const QString info = Run("pdfinfo", {QString::fromStdString(pdf)});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+3\\n")), qPrintable(info));
    const QString fonts = Run("pdffonts", {QString::fromStdString(pdf)});
    const QStringList rows = fonts.split('\n').filter("EPHEMERI");
    QCOMPARE(rows.size(), 1);
    QVERIFY2(rows[0].contains(QRegularExpression("\\byes\\b")), qPrintable(fonts));
    QVERIFY2(rows[0].split(' ', Qt::SkipEmptyParts).value(4) == "yes", qPrintable(fonts));
    // The lines are text, in order, the last one on the last page.
    const QString text = Run("pdftotext", {"-layout", "-f", "3", QString::fromStdString(pdf), "-"});
    QVERIFY2(text.contains(QRegularExpression("^\\s*121 ")), qPrintable(text.left(200)));
    QVERIFY(text.contains(QRegularExpression("\\n\\s*130 ")));
    // The glyph codes are their symbols in the PDF's text, to search and copy.
    QVERIFY2(text.contains(QString::fromUtf8("130 ♈♉☉☽ 10°23′--")), qPrintable(text.right(300)));
    // 120 lines end exactly on a page: no empty page after them.
    const std::string exact = PrintPdf(folder, "b.pdf", 120, 60, 12);
    QVERIFY(Run("pdfinfo", {QString::fromStdString(exact)})
                .contains(QRegularExpression("Pages:\\s+2\\n")));
}

// The height of the first word's box on a PDF's first page, in points.
double FirstWordHeight(const std::string& pdf) {
    const QString boxes = Run("pdftotext", {"-bbox", "-l", "1", QString::fromStdString(pdf), "-"});
    const QRegularExpressionMatch m =
        QRegularExpression("<word [^>]*yMin=\"([0-9.]+)\"[^>]*yMax=\"([0-9.]+)\"").match(boxes);
    return m.hasMatch() ? m.captured(2).toDouble() - m.captured(1).toDouble() : 0;
}

// A page turned sideways (Printer Setup) is wider than the 131 columns of
// an ephemeris at 8 points: they are set larger, as far as they still fit.
void GuiFont::sidewaysPagesSetTheTablesLarger() {
    ProgramFolder folder;
    const std::string upright = PrintPdf(folder, "upright.pdf", 40, 60, 8);
    const std::string sideways = PrintPdf(folder, "sideways.pdf", 40, 60, 8, true);
    QVERIFY(Run("pdfinfo", {QString::fromStdString(sideways)})
                .contains(QRegularExpression("Page size:\\s+842 x 595 pts")));
    const double small = FirstWordHeight(upright), large = FirstWordHeight(sideways);
    QVERIFY2(small > 0 && large > small * 1.15, qPrintable(QString("%1 %2").arg(small).arg(large)));
    // Every line is still on the one page, whole.
    const QString text = Run("pdftotext", {"-layout", QString::fromStdString(sideways), "-"});
    QVERIFY(text.contains(QRegularExpression("\\n\\s*40 ♈♉☉☽ 10°23′-{100,}")));
    QVERIFY(Run("pdfinfo", {QString::fromStdString(sideways)})
                .contains(QRegularExpression("Pages:\\s+1\\n")));
}

QTEST_MAIN(GuiFont)
#include "gui_font_test.moc"
