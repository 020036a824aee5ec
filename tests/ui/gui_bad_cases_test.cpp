// What the user sees when things go wrong: the glyph font missing or
// unreadable, a program folder that cannot be written at exit, a Save As
// into a folder that cannot be written, printing without a printer, another
// run holding the folder's lock.
// The font cases come first: once a window has the font, the process keeps it.
#include <unistd.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <fstream>
#include <optional>
#include <tuple>

#include "app/main_menu.h"
#include "app/program.h"
#include "render/qt_printer.h"
#include "tests/support/lock_holder.h"
#include "tests/support/tmpfs_folder.h"
#include "tests/ui/gui_fixture.h"
#include "ui/data_window.h"
#include "ui/input_window.h"
#include "ui/main_window.h"
#include "ui/options_window.h"
#include "ui/print_preview.h"
#include "ui/progress_window.h"
#include "ui/save_dialog.h"

using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

class GuiBadCases : public QObject {
    Q_OBJECT
private slots:
    void glyphFontMissing();
    void glyphFontUnreadable();
    void programFolderNotWritableAtExit();
    void saveAsIntoAFolderThatCannotBeWritten();
    void printingWithoutAPrinter();
    void printingToAFileThatCannotBeWritten();
    void missingOptionsAndHelpFiles();
    void anotherRunHoldsTheLock();
    void aWrongDateTakesTheKeyboardToItsBox();
    void placesOffTheScreenArePulledOntoIt();
    void anExportOntoAFullDiskKeepsTheEarlierFile();
};

// A program folder of the user's own (--dir) need not hold the glyph font:
// the one beside the executable (the build folder here) is found.
void GuiBadCases::glyphFontMissing() {
    QVERIFY(!QFontDatabase::families().contains("EPHEMERI"));
    ProgramFolder folder;
    std::filesystem::remove(folder.file("EPHEMERI.TTF"));
    auto app = StartProgram(folder);
    // The first page opens the Data window, which needs the font.
    app->runMainCommand(MainCommand::Tips);
    QVERIFY(!app->ended());
    QVERIFY(app->messages().shown().empty());
    QVERIFY(app->dataWindow().isVisible());
    QCOMPARE(app->dataWindow().text()->font().family(), QString("EPHEMERI"));
}

// A damaged font in the program folder is passed over for the next place.
void GuiBadCases::glyphFontUnreadable() {
    ProgramFolder folder;
    QVERIFY(WriteWholeFile(folder.file("EPHEMERI.TTF"), "not a font file\r\n"));
    auto app = StartProgram(folder);
    app->runMainCommand(MainCommand::Tips);
    QVERIFY(!app->ended());
    QVERIFY(app->messages().shown().empty());
    QVERIFY(QFontDatabase::families().contains("EPHEMERI"));
}

void GuiBadCases::programFolderNotWritableAtExit() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    // A folder the program cannot write into: read-only, and for a user who
    // may write anyway, a folder where the settings file should go.
    std::filesystem::create_directory(folder.file("novarel_SE.ini"));
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    app->mainWindow().close();
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    const std::string shown = LastMessage(*app);
    QVERIFY2(shown.rfind("Warning!: ", 0) == 0, shown.c_str());
    QVERIFY2(shown.find(folder.file("novarel_SE.ini")) != std::string::npos, shown.c_str());
    // The exit goes on, and its status says the settings were not kept.
    QVERIFY(app->ended());
    QCOMPARE(app->exitCode(), 1);
    QVERIFY(!app->mainWindow().isVisible());
}

void GuiBadCases::saveAsIntoAFolderThatCannotBeWritten() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    app->runMainCommand(MainCommand::Tips);
    QVERIFY(app->dataWindow().isVisible());
    DataSaver& saver = app->program().dataWindow.saver;
    // Cancelled: nothing is written or remembered.
    SaveThroughDialog(*app, "mnuFileSaveAs", "");
    QVERIFY(app->messages().shown().empty());
    QVERIFY(saver.SaveFileName.empty());
    SaveThroughDialog(*app, "mnuFileSaveAs", QString::fromStdString(folder.file("tips.DOC")));
    QVERIFY(folder.read("tips.DOC").size() > 100);
    QCOMPARE(saver.SaveFileName, folder.file("tips.DOC"));
    // The folder of the last Save As can no longer be written (/sys takes
    // no new files, whoever asks): F5 (Save) says so, naming the file, and
    // the old file stays as it was.
    const std::string before = folder.read("tips.DOC");
    app->runMainCommand(MainCommand::HowDoI);
    saver.SaveFileName = "/sys/novarel-test.DOC";
    app->dataWindow().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app->dataWindow()));
    QTest::keyClick(app->dataWindow().text(), Qt::Key_F5);
    const std::string shown = LastMessage(*app);
    QVERIFY2(shown.find("/sys/novarel-test.DOC") != std::string::npos, shown.c_str());
    QCOMPARE(app->messages().shown().back().icon, QMessageBox::Warning);
    QCOMPARE(folder.read("tips.DOC"), before);
}

