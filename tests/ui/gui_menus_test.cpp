// The menus and controls of every window against the program's published
// tables: caption, access letter, shortcut, order; and what screen readers
// and the keyboard find.
#include <QAccessible>
#include <QAction>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "app/input_form.h"
#include "app/main_menu.h"
#include "app/program.h"
#include "output/data_menu.h"
#include "render/qt_printer.h"
#include "tests/ui/gui_fixture.h"
#include "ui/about_window.h"
#include "ui/data_window.h"
#include "ui/input_window.h"
#include "ui/main_window.h"
#include "ui/options_window.h"
#include "ui/print_preview.h"
#include "ui/qt_text.h"

using namespace novarel;
using namespace novarel::ui;
using namespace novarel::ui::test;

namespace {

// The entries of a menu bar in order, submenus expanded, separators left out.
QList<QAction*> Flatten(QMenuBar* bar) {
    QList<QAction*> all;
    for (QAction* top : bar->actions()) {
        all << top;
        if (QMenu* menu = top->menu())
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) all << a;
    }
    return all;
}

// A menu bar against the program's table of it: each entry's control name,
// caption, shortcut and the submenu it sits in, in order.
template <typename Item, std::size_t N>
void CheckMenu(QMenuBar* bar, const std::array<Item, N>& table) {
    const QList<QAction*> actions = Flatten(bar);
    qsizetype i = 0;
    QString submenu;
    for (const Item& e : table) {
        if (e.level == 0) submenu = Qs(e.name);
        if (IsSeparator(e.caption)) continue;
        QVERIFY(i < actions.size());
        QAction* a = actions[i++];
        QCOMPARE(a->objectName(), Qs(e.name));
        QCOMPARE(a->text(), Qs(e.caption));
        QCOMPARE(a->shortcut(), QKeySequence(Qs(e.shortcut)));
        const bool onBar = bar->actions().contains(a);
        QCOMPARE(onBar, e.level == 0);
        if (!onBar) {
            QMenu* parent = nullptr;
            for (QAction* top : bar->actions())
                if (top->menu() && top->menu()->actions().contains(a)) parent = top->menu();
            QVERIFY(parent);
            QCOMPARE(parent->objectName(), submenu);
        }
    }
    QCOMPARE(i, actions.size());
}

}  // namespace

class GuiMenus : public QObject {
    Q_OBJECT
private slots:
    void mainMenu();
    void dataMenu();
    void inputWindowControls();
    void accessibleNamesAndTabOrder();
    void noticeAboutClockAndPrinterSetup();
};

void GuiMenus::mainMenu() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    CheckMenu(app->mainWindow().menuBar(), MainMenu);
    // "&Input" appears once a generator has hidden the input window, or
    // the user has closed it before any run; it brings the window back.
    QAction* input = app->mainWindow().action("mnuInputData");
    QVERIFY(!input->isVisible());
    app->inputWindow().close();
    QVERIFY(!app->inputWindow().isVisible());
    QVERIFY(input->isVisible());
    input->trigger();
    QVERIFY(app->inputWindow().isVisible());

    // The options editor chosen again while open keeps the unsaved edits.
    app->mainWindow().action("mnuOptions")->trigger();
    QPlainTextEdit* options = app->optionsWindow()->content_edit();
    options->appendPlainText("an edit not saved");
    app->mainWindow().action("mnuOptions")->trigger();
    QVERIFY(options->toPlainText().endsWith("an edit not saved"));
    app->optionsWindow()->close();
    // F12 is File > Exit.
    app->mainWindow().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app->mainWindow()));
    QTest::keyClick(&app->mainWindow(), Qt::Key_F12);
    QVERIFY(app->ended());
}

