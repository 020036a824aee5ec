#pragma once
// OutputD1, the Data window: the page in a plain-text view in the glyph
// font, and the menu of everything that can be done with the data.
#include <QMainWindow>
#include <QPlainTextEdit>
#include <map>
#include <string>

#include "core/seams.h"
#include "output/output_seams.h"
#include "ui/window_place_keeper.h"

class QAction;

namespace novarel::ui {

class WindowHost;

// The view's copy carries the symbols as Unicode, the letter codes as letters.
class GlyphTextEdit final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

class DataWindowWidget final : public QMainWindow, public DataWindowSeam, public DataView {
public:
    explicit DataWindowWidget(WindowHost& host);

    QPlainTextEdit* text() const { return text_; }
    QAction* action(const std::string& name) const;
    // The page as single-byte text, as the view shows it.
    std::string pageText() const;

    // DataView
    int innerHeight() override;
    void setText(const std::string& text) override;
    void showEnd() override;
    void setCaption(const std::string& caption) override;
    void showWindow() override;
    // DataWindowSeam
    void placeWindow(const WindowRect& rect) override;
    bool hasFontFace(std::string_view face) override;
    bool addFontFile(const std::string& path) override;
    void applyState(const DataWindowState& state) override;
    void activateMainWindow() override;
    void closeWindow() override;
    void endProgram() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    WindowHost& host_;
    GlyphTextEdit* text_;
    std::map<std::string, QAction*> actions_;
    bool closingFromProgram_ = false;
    WindowPlaceKeeper* place_;
};

}  // namespace novarel::ui
