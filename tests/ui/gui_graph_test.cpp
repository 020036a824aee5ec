// The Graphic Ephemeris window as its users reach it: through the Charts
// menu, found by its caption on the accessibility bus, each control by its
// caption; the keys move the cursor and zoom, the positions under it are
// read out, a click opens that day's ephemeris, the chosen chart's points
// are drawn and the picture is exported.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QTest>

#include "app/program.h"
#include "graph/graph_layout.h"
#include "natal/chart_file.h"
#include "tests/ui/gui_fixture.h"
#include "ui/data_window.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"

using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

namespace {

QString AccessibleNameOf(QObject* o) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name) : QString();
}

QWidget* TopLevelNamed(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && AccessibleNameOf(w) == name) return w;
    return nullptr;
}

// The control of that name; a label (named by its text) only when no other
// widget is: the caption of a box names the box itself.
QWidget* ControlNamed(QWidget* window, const QString& name) {
    QWidget* label = nullptr;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (AccessibleNameOf(w) != name) continue;
        if (!qobject_cast<QLabel*>(w)) return w;
        if (!label) label = w;
    }
    return label;
}

}  // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void reachedByItsCaptionWithEveryControlNamed() {
        ProgramFolder folder;
        auto app = StartProgram(folder);
        SetStartDate(app->inputWindow(), "12", "1", "2020");
        app->mainWindow().action("mnuGraphicEphemeris")->trigger();
        Settle();
        QWidget* window = TopLevelNamed("Graphic Ephemeris");
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QString("Graphic Ephemeris"));
        for (const char* name :
             {"Dial", "Start", "Period", "Bodies", "Natal lines", "Export PNG...", "Export SVG...",
              "Export PDF...", "Graph", "Positions"})
            QVERIFY2(ControlNamed(window, name) != nullptr, name);
        // The period starts at the input window's date, a year long, the ten
        // planets drawn.
        auto* start = static_cast<QDateEdit*>(ControlNamed(window, "Start"));
        QCOMPARE(start->date(), QDate(2020, 12, 1));
        GraphWindow& graph = *app->graphWindow();
        QCOMPARE(graph.data().series.size(), std::size_t{10});
        QCOMPARE(graph.data().endJd - graph.data().startJd, 365.0);
        // Without a chosen chart there are no lines to draw.
        QVERIFY(!ControlNamed(window, "Natal lines")->isEnabled());
        QVERIFY(graph.data().natal.empty());
    }

    void keysMoveTheCursorZoomAndReadThePositions() {
        ProgramFolder folder;
        auto app = StartProgram(folder);
        SetStartDate(app->inputWindow(), "12", "1", "2020");
        app->showGraphicEphemeris();
        Settle();
        GraphWindow& graph = *app->graphWindow();
        QWidget* canvas = ControlNamed(&graph, "Graph");
        canvas->setFocus();
        // The first Right is the first day; twenty more reach the 21st.
        for (int i = 0; i < 21; ++i) QTest::keyClick(canvas, Qt::Key_Right);
        QVERIFY(graph.cursor().has_value());
        const QString reading = static_cast<QLabel*>(ControlNamed(&graph, "Positions"))->text();
        QVERIFY2(reading.startsWith("21 Dec 2020 12:00 UT"), qPrintable(reading));
        // The great conjunction: both in the first degree of Aquarius.
        QVERIFY2(reading.contains(QString::fromUtf8("♃ 0°♒")), qPrintable(reading));
        QVERIFY2(reading.contains(QString::fromUtf8("♄ 0°♒")), qPrintable(reading));
        QTest::keyClick(canvas, Qt::Key_Left);
        QVERIFY(graph.readingText().startsWith("20 Dec 2020"));
        // + shortens the period around the cursor, - lengthens it.
        auto* period = static_cast<QComboBox*>(ControlNamed(&graph, "Period"));
        QCOMPARE(period->currentText(), QString("1 year"));
        QTest::keyClick(canvas, Qt::Key_Plus);
        QCOMPARE(period->currentText(), QString("6 months"));
        QVERIFY(graph.data().startJd < *graph.cursor() && *graph.cursor() < graph.data().endJd);
        QTest::keyClick(canvas, Qt::Key_Minus);
        QTest::keyClick(canvas, Qt::Key_Minus);
        QCOMPARE(period->currentText(), QString("2 years"));
        // The 45° dial.
        static_cast<QComboBox*>(ControlNamed(&graph, "Dial"))->setCurrentIndex(2);
        QCOMPARE(graph.data().dial, graph::Dial::Eighth);
    }

    void aClickOpensThatDaysEphemeris() {
        ProgramFolder folder;
        auto app = StartProgram(folder);
        SetStartDate(app->inputWindow(), "1", "1", "2024");
        app->showGraphicEphemeris();
        GraphWindow& graph = *app->graphWindow();
        graph.resize(1000, 700);
        Settle();
        QWidget* canvas = ControlNamed(&graph, "Graph");
        const graph::GraphLayout l =
            graph::LayoutGraph(graph.data(), canvas->width(), canvas->height());
        // Noon of 10 March 2024.
        const double jd = graph::MidnightJd({2024, 3, 10}) + 0.5;
        QTest::mouseClick(canvas, Qt::LeftButton, {},
                          QPoint(static_cast<int>(l.X(jd)), static_cast<int>(l.top + 50)));
        Settle();
        const CalcRequest& r = app->program().request;
        QCOMPARE(QString::fromStdString(r.txtYear + "-" + r.txtMonth + "-" + r.txtDay),
                 QString("2024-3-10"));
        QVERIFY(app->dataWindow().isVisible());
        QCOMPARE(app->program().state.OutputKind, OutputKind::Ephemeris);
        QVERIFY(app->dataWindow().pageText().find("10 Mar") != std::string::npos);
    }

    void theChosenChartsPointsAreLinesAndThePictureExports() {
        ProgramFolder folder;
        NatalChart chart;
        chart.name = "Ada";
        chart.date = {1980, 5, 17};
        chart.hour = 14;
        chart.minute = 30;
        chart.timeZone = "Europe/Paris";
        QCOMPARE(SaveChart(folder.file("natal_charts.json"), chart), std::string());
        auto app = StartProgram(folder);
        app->program().request.natalChart = "Ada";
        app->showGraphicEphemeris();
        Settle();
        GraphWindow& graph = *app->graphWindow();
        QVERIFY(ControlNamed(&graph, "Natal lines")->isEnabled());
        // The eleven bodies; no place, no angles.
        QCOMPARE(graph.data().natal.size(), std::size_t{11});
        QCOMPARE(graph.exportTo(folder.file("graph.png"), render::GraphFileFormat::Png),
                 std::string());
        QVERIFY(folder.read("graph.png").starts_with("\x89PNG"));
        QCOMPARE(graph.exportTo(folder.file("graph.svg"), render::GraphFileFormat::Svg),
                 std::string());
        QVERIFY(folder.read("graph.svg").find("<svg") != std::string::npos);
        // A folder that does not exist: said, nothing written.
        const std::string missing = folder.file("gone/graph.pdf");
        QVERIFY(!graph.exportTo(missing, render::GraphFileFormat::Pdf).empty());
        QVERIFY(LastMessage(*app).find("cannot write " + missing) != std::string::npos);
    }
};

QTEST_MAIN(GraphWindowTest)
#include "gui_graph_test.moc"
