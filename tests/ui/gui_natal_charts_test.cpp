// The "Natal charts" window as a user and a screen reader meet it: reached
// from the Charts menu, its controls found by their captions, a chart typed,
// saved and chosen, and the choice kept from one start to the next.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <map>

#include "app/main_menu.h"
#include "app/natal_charts_form.h"
#include "app/program.h"
#include "natal/chart_file.h"
#include "tests/ui/gui_fixture.h"
#include "ui/input_window.h"
#include "ui/main_window.h"
#include "ui/natal_charts_window.h"

using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

namespace {

// The captions in the window's keyboard order.
const char* const Captions[] = {"Charts", "Name",   "Month",     "Day",      "Year",
                                "Hour",   "Minute", "Time zone", "Latitude", "Longitude",
                                "New",    "Save",   "Delete",    "Choose",   "Close"};

// Every control of the window by the name a screen reader reads for it.
std::map<QString, QWidget*> ControlsByAccessibleName(QWidget* window) {
    std::map<QString, QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // Captions themselves are read by their text too: they are no controls.
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a) continue;
        // A combo box's line edit is read with the box's name; the box counts.
        if (auto* box = qobject_cast<QComboBox*>(w->parentWidget())) w = box;
        found.try_emplace(a->text(QAccessible::Name), w);
    }
    return found;
}

NatalChartsWindow* OpenCharts(GuiApp& app) {
    app.mainWindow().action("mnuNatalCharts")->trigger();
    Settle();
    return app.natalChartsWindow();
}

// The settings as a program of an earlier version wrote them, with choices
// that are not the defaults (and an input window larger than it needs).
const std::string OlderSettings =
    "[novarel_SE] - Do NOT change the order of these variables.\r\n"
    "FontSize= 12\r\nFontBold= 0\r\nFontItalic= 0\r\nNOVARELTop= 0\r\nNOVARELLeft= 0\r\n"
    "NOVARELHeight= 675\r\nNOVARELWidth= 6550\r\nDataTop= 660\r\nDataLeft= 0\r\n"
    "DataHeight= 6540\r\nDataWidth= 9600\r\nInputTop= 1260\r\nInputLeft= 0\r\n"
    "InputHeight= 7200\r\nInputWidth= 7200\r\nCalcFullMonth=No\r\nSaveData=No\r\n"
    "Type=Midnight\r\nNumberOfDays=45\r\nCoordinates=Geo\r\nMoonNodes=Mean\r\n"
    "Zodiac=Sidereal\r\nMoonChangeSign=Display\r\n";

}  // namespace

class GuiNatalCharts : public QObject {
    Q_OBJECT
private slots:
    void aChartTypedSavedChosenAndKept();
    void transitsWithoutAChartOpenTheWindow();
    void wrongBoxesAndTheDeleteQuestion();
};

void GuiNatalCharts::aChartTypedSavedChosenAndKept() {
    ProgramFolder folder;
    QVERIFY(WriteWholeFile(folder.file("novarel_SE.ini"), OlderSettings));
    auto app = StartProgram(folder);
    NatalChartsWindow* window = OpenCharts(*app);
    QVERIFY(window && window->isVisible());
    QCOMPARE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name),
             QString("Natal charts"));

    // Each control by its caption, and Tab visits them in the window's order.
    std::map<QString, QWidget*> byName = ControlsByAccessibleName(window);
    for (const char* caption : Captions) QVERIFY2(byName.count(caption), caption);
    QWidget* w = byName["Charts"];
    std::size_t next = 1;
    for (int steps = 0; steps < 100 && next < std::size(Captions); ++steps) {
        w = w->nextInFocusChain();
        if (w == byName[Captions[next]]) ++next;
    }
    QCOMPARE(next, std::size(Captions));
    QCOMPARE(static_cast<QLabel*>(window->chosenLabel())->text(), QString("Chosen chart: none"));

    auto edit = [&](const char* caption) { return static_cast<QLineEdit*>(byName[caption]); };
    edit("Name")->setFocus();
    QTest::keyClicks(edit("Name"), "Ann Smith");
    QTest::keyClicks(edit("Month"), "7");
    QTest::keyClicks(edit("Day"), "x4");  // a letter is no digit: not typed
    QCOMPARE(edit("Day")->text(), QString("4"));
    QTest::keyClicks(edit("Year"), "1980");
    QTest::keyClicks(edit("Hour"), "14");
    QTest::keyClicks(edit("Minute"), "5");
    auto* zone = static_cast<QComboBox*>(byName["Time zone"]);
    zone->lineEdit()->setFocus();
    zone->lineEdit()->selectAll();
    QTest::keyClicks(zone->lineEdit(), "new_y");
    QAbstractItemView* proposals = zone->completer()->popup();
    QVERIFY(proposals->isVisible());
    QTest::keyClick(proposals, Qt::Key_Down);
    QTest::keyClick(proposals, Qt::Key_Return);
    QCOMPARE(zone->currentText(), QString("America/New_York"));
    QTest::keyClicks(edit("Latitude"), "40.7128N");
    QTest::keyClicks(edit("Longitude"), "74.006W");

    // Enter presses the focused button.
    auto* save = static_cast<QPushButton*>(byName["Save"]);
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Return);
    Settle();
    QCOMPARE(LastMessage(*app), std::string());
    const std::string chartFile = folder.file(std::string(ChartFileName));
    const std::optional<NatalChart> saved = FindChart(ReadChartFile(chartFile), "Ann Smith");
    QVERIFY(saved);
    QCOMPARE(saved->timeZone, std::string("America/New_York"));
    QVERIFY(saved->place && saved->place->longitude == -74.006);
    QCOMPARE(window->list()->count(), 1);
    QCOMPARE(window->list()->currentItem()->text(), QString("Ann Smith"));

    QTest::mouseClick(static_cast<QPushButton*>(byName["Choose"]), Qt::LeftButton);
    QCOMPARE(window->chosenLabel()->text(), QString("Chosen chart: Ann Smith"));
    QCOMPARE(app->program().request.natalChart, std::string("Ann Smith"));

    // Esc closes the window.
    edit("Name")->setFocus();
    QTest::keyClick(edit("Name"), Qt::Key_Escape);
    QVERIFY(!window->isVisible());

    QVERIFY(ActivateInput(app->inputWindow()));
    QTest::keyClick(app->inputWindow().txtDay(), Qt::Key_F12);
    QVERIFY(app->ended());
    QCOMPARE(folder.read("novarel_SE.ini"), OlderSettings + "NatalChart=Ann Smith\r\n");
    app.reset();

    // The next start has the chart chosen, and the window opens on it.
    auto again = StartProgram(folder);
    QCOMPARE(again->program().request.natalChart, std::string("Ann Smith"));
    NatalChartsWindow* reopened = OpenCharts(*again);
    QVERIFY(reopened);
    QCOMPARE(reopened->chosenLabel()->text(), QString("Chosen chart: Ann Smith"));
    QCOMPARE(reopened->list()->currentRow(), 0);
    QCOMPARE(static_cast<QLineEdit*>(reopened->control("Hour"))->text(), QString("14"));
    QCOMPARE(static_cast<QComboBox*>(reopened->control("Time zone"))->currentText(),
             QString("America/New_York"));

    // Deleted, the chart is chosen no more, and the settings are the older
    // program's bytes again.
    QTest::mouseClick(static_cast<QPushButton*>(reopened->control("Delete")), Qt::LeftButton);
    QCOMPARE(LastMessage(*again),
             std::string("Natal charts: Delete the natal chart \"Ann Smith\"?"));
    QCOMPARE(reopened->list()->count(), 0);
    QCOMPARE(reopened->chosenLabel()->text(), QString("Chosen chart: none"));
    again->mainWindow().action("mnuFileExit")->trigger();
    QVERIFY(again->ended());
    QCOMPARE(folder.read("novarel_SE.ini"), OlderSettings);
}