void GuiBadCases::printingWithoutAPrinter() {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("a printer is installed on this machine");
    ProgramFolder folder;
    auto app = StartProgram(folder);
    app->runMainCommand(MainCommand::Tips);
    app->dataWindow().action("mnuPrintData")->trigger();
    PrintPreview& preview = app->printPreview();
    QVERIFY(preview.isVisible());
    // An edit in the preview is printed and kept in the print file.
    preview.content_edit()->moveCursor(QTextCursor::Start);
    preview.content_edit()->insertPlainText("Edited \u2648 line\n");
    QTest::mouseClick(preview.printButton(), Qt::LeftButton);
    const std::string pdf = folder.file(render::PrintPdfFileName);
    QCOMPARE(LastMessage(*app), "Information: Printed to the file " + pdf + ".");
    QVERIFY(std::filesystem::file_size(pdf) > 1000);
    QVERIFY(folder.read("PRNTFILE.XXX").rfind("Edited \xC0 line\r\n\r\n\r\n", 0) == 0);
}

void GuiBadCases::printingToAFileThatCannotBeWritten() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    app->printer().printToPdf("/proc/novarel-test.pdf");
    app->runMainCommand(MainCommand::Tips);
    app->dataWindow().action("mnuPrint")->trigger();
    QTest::mouseClick(app->printPreview().printButton(), Qt::LeftButton);
    QCOMPARE(LastMessage(*app), std::string("Warning!: The printer did not accept the document."));
    QVERIFY(!app->printPreview().isVisible());
    QVERIFY(!app->progressWindow().busy());
}

void GuiBadCases::missingOptionsAndHelpFiles() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    std::filesystem::remove(folder.file("OPTIONS.OPT"));
    app->runMainCommand(MainCommand::Options);
    QCOMPARE(LastMessage(*app), std::string("Warning!: File Not Found"));
    QVERIFY(!app->optionsWindow() || !app->optionsWindow()->isVisible());
    // Restore Default Settings brings the file back from OPTIONS.MAS.
    QVERIFY(WriteWholeFile(folder.file("OPTIONS.OPT"), "1\r\n"));
    app->runMainCommand(MainCommand::Options);
    OptionsWindow* editor = app->optionsWindow();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->windowTitle(), QString("Edit: OPTIONS.OPT"));
    QCOMPARE(editor->content_edit()->toPlainText(), QString("1\n"));
    QTest::mouseClick(editor->restoreButton(), Qt::LeftButton);
    QCOMPARE(folder.read("OPTIONS.OPT"), folder.read("OPTIONS.MAS"));
    QVERIFY(editor->content_edit()->toPlainText().startsWith("0      1:"));
    // Save writes the text back with CR LF.
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    QCOMPARE(folder.read("OPTIONS.OPT"), folder.read("OPTIONS.MAS"));
    QTest::mouseClick(editor->quitButton(), Qt::LeftButton);
    QVERIFY(!editor->isVisible());

    std::filesystem::remove(folder.file("TIPS.HLP"));
    const std::size_t before = app->messages().shown().size();
    app->runMainCommand(MainCommand::Tips);
    QCOMPARE(app->messages().shown().size(), before + 1);
    QVERIFY(LastMessage(*app).find("TIPS.HLP") != std::string::npos);
}

