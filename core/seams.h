#pragma once
// Small interfaces through which the logic reaches the screen, so that it runs
// the same under any front end: the command line and the tests implement
// them, and a windowed front end implements them with its widgets.
#include <cstddef>
#include <string>
#include <string_view>

namespace novarel {

enum class MessageIcon { Information, Exclamation, Critical };

// Modal message box with an OK button; returns when the user has answered.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
};

// The progress window and the mouse pointer of a running generator.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void loadProgress() {}  // load the status window, clear its bar
    virtual void fillProgress(float /*percent*/) {}
    virtual void unloadProgress() {}
    virtual void setBusy(bool /*busy*/) {}
    // The run waits for something outside it (another run's lock) and says
    // what; an empty text when the wait is over (with the lock or a failure).
    virtual void showWaiting(std::string_view /*text*/) {}
};

// The Data window as the data buffer sees it.
class DataView {
public:
    virtual ~DataView() = default;
    // Creates the window on first use; 0 when minimized.
    virtual int innerHeight() = 0;
    // Most bytes of text the view accepts; ShowPage truncates above it.
    virtual std::size_t textCapacity() const { return static_cast<std::size_t>(-1); }
    virtual void setText(const std::string& text) = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void showWindow() = 0;
    // Brings the end of the text into sight, where something was just added.
    virtual void showEnd() {}
};

// Windows a generator touches besides the Data window.
class GeneratorWindows {
public:
    virtual ~GeneratorWindows() = default;
    virtual void runStarted() {}   // hide the input window, show the "&Input" menu item
    virtual void runFinished() {}  // show the Data window's "&More" menu
};

}  // namespace novarel
