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

// Glyph codes of the tables and the symbols they stand for.
const std::pair<int, char32_t> GlyphCodes[] = {
    {192, 0x2648}, {193, 0x2649}, {194, 0x264A}, {195, 0x264B}, {196, 0x264C}, {197, 0x264D},
    {198, 0x264E}, {199, 0x264F}, {200, 0x2650}, {201, 0x2651}, {202, 0x2652}, {203, 0x2653},
    {224, 0x2609}, {236, 0x2295}, {233, 0x263D}, {225, 0x263F}, {226, 0x2640}, {227, 0x2642},
    {228, 0x2643}, {229, 0x2644}, {230, 0x2645}, {231, 0x2646}, {232, 0x2647}, {234, 0x260A},
    {161, 0x260C}, {162, 0x26B9}, {163, 0x25A1}, {164, 0x25B3}, {165, 0x260D}, {166, 0x2225},
    {177, 0x22D5}, {156, 0x211E}, {171, U'D'},   {152, U'N'},   {154, U'S'},   {186, 0x00B0},
    {146, 0x2032}, {167, 0x26BA}, {168, 0x2220}, {169, 0x26BC}, {170, 0x26BB}, {172, 0x26B7},
    {174, 0x26B3}, {175, 0x26B4}, {178, 0x26B5}, {179, 0x26B6}, {180, 0x26B8}};

QString Cp1252Char(int code) {
    return QString(
        QChar(static_cast<char16_t>(glyph::Cp1252CodePoint(static_cast<unsigned char>(code)))));
}

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
                     int points) {
    MessageBoxes messages(true);
    QtPrinter printer(folder.path().string(), messages);
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
    void everyCodeInBothFormsAtOneWidth();
    void viewTextLinesUpColumnForColumn();
    void printedPdfEmbedsTheFontWithItsPageBreaks();
};

void GuiFont::initTestCase() {
    QVERIFY(QFontDatabase::addApplicationFont(FontPath) != -1);
    QVERIFY(QFontDatabase::families().contains("EPHEMERI"));
}

void GuiFont::everyCodeInBothFormsAtOneWidth() {
    const QRawFont font(FontPath, 12);
    QVERIFY(font.isValid());
    QCOMPARE(font.familyName(), QString("EPHEMERI"));
    const quint32 zero = GlyphOf(font, "0");
    const qreal advance = font.advancesForGlyphIndexes({zero}).value(0).x();
    QVERIFY(advance > 0);
    for (const auto& [code, symbol] : GlyphCodes) {
        const QString byteChar = Cp1252Char(code);
        const QString symbolChar = QString(QChar(static_cast<char16_t>(symbol)));
        QVERIFY2(font.supportsCharacter(byteChar[0]), qPrintable(QString::number(code)));
        QVERIFY2(font.supportsCharacter(symbolChar[0]), qPrintable(QString::number(code)));
        const quint32 g = GlyphOf(font, byteChar);
        QCOMPARE(GlyphOf(font, symbolChar), g);
        QVERIFY(g != 0);
        QCOMPARE(font.advancesForGlyphIndexes({g}).value(0).x(), advance);
        // Something is drawn.
        QVERIFY2(!font.pathForGlyph(g).isEmpty(), qPrintable(QString::number(code)));
    }
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
    // 120 lines end exactly on a page: no empty page after them.
    const std::string exact = PrintPdf(folder, "b.pdf", 120, 60, 12);
    QVERIFY(Run("pdfinfo", {QString::fromStdString(exact)})
                .contains(QRegularExpression("Pages:\\s+2\\n")));
}

QTEST_MAIN(GuiFont)
#include "gui_font_test.moc"
