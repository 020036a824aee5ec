#pragma once
// What a window asks of the program that holds it. The windows know this and
// the logic's Program, not the application object nor one another.
#include <string_view>

class QMainWindow;

namespace novarel {
class Program;
enum class MainCommand;
enum class DataCommand;
}  // namespace novarel

namespace novarel::ui {

class WindowHost {
public:
    virtual Program& program() = 0;
    // The program has ended: windows closing then report nothing.
    virtual bool ended() const = 0;
    virtual void endProgram(int code) = 0;
    virtual void calculate(bool ephemeris) = 0;
    virtual void runMainCommand(MainCommand command) = 0;
    virtual void runDataCommand(DataCommand command) = 0;
    // The main window, whose menu strip the other windows' menu keys open.
    virtual QMainWindow& mainMenuWindow() = 0;
    // A yes/no question in a message box; true for yes.
    virtual bool ask(std::string_view question, std::string_view title) = 0;

protected:
    ~WindowHost() = default;
};

}  // namespace novarel::ui
