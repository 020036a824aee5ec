#pragma once
// Platform seams of the Data window, the save dialog, the print preview and
// the printer: what a toolkit must supply for these windows to run. Tests
// record the calls; the command line uses the null ones.
#include <optional>
#include <string>
#include <string_view>

#include "core/seams.h"
#include "output/window_place.h"

namespace novarel {

struct DataWindowState;

// The Data window as a toolkit window (its text goes through DataView).
class DataWindowSeam {
public:
    virtual ~DataWindowSeam() = default;
    // Place and size the window; the toolkit may report resizes meanwhile.
    virtual void placeWindow(const WindowRect& /*rect*/) {}
    // Whether the text area can use this font face.
    virtual bool hasFontFace(std::string_view /*face*/) { return true; }
    // Make a font file available to the program; false when that fails.
    virtual bool addFontFile(const std::string& /*path*/) { return false; }
    // The text font, check marks, enabled and visible menu items changed.
    virtual void applyState(const DataWindowState& /*state*/) {}
    virtual void activateMainWindow() {}
    virtual void closeWindow() {}
    // Ends the program at once (the glyph font cannot be had).
    virtual void endProgram() {}
};

// The busy pointer around a command.
class BusyPointer {
public:
    explicit BusyPointer(ProgressSink& progress) : progress_(progress) { progress_.setBusy(true); }
    ~BusyPointer() { progress_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    ProgressSink& progress_;
};

// What Save As asks of the file dialog.
struct SaveDialogRequest {
    std::string title = "Save As";
    std::string initialDirectory;
    std::string fileName;  // proposed name, may be empty
    std::string defaultExtension = "doc";
    std::string filter = "Data Files (*.DOC) | *.DOC";
    int filterIndex = 1;
    // Prompt before replacing a file; the folder must exist.
    bool promptOverwrite = true;
    bool pathMustExist = true;
};

class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    // The chosen full path; nullopt when the user cancels.
    virtual std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) = 0;
};

// The print preview window "Data To Be Printed".
class PrintPreviewSeam {
public:
    virtual ~PrintPreviewSeam() = default;
    // Put the text into the edit area; false when it cannot hold it.
    virtual bool setContent(const std::string& text) = 0;
    // The text as the user has edited it, lines ended by CR LF.
    virtual std::string content() = 0;
    // Show without making it modal; brings it to the front.
    virtual void show() = 0;
    virtual void close() = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    virtual void setFont(std::string_view face, int points) = 0;
    // One line at the left margin, then the next line.
    virtual void printLine(const std::string& line) = 0;
    virtual void newPage() = 0;
    // Sends the document; false when the printer refused it.
    virtual bool endDocument() = 0;
    // Pages turned sideways; Printer Setup changes it, the settings keep it.
    virtual bool landscape() const { return false; }
    virtual void setLandscape(bool /*landscape*/) {}
};

}  // namespace novarel
