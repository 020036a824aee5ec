// A session as a user goes through it: start on a fresh program folder, type
// a date, calculate, read the table, change the view, step forward, save,
// print to a PDF file, exit; a second start finds everything where it was.
#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDialog>
#include <QFileDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>
#include <vector>

#include "app/export/window_exports.h"
#include "app/program.h"
#include "core/text_file.h"
#include "core/view_text.h"
#include "render/qt_printer.h"
#include "tests/ui/gui_fixture.h"
#include "ui/data_window.h"
#include "ui/date_dialog.h"
#include "ui/input_window.h"
#include "ui/main_window.h"
#include "ui/print_preview.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/save_dialog.h"

using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

class GuiSession : public QObject {
    Q_OBJECT
private slots:
    void userSession();
    void keyFilterPasteAndDaysBox();
    void localClockAndTheAspectariansChoices();
    void retrogradeTimesComeIntoSightOnce();
    void enterCalculatesAndAltTypesNothing();
    void theMainMenusKeysWorkFromTheInputWindow();
    void aStepOfTheBarLeavesTheVectorRegistersClear();
};

namespace {

void TypeInto(QLineEdit* box, const QString& keys) {
    box->setFocus();
    Settle();  // the focus selects the whole text; typing replaces it
    QTest::keyClicks(box, keys);
}

// The value of a "Name= value" line of the settings file.
std::string SettingOf(const std::string& settings, const std::string& name) {
    const std::string line = LineStartingWith(settings, name + "=");
    if (line.empty()) return "<missing>";
    std::string value = line.substr(name.size() + 1);
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    return value;
}

// OPTIONS.OPT with the given lines' values set (each line begins with its value).
void SetOptionLines(const ProgramFolder& folder, std::initializer_list<std::pair<int, char>> set) {
    std::string options = folder.read("OPTIONS.OPT");
    for (const auto& [number, value] : set) {
        std::size_t at = 0;
        for (int line = 1; line < number; ++line) at = options.find("\r\n", at) + 2;
        options[at] = value;
    }
    QVERIFY(WriteWholeFile(folder.file("OPTIONS.OPT"), options));
}

// A File menu export through its dialog into the folder: the file's bytes,
// and the name the dialog proposed.
std::pair<std::string, QString> ExportInto(GuiApp& app, const char* action,
                                           const ProgramFolder& folder, const char* name) {
    const QString proposed =
        SaveThroughDialog(app, action, QString::fromStdString(folder.file(name)));
    return {folder.read(name), proposed};
}

// The parts of the processor's register state in use (XGETBV 1), or none
// where the processor cannot tell.
std::optional<std::uint64_t> RegisterStateInUse() {
#if defined(__x86_64__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE)) return std::nullopt;
    if (!__get_cpuid_count(0xD, 1, &a, &b, &c, &d) || !(a & (1u << 2))) return std::nullopt;
    unsigned low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (std::uint64_t{high} << 32) | low;
#else
    return std::nullopt;
#endif
}
constexpr std::uint64_t UpperHalvesOfYmm = 1u << 2;

}  // namespace