// Charts > Transits from the input window's keys, with no chart chosen: the
// user is told to choose one, in the window that opens for it. With one
// chosen, Enter repeats the transits.
void GuiNatalCharts::transitsWithoutAChartOpenTheWindow() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    QVERIFY(ActivateInput(input));
    QTest::keyClick(input.txtDay(), Qt::Key_C, Qt::AltModifier);
    QMenuBar* bar = app->mainWindow().menuBar();
    QVERIFY(bar->activeAction());
    QCOMPARE(bar->activeAction()->objectName(), QString("mnuCharts"));
    auto* charts = bar->activeAction()->menu();
    QVERIFY(charts && charts->isVisible());
    QTest::keyClick(charts, Qt::Key_T);
    Settle();
    QCOMPARE(LastMessage(*app), "Natal charts: " + std::string(ChooseChartForTransits));
    QVERIFY(app->natalChartsWindow() && app->natalChartsWindow()->isVisible());
    QVERIFY(input.isVisible());
    QCOMPARE(app->program().state.OutputKind, OutputKind::Ephemeris);

    // With a chart chosen the transits run, and Enter in a date box runs
    // them again, as it repeats the last calculation of the other kinds.
    app->program().request.natalChart = "Ann";
    app->runMainCommand(MainCommand::Transits);
    QCOMPARE(app->program().state.OutputKind, OutputKind::Transits);
    app->program().ShowInputAgain();
    QVERIFY(ActivateInput(input));
    QTest::keyClick(input.txtDay(), Qt::Key_Return);
    QCOMPARE(app->program().state.OutputKind, OutputKind::Transits);
}

// A wrong box is said and gets the keyboard; Delete asks first, and No
// keeps the chart.
void GuiNatalCharts::wrongBoxesAndTheDeleteQuestion() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    NatalChartsWindow* window = OpenCharts(*app);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    NatalChartsForm& form = window->form();
    form.fields = ChartFields{"Bob", "2", "29", "1981", "25", "0", "UT", "", ""};
    auto* save = static_cast<QPushButton*>(window->control("Save"));
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(LastMessage(*app).rfind("Warning!: ", 0) == 0);
    QCOMPARE(QApplication::focusWidget(), window->control("Day"));
    QCOMPARE(static_cast<QLineEdit*>(window->control("Hour"))->text(), QString("25"));
    QVERIFY(!std::filesystem::exists(folder.file(std::string(ChartFileName))));

    static_cast<QLineEdit*>(window->control("Day"))->setText("28");
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), window->control("Hour"));
    static_cast<QLineEdit*>(window->control("Hour"))->setText("23");
    // Enter in a box saves.
    QTest::keyClick(window->control("Hour"), Qt::Key_Return);
    QCOMPARE(window->list()->count(), 1);

    app->messages().scriptedAnswer = false;
    QTest::mouseClick(static_cast<QPushButton*>(window->control("Delete")), Qt::LeftButton);
    QCOMPARE(LastMessage(*app), std::string("Natal charts: Delete the natal chart \"Bob\"?"));
    QCOMPARE(window->list()->count(), 1);
    QVERIFY(FindChart(ReadChartFile(folder.file(std::string(ChartFileName))), "Bob"));
}

QTEST_MAIN(GuiNatalCharts)
#include "gui_natal_charts_test.moc"