void GuiMenus::dataMenu() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    CheckMenu(app->dataWindow().menuBar(), DataMenu);
    DataWindowWidget& data = app->dataWindow();
    // A help page loads the window: after start-up the data are the ephemeris's.
    app->runMainCommand(MainCommand::Tips);
    QVERIFY(data.isVisible());
    QVERIFY(!data.action("mnuMore")->isVisible());
    QVERIFY(data.action("mnuViewLongitude")->isEnabled());
    QVERIFY(!data.action("mnuRx_Times")->isEnabled());
    QVERIFY(data.action("mnuFontsBold")->isCheckable());
    // F11 toggles bold: the check mark and the text follow.
    data.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&data));
    data.text()->setFocus();
    QTest::keyClick(data.text(), Qt::Key_F11);
    QVERIFY(data.action("mnuFontsBold")->isChecked());
    QVERIFY(data.text()->font().bold());
    data.action("mnuFontsBold")->trigger();
    QVERIFY(!data.action("mnuFontsBold")->isChecked());
    QVERIFY(!data.text()->font().bold());
    // Clear all data: the text stays, the message says so.
    data.action("mnuClearBuffer")->trigger();
    QCOMPARE(LastMessage(*app), std::string("Information!: All data cleared from buffer."));
    QCOMPARE(app->messages().shown().back().icon, QMessageBox::Warning);
    QVERIFY(!data.text()->toPlainText().isEmpty());
    // Esc in the text and a right click bring the main window forward.
    QTest::keyClick(data.text(), Qt::Key_Escape);
    QVERIFY(QTest::qWaitForWindowActive(&app->mainWindow()));
    data.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&data));
    QTest::mouseClick(data.text()->viewport(), Qt::RightButton);
    QVERIFY(QTest::qWaitForWindowActive(&app->mainWindow()));
}

void GuiMenus::inputWindowControls() {
    ProgramFolder folder;
    // As the program names itself: with no display name of its own, the
    // toolkit adds nothing to the window and message titles.
    NameApplication();
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("novarel-gui"));
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    for (const InputControl& c : InputControls) {
        const std::string name(c.name);
        QWidget* w = input.control(name);
        QVERIFY2(w, name.c_str());
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) text = g->title();
        QCOMPARE(text, Qs(c.caption));
        // Nothing clipped: the control is at least as wide as its caption.
        QVERIFY2(w->sizeHint().width() <= w->width() || !w->isVisible(), name.c_str());
    }
    // Design state: noon, longitude, geocentric, true node, tropical, display.
    for (const char* on : {"optNoon", "optLongitude", "optGeo", "optTrue", "optTropical",
                           "optDisplay", "chkFullMonth"})
        QVERIFY2(static_cast<QAbstractButton*>(input.control(on))->isChecked(), on);
    for (const char* off : {"optMidnight", "optHelio", "optMean", "chkSaveData", "chkMoonChange"})
        QVERIFY2(!static_cast<QAbstractButton*>(input.control(off))->isChecked(), off);
    // The option buttons sit in their frames.
    QCOMPARE(input.control("optHelio")->parentWidget(), input.control("Frame7"));
    QCOMPARE(input.control("optAyanamsa")->parentWidget(), input.control("Frame9"));
}

void GuiMenus::accessibleNamesAndTabOrder() {
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    // Tab goes month, day, year, days: 3, Tab, 10 is 10 March.
    QVERIFY(ActivateInput(input));
    QCOMPARE(input.txtMonth()->nextInFocusChain(), input.txtDay());
    QCOMPARE(input.txtDay()->nextInFocusChain(), input.txtYear());
    QCOMPARE(input.txtYear()->nextInFocusChain(), input.txtDays());
    input.txtMonth()->setFocus();
    input.txtMonth()->selectAll();
    QTest::keyClicks(input.txtMonth(), "3");
    QTest::keyClick(input.txtMonth(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(input.txtDay()));
    input.txtDay()->selectAll();
    QTest::keyClicks(input.txtDay(), "10");
    QCOMPARE(app->program().request.txtMonth, std::string("3"));
    QCOMPARE(app->program().request.txtDay, std::string("10"));
    // Every control the keyboard reaches has a name a screen reader can read.
    QWidget* w = input.txtMonth();
    int reached = 0;
    do {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        QVERIFY(a);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!a->text(QAccessible::Name).contains('&'), qPrintable(w->objectName()));
        w = w->nextInFocusChain();
        ++reached;
    } while (w != input.txtMonth() && reached < 100);
    QVERIFY(reached >= 25);
    QCOMPARE(QAccessible::queryAccessibleInterface(input.control("cmdEphemeris"))
                 ->text(QAccessible::Name),
             QString("Calculate Ephemeris"));
    // Windows and text areas carry their captions.
    QCOMPARE(QAccessible::queryAccessibleInterface(&input)->text(QAccessible::Name),
             QString("Input Data"));
    QCOMPARE(
        QAccessible::queryAccessibleInterface(app->dataWindow().text())->text(QAccessible::Name),
        QString("Data"));
    QCOMPARE(QAccessible::queryAccessibleInterface(&app->printPreview())->text(QAccessible::Name),
             QString("Data To Be Printed"));
    // Menu entries are read without the access-letter mark.
    QMenu* file = app->dataWindow().menuBar()->findChild<QMenu*>("mnuFile");
    QVERIFY(file);
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(file);
    QVERIFY(menu && menu->childCount() >= 2);
    QCOMPARE(menu->child(1)->text(QAccessible::Name), QString("Save As"));
}

