#include "ui/progress_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/about_texts.h"
#include "ui/qt_text.h"
#include "ui/vector_registers.h"

namespace novarel::ui {
namespace {
const QColor BarColour(255, 0, 0);

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close:
        case QEvent::ContextMenu: return true;
        default: return false;
    }
}
}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture2");
    setAccessibleName("Progress");
    setMinimumSize(240, 22);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void ProgressBar::setPercent(float percent) { percent_ = std::clamp(percent, 0.0f, 100.0f); }

void ProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = static_cast<int>(width() / 100.0 * percent_ + 0.5);
    painter.fillRect(QRect(0, 0, w, height()), BarColour);
}

ProgressWindow::ProgressWindow() {
    setObjectName("StatusDlg");
    setWindowTitle(Qs(ProgressWindowTitle));
    setAccessibleName(Qs(ProgressWindowTitle));
    // The keyboard stays with the window the run was started from, and the
    // busy filter keeps input from every window while the run goes on. Were
    // this window modal, the toolkit would give it the keyboard, and a
    // window manager's focus event arriving after it hid would leave every
    // later key going to a hidden window.
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    bar_ = new ProgressBar(this);
    waiting_ = new QLabel(this);
    waiting_->setObjectName("lblWaiting");
    waiting_->setWordWrap(true);
    waiting_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(waiting_);
}

ProgressWindow::~ProgressWindow() {
    if (busy_) setBusy(false);
}

void ProgressWindow::loadProgress() {
    filled_.clear();
    sincePaint_.invalidate();
    bar_->setPercent(0);
    show();
    raise();
    repaint();
    letEventsRun();
}

void ProgressWindow::fillProgress(float percent) {
    bar_->setPercent(percent);
    filled_.push_back(bar_->percent());
    // The screen shows a new picture some 60 times a second: a paint for
    // every step of a fast run would be work nobody sees, and under X11 each
    // one waits for the server. The full bar is always drawn.
    constexpr qint64 FrameMilliseconds = 16;
    if (bar_->percent() < 100 && sincePaint_.isValid() && sincePaint_.elapsed() < FrameMilliseconds)
        return;
    bar_->repaint();
    letEventsRun();
    sincePaint_.start();
}

void ProgressWindow::letEventsRun() {
    // Paint and timers go on; user input is swallowed while busy.
    QCoreApplication::processEvents();
    // The run's arithmetic follows the drawing.
    ZeroUpperVectorHalves();
}

void ProgressWindow::unloadProgress() { hide(); }

void ProgressWindow::showWaiting(std::string_view text) {
    if (text.empty()) {
        waiting_->hide();
        waiting_->clear();
        layout()->activate();
        adjustSize();
        if (shownForWaiting_) hide();
        shownForWaiting_ = false;
        return;
    }
    // "waiting for another run saving into P", as a sentence.
    QString sentence = Qs(text);
    if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
    waiting_->setText(sentence + QStringLiteral("…"));
    waiting_->setAccessibleName(waiting_->text());
    waiting_->setMinimumWidth(360);
    waiting_->show();
    layout()->activate();
    adjustSize();
    if (!isVisible()) {
        shownForWaiting_ = true;
        show();
        raise();
    }
    // The window manager maps and sizes the window in its own time; the run
    // waits for the lock anyway, so let it finish before the wait starts.
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 150) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ZeroUpperVectorHalves();
}

void ProgressWindow::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
    // The program closes its own windows while busy; the user may not.
    const bool programClose = event->type() == QEvent::Close && !event->spontaneous();
    if (busy_ && watched->isWidgetType() && IsUserInput(event->type()) && !programClose) {
        // A message box opened during the run must still take its answer.
        const QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != this && static_cast<QWidget*>(watched)->window() == modal)
            return false;
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace novarel::ui