void GuiSession::userSession() {
    ProgramFolder folder;
    QVERIFY(!std::filesystem::exists(folder.file("novarel_SE.ini")));
    auto app = StartProgram(folder);
    MainWindow& main = app->mainWindow();
    InputWindow& input = app->inputWindow();
    QVERIFY(main.isVisible());
    QVERIFY(main.windowTitle().startsWith("NOVAREL_SE - "));
    QVERIFY(input.isVisible());
    QCOMPARE(input.windowTitle(), QString("Input Data"));
    QCOMPARE(input.txtDays()->text(), QString("30"));
    QVERIFY(static_cast<QCheckBox*>(input.control("chkFullMonth"))->isChecked());

    // 7 days from 10 March 2018; a stray letter is filtered out.
    TypeInto(input.txtDay(), "1x0");
    TypeInto(input.txtMonth(), "3");
    TypeInto(input.txtYear(), "2018");
    QCOMPARE(input.txtDay()->text(), QString("10"));
    auto* fullMonth = static_cast<QCheckBox*>(input.control("chkFullMonth"));
    QTest::mouseClick(fullMonth, Qt::LeftButton, {}, QPoint(8, fullMonth->height() / 2));
    QVERIFY(!static_cast<QCheckBox*>(input.control("chkFullMonth"))->isChecked());
    QVERIFY(!app->program().request.chkFullMonth);
    TypeInto(input.txtDays(), "7");
    QCOMPARE(input.txtDays()->text(), QString("7"));
    QCOMPARE(input.spinBar()->value(), 7);
    QTest::mouseClick(static_cast<QPushButton*>(input.control("cmdEphemeris")), Qt::LeftButton);
    Settle();

    // The run showed its progress and hid the input window.
    ProgressWindow& progress = app->progressWindow();
    QVERIFY(!progress.filled().empty());
    QCOMPARE(progress.filled().back(), 100.0f);
    QVERIFY(!progress.isVisible());
    QVERIFY(!progress.busy());
    QVERIFY(!input.isVisible());
    QVERIFY(main.action("mnuInputData")->isVisible());

    DataWindowWidget& data = app->dataWindow();
    QVERIFY(data.isVisible());
    QCOMPARE(data.windowTitle(), QString("NOVAREL_SE - Data"));
    QCOMPARE(data.text()->font().family(), QString("EPHEMERI"));
    // Font > Bold draws with the glyph font's own bold face.
    data.action("mnuFontsBold")->trigger();
    QCOMPARE(QFontInfo(data.text()->font()).styleName(), QString("Bold"));
    data.action("mnuFontsBold")->trigger();
    QCOMPARE(QFontInfo(data.text()->font()).styleName(), QString("Regular"));
    QVERIFY(data.action("mnuMore")->isVisible());
    const std::string page = data.pageText();
    QVERIFY(page.find("Tropical Ephemeris - Saturday, 10 Mar 2018 at noon, Greenwich") !=
            std::string::npos);
    // The same row as the command line gives for the same request.
    const std::string cli =
        CommandLineOutput({"ephemeris", "--start", "2018-03-10", "--days", "7", "--encoding",
                           "cp1252", "--dir", QString::fromStdString(folder.path().string())});
    const std::string row = LineStartingWith(cli, "  13 Mar");
    QVERIFY(!row.empty());
    QCOMPARE(LineStartingWith(page, "  13 Mar"), row);
    // The view shows the symbols themselves: Aries is U+2648.
    QVERIFY(data.text()->toPlainText().contains(QChar(0x2648)));
    // A copy carries the symbols and plain line ends.
    data.text()->selectAll();
    data.text()->copy();
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.contains(QChar(0x2648)));
    QVERIFY(!copied.contains(QChar::LineSeparator));
    QCOMPARE(copied.toStdString(), glyph::ViewTextToUtf8(glyph::PageToViewText(page)));

    // F4: declination; F2: the next week, which the input window now shows.
    data.activateWindow();
    data.text()->setFocus();
    QTest::keyClick(data.text(), Qt::Key_F4);
    QVERIFY(data.pageText().find("  Decl.") != std::string::npos);
    QTest::keyClick(data.text(), Qt::Key_F2);
    QVERIFY(data.pageText().find("Saturday, 17 Mar 2018") != std::string::npos);
    QCOMPARE(input.txtDay()->text(), QString("17"));
    QCOMPARE(input.txtMonth()->text(), QString("3"));
    // Runs started by keys, one after another: each gives the keyboard back
    // to the Data window, where the next key goes.
    for (const auto& [key, day] : {std::pair{Qt::Key_F2, "24"},
                                   {Qt::Key_F2, "31"},
                                   {Qt::Key_F3, "24"},
                                   {Qt::Key_F3, "17"}}) {
        Settle();
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused && focused->window() == &data);
        QTest::keyClick(focused, key);
        QCOMPARE(input.txtDay()->text(), QString(day));
    }

    // Save As: the dialog proposes the start date's name; a name typed
    // without an extension gets ".doc".
    const QString saved = QString::fromStdString(folder.file("week.doc"));
    QString proposed;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = app->saveDialog().openDialog();
        QVERIFY(dialog);
        proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->selectFile(QString::fromStdString(folder.file("week")));
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    data.action("mnuFileSaveAs")->trigger();
    QCOMPARE(proposed, QString("20180317.DOC"));
    const std::string file = folder.read("week.doc");
    QVERIFY(file.find(row + "\r\n") != std::string::npos);
    QVERIFY(file.size() > 3 && file.substr(file.size() - 3) == "\f\r\n");
    QCOMPARE(app->program().dataWindow.saver.SaveFileName, saved.toStdString());

    // Print page: the preview shows the page; Print writes the PDF file.
    const std::string pdf = folder.file("week.pdf");
    app->printer().printToPdf(pdf);
    data.action("mnuPrint")->trigger();
    PrintPreview& preview = app->printPreview();
    QVERIFY(preview.isVisible());
    QCOMPARE(preview.windowTitle(), QString("Data To Be Printed"));
    QVERIFY(preview.content().find(LineStartingWith(data.pageText(), "  17 Mar")) !=
            std::string::npos);
    QTest::mouseClick(preview.printButton(), Qt::LeftButton);
    QVERIFY(!preview.isVisible());
    QVERIFY(std::filesystem::file_size(pdf) > 1000);
    QCOMPARE(LastMessage(*app), "Information: Printed to the file " + pdf + ".");
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf)});
    QVERIFY(info.waitForFinished(30000));
    QVERIFY(info.readAllStandardOutput().contains("Pages:           1\n"));

    // Move the Data window; exit by closing the main window.
    data.move(40, 100);
    data.resize(700, 450);
    Settle();
    const WindowRect place = SavedPlace(&data);
    main.close();
    QVERIFY(app->ended());
    const std::string settings = folder.read("novarel_SE.ini");
    QCOMPARE(SettingOf(settings, "NumberOfDays"), std::string("7"));
    QCOMPARE(SettingOf(settings, "CalcFullMonth"), std::string("No"));
    QCOMPARE(SettingOf(settings, "DataTop"), std::to_string(std::lround(place.top)));
    QCOMPARE(SettingOf(settings, "DataLeft"), std::to_string(std::lround(place.left)));
    QCOMPARE(SettingOf(settings, "DataWidth"), std::to_string(std::lround(place.width)));
    app.reset();

    // A second start restores the choices and the places.
    auto again = StartProgram(folder);
    QCOMPARE(again->inputWindow().txtDays()->text(), QString("7"));
    QCOMPARE(again->inputWindow().spinBar()->value(), 7);
    QVERIFY(!static_cast<QCheckBox*>(again->inputWindow().control("chkFullMonth"))->isChecked());
    again->program().ShowHelp("TIPS.HLP");
    Settle();
    const QRect restored = PixelsFromTwips(place, &again->dataWindow());
    QCOMPARE(again->dataWindow().pos(), restored.topLeft());
    QCOMPARE(again->dataWindow().width(), restored.width());
    again->mainWindow().action("mnuFileExit")->trigger();
    QVERIFY(again->ended());
    QVERIFY(again->messages().shown().empty());
}

