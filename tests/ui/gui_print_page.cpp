// The desktop program's "Print page" of January 2000's ephemeris, or with
// "data" its "Print data" of the month's aspectarian (several pages), printed
// with Print in the preview to the default printer, with "landscape" on a
// sideways page; says where it went. Exits 1 when a message was shown
// instead (the printer refused the job).
#include <QPushButton>
#include <cstdio>

#include "render/qt_printer.h"
#include "tests/ui/gui_fixture.h"
#include "ui/data_window.h"
#include "ui/print_preview.h"

using namespace novarel::ui;
using namespace novarel::ui::test;

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const bool data = arguments.contains("data");
    ProgramFolder folder;
    auto app = StartProgram(folder);
    InputWindow& input = app->inputWindow();
    SetStartDate(input, "1", "1", "2000");
    QTest::mouseClick(
        static_cast<QPushButton*>(input.control(data ? "cmdAspectarian" : "cmdEphemeris")),
        Qt::LeftButton);
    Settle();
    app->printer().setLandscape(arguments.contains("landscape"));
    app->dataWindow().action(data ? "mnuPrintData" : "mnuPrint")->trigger();
    QTest::mouseClick(app->printPreview().printButton(), Qt::LeftButton);
    Settle();
    const std::string message = LastMessage(*app);
    if (!message.empty()) {
        std::printf("%s\n", message.c_str());
        return 1;
    }
    std::printf("printed to %s\n", app->printer().lastDestination().c_str());
    return 0;
}
