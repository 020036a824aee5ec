#include "ui/data_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

#include "app/program.h"
#include "core/view_text.h"
#include "output/data_menu.h"
#include "output/data_window.h"
#include "ui/menu_builder.h"
#include "ui/qt_text.h"
#include "ui/window_host.h"

namespace novarel::ui {

QMimeData* GlyphTextEdit::createMimeDataFromSelection() const {
    auto* mime = new QMimeData;
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QChar('\n'));
    selected.replace(QChar::LineSeparator, QChar('\n'));
    const std::string utf8 = glyph::ViewTextToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(selected.utf16()),
                            static_cast<std::size_t>(selected.size())));
    mime->setText(QString::fromStdString(utf8));
    return mime;
}

DataWindowWidget::DataWindowWidget(WindowHost& host)
    : host_(host),
      place_(new WindowPlaceKeeper(
          this, [this](const WindowRect& r) { host_.program().dataWindow.Resize(r); },
          [this] { return !host_.ended(); })) {
    setObjectName("OutputD1");
    setWindowTitle("NOVAREL_SE - Data");
    setAccessibleName("Data");
    text_ = new GlyphTextEdit(this);
    text_->setObjectName("Text1");
    text_->setAccessibleName("Data");
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setWordWrapMode(QTextOption::NoWrap);
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setContextMenuPolicy(Qt::NoContextMenu);
    text_->setUndoRedoEnabled(false);
    text_->installEventFilter(this);
    text_->viewport()->installEventFilter(this);
    setCentralWidget(text_);
    menuBar()->setNativeMenuBar(false);
    menuBar()->setObjectName("DataMenu");
    actions_ = BuildMenuBar<DataCommand>(menuBar(), DataMenu,
                                         [this](DataCommand c) { host_.runDataCommand(c); },
                                         {DataCommand::FontBold, DataCommand::FontItalic});
    // The check marks follow the program's state, not the click itself.
    for (const char* name : {"mnuFontsBold", "mnuFontsItalic"})
        QObject::connect(actions_[name], &QAction::triggered, this, [this] {
            if (!host_.ended()) applyState(host_.program().dataWindow.state());
        });
}

QAction* DataWindowWidget::action(const std::string& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

std::string DataWindowWidget::pageText() const {
    QString view = text_->toPlainText();
    view.replace(QChar::LineSeparator, QChar('\n'));
    return ViewToPage(view);
}

int DataWindowWidget::innerHeight() {
    if (isMinimized()) return 0;
    const int h = text_->viewport()->height();
    return static_cast<int>((h > 0 ? h : 1) * TwipsPerPixelY(this));
}

void DataWindowWidget::setText(const std::string& text) {
    QString view = PageToView(text);
    // The document's cost is per paragraph, not per character: lines go in
    // groups, broken inside a group by line separators, which show the same
    // and read back as line ends.
    constexpr int LinesPerParagraph = 32;
    int line = 0;
    for (QChar& c : view)
        if (c == QChar('\n') && ++line % LinesPerParagraph != 0) c = QChar::LineSeparator;
    text_->setPlainText(view);
}

void DataWindowWidget::showEnd() {
    text_->moveCursor(QTextCursor::End);
    text_->ensureCursorVisible();
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

void DataWindowWidget::setCaption(const std::string& caption) {
    setWindowTitle(Qs(caption));
    setAccessibleName(Qs(caption));
}

void DataWindowWidget::showWindow() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void DataWindowWidget::placeWindow(const WindowRect& rect) { place_->place(rect); }

bool DataWindowWidget::hasFontFace(std::string_view face) {
    return QFontDatabase::families().contains(Qs(face), Qt::CaseInsensitive);
}

bool DataWindowWidget::addFontFile(const std::string& path) {
    return QFontDatabase::addApplicationFont(Qs(path)) != -1;
}

void DataWindowWidget::applyState(const DataWindowState& state) {
    QFont font(Qs(state.textFontFace));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSizeF(state.textFontSize);
    font.setBold(state.textBold);
    font.setItalic(state.textItalic);
    text_->setFont(font);
    for (std::size_t i = 0; i < DataMenu.size(); ++i) {
        QAction* a = action(std::string(DataMenu[i].name));
        if (!a) continue;
        const MenuItemState& s = state.menu[i];
        a->setVisible(s.visible);
        a->setEnabled(s.enabled);
        if (a->isCheckable()) a->setChecked(s.checked);
    }
}

void DataWindowWidget::activateMainWindow() {
    QMainWindow& main = host_.mainMenuWindow();
    main.raise();
    main.activateWindow();
}

void DataWindowWidget::closeWindow() {
    closingFromProgram_ = true;
    close();
    closingFromProgram_ = false;
}

void DataWindowWidget::endProgram() { host_.endProgram(1); }

bool DataWindowWidget::eventFilter(QObject* watched, QEvent* event) {
    if (host_.ended()) return QMainWindow::eventFilter(watched, event);
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) return host_.program().dataWindow.KeyPress(27);
    } else if (watched == text_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const MouseButton button = mouse->button() == Qt::RightButton    ? MouseButton::Right
                                   : mouse->button() == Qt::MiddleButton ? MouseButton::Middle
                                                                         : MouseButton::Left;
        host_.program().dataWindow.MouseUp(button);
    }
    return QMainWindow::eventFilter(watched, event);
}

void DataWindowWidget::closeEvent(QCloseEvent* event) {
    // Closed by the user: the window goes, the data stay.
    if (!closingFromProgram_ && !host_.ended()) host_.program().dataWindow.Unload();
    event->accept();
}

void DataWindowWidget::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() &&
        !host_.ended())
        host_.program().dataWindow.Resize(place_->saved());
}

}  // namespace novarel::ui