void GuiSession::keyFilterPasteAndDaysBox() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    QLineEdit* year = input.txtYear();
    year->setFocus();
    year->setText("2018");
    year->end(false);
    QTest::keyClicks(year, "a-. ");
    QCOMPARE(year->text(), QString("2018"));
    QTest::keyClick(year, Qt::Key_Backspace);
    QCOMPARE(year->text(), QString("201"));
    // A paste is not filtered.
    year->selectAll();
    year->insert("20x9");
    QCOMPARE(year->text(), QString("20x9"));
    QCOMPARE(app->program().request.txtYear, std::string("20x9"));

    QLineEdit* days = input.txtDays();
    days->setText("");
    QCOMPARE(days->text(), QString("1"));
    days->setText("400");
    QCOMPARE(days->text(), QString("366"));
    QCOMPARE(input.spinBar()->value(), 366);
    input.spinBar()->setValue(45);
    QCOMPARE(days->text(), QString("45"));
    QCOMPARE(app->program().request.NumberOfDays, std::int16_t{45});
    // The upper arrow of the spin bar raises the number.
    QTest::keyClick(input.spinBar(), Qt::Key_Up);
    QCOMPARE(days->text(), QString("46"));

    // While a run goes on, the user's keys and clicks reach no window.
    ProgressWindow& progress = app->progressWindow();
    progress.setBusy(true);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    days->setFocus();
    days->selectAll();
    QTest::keyClicks(days, "12");
    QTest::mouseClick(static_cast<QPushButton*>(input.control("cmdEphemeris")), Qt::LeftButton);
    QCOMPARE(days->text(), QString("46"));
    QCOMPARE(app->program().buffer.DataLineCount(), 0);
    progress.setBusy(false);
    QVERIFY(!QApplication::overrideCursor());
    QTest::keyClicks(days, "12");
    QCOMPARE(days->text(), QString("12"));

    // Focus on a number box selects all of it.
    days->setFocus();
    input.txtMonth()->setFocus();
    Settle();
    QCOMPARE(input.txtMonth()->selectedText(), input.txtMonth()->text());
}