// Another run saving into the folder: the progress window says that this run
// waits for it, and the data files are saved once the lock is let go.
void GuiBadCases::anotherRunHoldsTheLock() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    SetStartDate(input, "03", "01", "2018");
    auto* save = static_cast<QCheckBox*>(input.control("chkSaveData"));
    QTest::mouseClick(save, Qt::LeftButton, {}, QPoint(8, save->height() / 2));
    QVERIFY(app->program().request.chkSaveData);

    // The other run lets go once the label has been seen (or after ten
    // seconds), however long a loaded machine takes to reach the save.
    std::optional<novarel::test::LockHolder> other;
    other.emplace(folder.path().string());
    QVERIFY(other->holding());
    auto* waiting = app->progressWindow().findChild<QLabel*>("lblWaiting");
    QVERIFY(waiting != nullptr);
    QString said;
    bool shown = false;
    QElapsedTimer since;
    since.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (waiting->isVisible()) {
            said = waiting->text();
            shown = true;
        }
        if (shown || since.elapsed() > 10000) {
            other.reset();
            watch.stop();
        }
    });
    watch.start(10);
    QTest::mouseClick(static_cast<QPushButton*>(input.control("cmdEphemeris")), Qt::LeftButton);
    Settle();
    QCOMPARE(said, QString::fromStdString("Waiting for another run saving into " +
                                          folder.path().string() + "…"));
    QVERIFY(shown);
    QVERIFY(!waiting->isVisible());
    QVERIFY(app->messages().shown().empty());
    int saved = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        saved += e.path().extension() == ".TEG";
    QCOMPARE(saved, 4);
}

// The specified message, then the keyboard in the first wrong box (month,
// day, year), its text selected for typing over.
void GuiBadCases::aWrongDateTakesTheKeyboardToItsBox() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    auto* ephemeris = static_cast<QPushButton*>(input.control("cmdEphemeris"));
    const std::tuple<const char*, const char*, const char*, QLineEdit*> cases[] = {
        {"13", "40", "2018", input.txtMonth()},
        {"3", "40", "1700", input.txtDay()},
        {"3", "10", "1700", input.txtYear()},
    };
    for (const auto& [month, day, year, wrong] : cases) {
        SetStartDate(input, month, day, year);
        ephemeris->setFocus();
        QTest::mouseClick(ephemeris, Qt::LeftButton);
        Settle();
        QCOMPARE(LastMessage(*app),
                 std::string("Warning!: Error in input data section. Please correct."));
        QVERIFY(input.isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(wrong));
        QCOMPARE(wrong->selectedText(), wrong->text());
    }
}

// Places kept on a larger screen or edited by hand: every window opens on
// the screen's free area, shrunk to fit it.
void GuiBadCases::placesOffTheScreenArePulledOntoIt() {
    ProgramFolder folder;
    QVERIFY(WriteWholeFile(folder.file("novarel_SE.ini"),
                           "NOVARELTop= 900000\r\nNOVARELLeft= 70000\r\nInputLeft=-50000\r\n"
                           "DataTop= 1500\r\nDataLeft= 3000\r\nDataHeight= 90000\r\n"
                           "DataWidth= 90000\r\n"));
    auto app = StartProgram(folder);
    app->runMainCommand(MainCommand::Tips);  // opens the Data window
    Settle();
    for (QWidget* w :
         {static_cast<QWidget*>(&app->mainWindow()), static_cast<QWidget*>(&app->inputWindow()),
          static_cast<QWidget*>(&app->dataWindow())}) {
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        const QRect area = w->screen()->availableGeometry().adjusted(-8, -8, 8, 8);
        QVERIFY2(area.contains(w->frameGeometry()), qPrintable(w->objectName()));
    }
}

// An export meets a full disk: the message names the file, and the export
// made there before keeps its bytes.
void GuiBadCases::anExportOntoAFullDiskKeepsTheEarlierFile() {
    novarel::test::TmpfsFolder disk("96k");
    if (!disk.mounted()) QSKIP("no tmpfs can be mounted here (not root)");
    ProgramFolder folder;
    auto app = StartProgram(folder);
    SetStartDate(app->inputWindow(), "1", "1", "2024");
    app->calculate(false);
    Settle();
    const QString target = QString::fromStdString(disk.file("month.csv"));
    SaveThroughDialog(*app, "mnuFileExportCsv", target);
    const std::string before = ReadWholeFile(disk.file("month.csv")).value_or("");
    QVERIFY(before.size() > 10000);
    {
        // The rest of the disk taken.
        std::ofstream filler(disk.file("filler"), std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }
    SaveThroughDialog(*app, "mnuFileExportJson", target);
    QCOMPARE(LastMessage(*app),
             "Warning!: The data could not be written to the file " + disk.file("month.csv") + ".");
    QCOMPARE(ReadWholeFile(disk.file("month.csv")).value_or(""), before);
}

QTEST_MAIN(GuiBadCases)
#include "gui_bad_cases_test.moc"