void GuiMenus::noticeAboutClockAndPrinterSetup() {
    ProgramFolder folder;
    // Option 6 set: the notice window comes first.
    std::string options = folder.read("OPTIONS.OPT");
    std::size_t sixth = 0;
    for (int line = 1; line < 6; ++line) sixth = options.find("\r\n", sixth) + 2;
    options[sixth] = '1';
    QVERIFY(WriteWholeFile(folder.file("OPTIONS.OPT"), options));
    auto app = StartProgram(folder);
    QCOMPARE(app->noticesShown(), 1);

    // The title is a clock that moves every second.
    const QString title = app->mainWindow().windowTitle();
    QVERIFY(title.startsWith("NOVAREL_SE - "));
    QVERIFY(QTest::qWaitFor([&] { return app->mainWindow().windowTitle() != title; }, 2500));

    // About: the window opens and a click anywhere closes it.
    app->mainWindow().action("mnuHelpAbout")->trigger();
    QWidget* about = app->aboutWindow();
    QVERIFY(about && about->isVisible());
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(about->width() / 2, 40));
    QVERIFY(!about->isVisible());
    // It names the library's and the toolkit's versions, and closes from the
    // keyboard too.
    app->mainWindow().action("mnuHelpAbout")->trigger();
    QVERIFY(about->isVisible());
    auto* versions = about->findChild<QLabel*>("lblVersions");
    QVERIFY(versions);
    QVERIFY2(versions->text().startsWith("Swiss Ephemeris 2."), qPrintable(versions->text()));
    QVERIFY(versions->text().endsWith(QString("Qt ") + qVersion()));
    auto* close = about->findChild<QPushButton*>("cmdClose");
    QVERIFY(close);
    QCOMPARE(QAccessible::queryAccessibleInterface(close)->text(QAccessible::Name),
             QString("Close"));
    close->setFocus();
    QTest::keyClick(close, Qt::Key_Space);
    QVERIFY(!about->isVisible());

    // Printer Setup is Qt's print dialog as a setup, its button OK, not
    // Print; cancelling it changes nothing.
    bool opened = false;
    QString button;
    QTimer::singleShot(0, [&opened, &button] {
        QWidget* dialog = QApplication::activeModalWidget();
        opened = dialog && dialog->objectName() == "PrinterSetup";
        if (auto* box = dialog ? dialog->findChild<QDialogButtonBox*>() : nullptr)
            button = box->button(QDialogButtonBox::Ok)->text();
        if (dialog) QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    });
    app->mainWindow().action("mnuPrSetup")->trigger();
    QVERIFY(opened);
    QCOMPARE(button, QString("OK"));
    QVERIFY(app->messages().shown().empty());

    // The orientation it sets is kept in the settings for the next start,
    // as one line written only for sideways pages.
    app->printer().setLandscape(true);
    app->mainWindow().action("mnuFileExit")->trigger();
    QVERIFY(folder.read("novarel_SE.ini").ends_with("PrintOrientation=Landscape\r\n"));
    app.reset();
    auto again = StartProgram(folder);
    QVERIFY(again->printer().landscape());
    again->printer().setLandscape(false);
    again->mainWindow().action("mnuFileExit")->trigger();
    QVERIFY(folder.read("novarel_SE.ini").find("PrintOrientation") == std::string::npos);
}

QTEST_MAIN(GuiMenus)
#include "gui_menus_test.moc"
