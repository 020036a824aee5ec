// novarel --pdf prints what the desktop program's "Print data" prints: the
// same pages, breaks and glyph font, without a display.
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include "render/qt_printer.h"
#include "tests/ui/gui_fixture.h"
#include "ui/data_window.h"
#include "ui/input_window.h"
#include "ui/print_preview.h"

using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

class GuiPdfBook : public QObject {
    Q_OBJECT
private slots:
    void commandLinePdfIsTheDesktopPrint();
    void commandLineRangeIsItsMonthsInTurn();
};

namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString PdfPages(const std::string& pdf) {
    const QString info = Run("pdfinfo", {QString::fromStdString(pdf)});
    const auto match = QRegularExpression("Pages: +(\\d+)").match(info);
    return match.hasMatch() ? match.captured(1) : QString("<none>");
}

std::unique_ptr<GuiApp> AspectarianOfJanuary2000(const ProgramFolder& folder) {
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    SetStartDate(input, "1", "1", "2000");
    QTest::mouseClick(static_cast<QPushButton*>(input.control("cmdAspectarian")), Qt::LeftButton);
    Settle();
    return app;
}

// "Print data" of the month's aspectarian, then Print in the preview.
std::string DesktopPrint(const ProgramFolder& folder) {
    auto app = AspectarianOfJanuary2000(folder);
    const std::string pdf = folder.file("desktop.pdf");
    app->printer().printToPdf(pdf);
    app->dataWindow().action("mnuPrintData")->trigger();
    QTest::mouseClick(app->printPreview().printButton(), Qt::LeftButton);
    return pdf;
}

// novarel ARGUMENTS --pdf PDF in the folder, without a display; its status.
int NovarelPdf(const ProgramFolder& folder, QStringList arguments, const std::string& pdf) {
    QProcess novarel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    novarel.setProcessEnvironment(env);
    arguments << "--dir" << QString::fromStdString(folder.path().string()) << "--pdf"
              << QString::fromStdString(pdf);
    novarel.start(QString(NOVAREL_BUILD_DIR) + "/novarel", arguments);
    if (!novarel.waitForFinished(120000)) return -1;
    return novarel.exitCode();
}

}  // namespace

void GuiPdfBook::commandLinePdfIsTheDesktopPrint() {
    ProgramFolder folder;
    const std::string desktop = DesktopPrint(folder);
    const std::string cli = folder.file("cli.pdf");
    QProcess novarel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");  // the program needs no display of its own
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("XDG_RUNTIME_DIR");  // nor a desktop session (a terminal, cron)
    novarel.setProcessEnvironment(env);
    novarel.start(
        QString(NOVAREL_BUILD_DIR) + "/novarel",
        {"aspectarian", "--start", "2000-01-01", "--full-month", "--dir",
         QString::fromStdString(folder.path().string()), "--pdf", QString::fromStdString(cli)});
    QVERIFY(novarel.waitForFinished(60000));
    QCOMPARE(novarel.exitCode(), 0);
    QVERIFY(novarel.readAllStandardOutput().isEmpty());  // the pages went to the file
    // One line for the user, no toolkit notes.
    QCOMPARE(QString::fromUtf8(novarel.readAllStandardError()),
             "novarel: Information: Printed to the file " + QString::fromStdString(cli) + ".\n");

    // A month's aspectarian takes more than one page.
    QVERIFY(PdfPages(desktop).toInt() > 1);
    QCOMPARE(PdfPages(cli), PdfPages(desktop));
    const QString fonts = Run("pdffonts", {QString::fromStdString(cli)});
    const QStringList rows = fonts.split('\n').filter("EPHEMERI");
    QCOMPARE(rows.size(), 1);
    QVERIFY2(rows[0].split(' ', Qt::SkipEmptyParts).value(4) == "yes", qPrintable(fonts));
    // Page for page the same text, so the same breaks.
    const QStringList layout = {"-layout", QString::fromStdString(desktop), "-"};
    const QStringList cliLayout = {"-layout", QString::fromStdString(cli), "-"};
    const QString desktopText = Run("pdftotext", layout);
    QVERIFY(desktopText.count('\f') > 1);
    QCOMPARE(Run("pdftotext", cliLayout), desktopText);
}

// --end prints the range's months one after another into the one file: each
// starts on a new page, in the font size of its own width.
void GuiPdfBook::commandLineRangeIsItsMonthsInTurn() {
    ProgramFolder folder;
    const std::string range = folder.file("range.pdf");
    const std::string jan = folder.file("jan.pdf");
    const std::string feb = folder.file("feb.pdf");
    QCOMPARE(
        NovarelPdf(folder, {"aspectarian", "--start", "2000-01-01", "--end", "2000-02-29"}, range),
        0);
    QCOMPARE(NovarelPdf(folder, {"aspectarian", "--start", "2000-01-01", "--full-month"}, jan), 0);
    QCOMPARE(NovarelPdf(folder, {"aspectarian", "--start", "2000-02-01", "--full-month"}, feb), 0);
    QCOMPARE(PdfPages(range).toInt(), PdfPages(jan).toInt() + PdfPages(feb).toInt());
    const auto text = [](const std::string& pdf) {
        return Run("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    };
    QVERIFY(text(jan) != text(feb));
    QCOMPARE(text(range), text(jan) + text(feb));
}

QTEST_MAIN(GuiPdfBook)
#include "gui_pdf_book_test.moc"
