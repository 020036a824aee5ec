#pragma once
// Seams for a front end without these windows (the command line): nothing is
// shown, dialogs are cancelled, nothing is printed.
#include "app/app_seams.h"
#include "app/system_clock.h"
#include "output/output_seams.h"

namespace novarel {

class CancelledSaveDialog final : public SaveFileDialog {
public:
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override {
        return std::nullopt;
    }
};

class HeldPreview final : public PrintPreviewSeam {
public:
    bool setContent(const std::string& text) override {
        text_ = text;
        return true;
    }
    std::string content() override { return text_; }
    void show() override {}
    void close() override {}

private:
    std::string text_;
};

class NoPrinter final : public Printer {
public:
    void setFont(std::string_view, int) override {}
    void printLine(const std::string&) override {}
    void newPage() override {}
    bool endDocument() override { return false; }
};

// A 640-pixel screen at 15 twips per pixel.
class FixedScreen final : public ScreenMetrics {
public:
    double screenWidthTwips() override { return 9600; }
    double twipsPerPixelX() override { return 15; }
};

struct NullAppSeams {
    MainWindowSeam main;
    InputWindowSeam input;
    DataWindowSeam dataWindow;
    CancelledSaveDialog saveDialog;
    HeldPreview preview;
    NoPrinter printer;
    FixedScreen screen;
    SystemClock clock;
    ShellWindows shell;
};

}  // namespace novarel