// The zone box completes a typed part of a name; the aspectarian then runs on
// that clock with the void-of-course Moon and the asteroids chosen in the
// options, line for line what the command line gives; the zone is kept in the
// settings and an unknown one is refused with the window's message.
void GuiSession::localClockAndTheAspectariansChoices() {
    ProgramFolder folder;
    SetOptionLines(folder, {{19, '1'}, {20, '1'}});
    auto app = StartProgram(folder);
    // Before a run there is nothing to export, and no dialog opens.
    QCOMPARE(ExportInto(*app, "mnuFileExportCsv", folder, "none.csv").second, QString());
    QCOMPARE(LastMessage(*app), "Information: " + std::string(exports::NoRunToExportMessage));
    InputWindow& input = app->inputWindow();
    QComboBox* zone = input.cboTimeZone();
    QCOMPARE(zone->currentText(), QString("UT"));
    zone->lineEdit()->setFocus();
    zone->lineEdit()->selectAll();
    QTest::keyClicks(zone->lineEdit(), "new_y");
    QCOMPARE(zone->completer()->currentCompletion(), QString("America/New_York"));
    // The first proposal, taken from the list with the keyboard.
    QAbstractItemView* proposals = zone->completer()->popup();
    QVERIFY(proposals->isVisible());
    QTest::keyClick(proposals, Qt::Key_Down);
    QTest::keyClick(proposals, Qt::Key_Return);
    QVERIFY(!proposals->isVisible());
    QCOMPARE(zone->currentText(), QString("America/New_York"));
    QCOMPARE(app->program().request.timeZone, std::string("America/New_York"));

    SetStartDate(input, "11", "3", "2024");
    static_cast<QCheckBox*>(input.control("chkFullMonth"))->setChecked(false);
    input.txtDays()->setText("2");
    QTest::mouseClick(static_cast<QPushButton*>(input.control("cmdAspectarian")), Qt::LeftButton);
    Settle();
    const std::string page = app->dataWindow().pageText();
    QVERIFY(page.find("Times are America/New_York, EDT/EST") != std::string::npos);
    const std::string cli =
        CommandLineOutput({"aspectarian", "--tz", "America/New_York", "--void-of-course",
                           "--asteroids", "--start", "2024-11-03", "--days", "2", "--encoding",
                           "cp1252", "--dir", QString::fromStdString(folder.path().string())});
    auto events = [](const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.size() > 15 && line[12] == ':') lines.push_back(line);
        }
        return lines;
    };
    const std::vector<std::string> shown = events(page);
    QVERIFY(shown.size() > 15);
    QVERIFY(shown == events(cli));
    auto has = [&](const std::string& part) {
        return std::any_of(shown.begin(), shown.end(),
                           [&](const std::string& l) { return l.find(part) != std::string::npos; });
    };
    QVERIFY(has(" v/c ("));
    QVERIFY(has("(EST)"));
    QVERIFY(has("\xac"));  // Chiron's glyph code

    // The File menu's exports are the command line's bytes for the same request.
    const QString dir = QString::fromStdString(folder.path().string());
    const QStringList request{"aspectarian",
                              "--tz",
                              "America/New_York",
                              "--void-of-course",
                              "--asteroids",
                              "--start",
                              "2024-11-03",
                              "--days",
                              "2",
                              "--dir",
                              dir};
    for (const auto& [action, extension] : {std::pair{"mnuFileExportCsv", "csv"},
                                            {"mnuFileExportJson", "json"},
                                            {"mnuFileExportCalendar", "ics"}}) {
        const std::string name = std::string("run.") + extension;
        const auto [bytes, proposed] = ExportInto(*app, action, folder, name.c_str());
        QCOMPARE(proposed, QString("aspectarian-2024-11-03.") + extension);
        QCOMPARE(bytes, CommandLineOutput(request + QStringList{"--format", extension}));
    }
    QCOMPARE(ExportInto(*app, "mnuFileSaveText", folder, "page.txt").first,
             CommandLineOutput(request));

    // Choices changed in the input window afterwards do not change the
    // last run's records: heliocentric names no Earth in a geocentric run.
    app->program().ShowInputAgain();
    static_cast<QRadioButton*>(input.control("optHelio"))->setChecked(true);
    QCOMPARE(ExportInto(*app, "mnuFileExportCsv", folder, "again.csv").first,
             CommandLineOutput(request + QStringList{"--format", "csv"}));
    static_cast<QRadioButton*>(input.control("optGeo"))->setChecked(true);

    // The ephemeris of the same days: rows at local noon, the second table
    // of Chiron .. Lilith below the first, as the command line gives them.
    QTest::mouseClick(static_cast<QPushButton*>(input.control("cmdEphemeris")), Qt::LeftButton);
    Settle();
    const std::string table = app->dataWindow().pageText();
    const std::string cliTable = CommandLineOutput(
        {"ephemeris", "--tz", "America/New_York", "--asteroids", "--start", "2024-11-03", "--days",
         "2", "--encoding", "cp1252", "--dir", QString::fromStdString(folder.path().string())});
    QVERIFY(table.find("Times are America/New_York, EDT/EST") != std::string::npos);
    const std::string heading = LineStartingWith(cliTable, "  Long.     Chiron");
    QVERIFY(!heading.empty());
    QCOMPARE(LineStartingWith(table, "  Long.     Chiron"), heading);
    const std::size_t second = cliTable.find(heading);
    const std::string secondRow = LineStartingWith(cliTable.substr(second), "  04 Nov");
    QVERIFY(!secondRow.empty());
    QVERIFY(table.find(secondRow + "\r\n") != std::string::npos ||
            table.find(secondRow + "\n") != std::string::npos);
    QCOMPARE(ExportInto(*app, "mnuFileExportJson", folder, "days.json").first,
             CommandLineOutput({"ephemeris", "--tz", "America/New_York", "--asteroids", "--start",
                                "2024-11-03", "--days", "2", "--dir", dir, "--format", "json"}));
    // The ephemeris has no events for a calendar: no dialog, a message.
    QCOMPARE(ExportInto(*app, "mnuFileExportCalendar", folder, "days.ics").second, QString());
    QCOMPARE(LastMessage(*app),
             "Information: " + std::string(exports::NoCalendarOfEphemerisMessage));
    app->mainWindow().close();
    QVERIFY(app->ended());
    QCOMPARE(SettingOf(folder.read("novarel_SE.ini"), "TimeZone"), std::string("America/New_York"));
    app.reset();

    auto again = StartProgram(folder);
    QComboBox* kept = again->inputWindow().cboTimeZone();
    QCOMPARE(kept->currentText(), QString("America/New_York"));
    kept->setCurrentText("Europe/Atlantis");
    QTest::mouseClick(static_cast<QPushButton*>(again->inputWindow().control("cmdAspectarian")),
                      Qt::LeftButton);
    Settle();
    QCOMPARE(LastMessage(*again),
             std::string("Warning!: The time zone Europe/Atlantis is not known."));
    QVERIFY(again->inputWindow().isVisible());
    // Back to UT: the settings file is the 24 lines it always was.
    kept->setCurrentText("");
    QCOMPARE(again->program().request.timeZone, std::string("UT"));
    again->mainWindow().action("mnuFileExit")->trigger();
    QVERIFY(again->ended());
    QCOMPARE(SettingOf(folder.read("novarel_SE.ini"), "TimeZone"), std::string("<missing>"));
}

// F9 after a month's aspectarian: the listing is added at the end of the
// long page and scrolled into sight; a second F9 adds nothing. Then another
// start date for the same kind of run.
void GuiSession::retrogradeTimesComeIntoSightOnce() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    SetStartDate(input, "1", "1", "2024");
    QTest::mouseClick(static_cast<QPushButton*>(input.control("cmdAspectarian")), Qt::LeftButton);
    Settle();
    DataWindowWidget& data = app->dataWindow();
    QScrollBar* bar = data.text()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), 0);
    data.activateWindow();
    data.text()->setFocus();
    QTest::keyClick(data.text(), Qt::Key_F9);
    Settle();
    const std::string listed = data.pageText();
    const std::string heading = "Changes in direction (in UT):";
    const std::size_t at = listed.find(heading);
    QVERIFY(at != std::string::npos);
    QVERIFY(listed.find(heading, at + 1) == std::string::npos);
    QVERIFY(listed.find("Mercury - 02 Jan 2024 at 03:08") != std::string::npos);
    QCOMPARE(bar->value(), bar->maximum());
    bar->setValue(0);
    QTest::keyClick(data.text(), Qt::Key_F9);
    Settle();
    QCOMPARE(data.pageText(), listed);
    QCOMPARE(bar->value(), bar->maximum());

    // Ctrl+G asks for a date and runs the last kind of run from it;
    // cancelled, it changes nothing; Today runs it from today.
    auto goTo = [&](QDate date, bool accept) {
        QString proposed;
        QTimer::singleShot(0, [&] {
            QDialog* dialog = app->dateDialog().openDialog();
            QVERIFY(dialog);
            QDateEdit* edit = app->dateDialog().openDateEdit();
            QCOMPARE(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name),
                     QString("Start date"));
            proposed = edit->date().toString(Qt::ISODate);
            edit->setDate(date);
            QTest::keyClick(edit, accept ? Qt::Key_Return : Qt::Key_Escape);
        });
        data.activateWindow();
        QTest::keyClick(data.text(), Qt::Key_G, Qt::ControlModifier);
        Settle();
        return proposed;
    };
    QCOMPARE(goTo(QDate(2020, 12, 21), true), QString("2024-01-01"));
    QVERIFY(data.pageText().find("Tuesday, 01 Dec 2020") != std::string::npos);
    QCOMPARE(input.txtMonth()->text() + "/" + input.txtYear()->text(), QString("12/2020"));
    QCOMPARE(app->program().state.OutputKind, OutputKind::Aspectarian);
    const std::string december = data.pageText();
    QCOMPARE(goTo(QDate(1999, 1, 1), false), QString("2020-12-01"));
    QCOMPARE(data.pageText(), december);

    data.action("mnuMoreToday")->trigger();
    Settle();
    const QDate today = QDate::currentDate();
    QCOMPARE(input.txtMonth()->text(), QString::number(today.month()));
    QCOMPARE(input.txtYear()->text(), QString::number(today.year()));
}

// Enter in a date box calculates the last kind (the ephemeris at first);
// Enter on a focused button presses it; Alt with a letter types nothing.
void GuiSession::enterCalculatesAndAltTypesNothing() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    QVERIFY(ActivateInput(input));
    SetStartDate(input, "3", "10", "2018");
    QTest::keyClick(input.txtYear(), Qt::Key_X, Qt::AltModifier);
    QCOMPARE(input.txtYear()->text(), QString("2018"));

    QTest::keyClick(input.txtDay(), Qt::Key_Return);
    Settle();
    QVERIFY(app->dataWindow().pageText().find("Tropical Ephemeris - ") != std::string::npos);

    app->program().ShowInputAgain();
    Settle();
    QVERIFY(QTest::qWaitForWindowActive(&input));
    auto* aspectarian = static_cast<QPushButton*>(input.control("cmdAspectarian"));
    aspectarian->setFocus();
    QTest::keyClick(aspectarian, Qt::Key_Return);
    Settle();
    QVERIFY(app->dataWindow().pageText().find("Tropical Aspectarian - ") != std::string::npos);

    // The last kind was the aspectarian: Enter in the days box repeats it.
    app->program().ShowInputAgain();
    Settle();
    input.txtMonth()->setText("4");  // a whole month: from 1 April
    QTest::keyClick(input.txtDays(), Qt::Key_Enter);
    Settle();
    QVERIFY(app->dataWindow().pageText().find("Tropical Aspectarian - Sunday, 01 Apr 2018") !=
            std::string::npos);
}

// Alt and an access letter open the main window's menu; F12 ends the
// program from the input window as from the main window.
void GuiSession::theMainMenusKeysWorkFromTheInputWindow() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    QVERIFY(ActivateInput(input));
    const QString day = input.txtDay()->text();
    QTest::keyClick(input.txtDay(), Qt::Key_O, Qt::AltModifier);
    QCOMPARE(input.txtDay()->text(), day);
    QMenuBar* bar = app->mainWindow().menuBar();
    QVERIFY(bar->activeAction());
    QCOMPARE(bar->activeAction()->objectName(), QString("mnuOptions"));
    QTest::keyClick(input.cboTimeZone()->lineEdit(), Qt::Key_H, Qt::AltModifier);
    QCOMPARE(input.cboTimeZone()->currentText(), QString("UT"));
    QCOMPARE(bar->activeAction()->objectName(), QString("mnuHelp"));
    bar->setActiveAction(nullptr);

    QVERIFY(ActivateInput(input));
    QTest::keyClick(input.txtDay(), Qt::Key_F12);
    QVERIFY(app->ended());
}

// A run's arithmetic goes on after each step of the bar. The toolkit's fills
// leave the upper halves of the vector registers in use, which takes the
// ephemeris library's SSE code to about half its speed: the step clears them.
void GuiSession::aStepOfTheBarLeavesTheVectorRegistersClear() {
    ProgressWindow progress;
    progress.loadProgress();
    progress.bar()->repaint();
    const std::optional<std::uint64_t> afterPaint = RegisterStateInUse();
    if (!afterPaint) QSKIP("the processor does not tell which register state is in use");
    if (!(*afterPaint & UpperHalvesOfYmm))
        QSKIP("the toolkit's painting leaves the upper halves clear on this processor");
    progress.fillProgress(100);
    QVERIFY(!(RegisterStateInUse().value() & UpperHalvesOfYmm));
    progress.unloadProgress();
}

QTEST_MAIN(GuiSession)
#include "gui_session_test.moc"
