#include "ui/input_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "app/input_form.h"
#include "app/main_menu.h"
#include "app/program.h"
#include "ui/qt_text.h"
#include "ui/window_host.h"
#include "ui/zone_box.h"

namespace novarel::ui {
namespace {

QString CaptionOf(const char* name) {
    for (const InputControl& c : InputControls)
        if (c.name == name) return Qs(c.caption);
    return {};
}

}  // namespace

InputWindow::InputWindow(WindowHost& host)
    : host_(host),
      place_(new WindowPlaceKeeper(
          this, [this](const WindowRect& r) { host_.program().input.Resize(r); },
          [this] { return !host_.ended(); })) {
    setObjectName("InputD");
    setWindowTitle(Qs(InputWindowTitle));
    setAccessibleName(Qs(InputWindowTitle));
    setWindowFlag(Qt::Window);

    auto label = [this](const char* name, QLineEdit* buddy) {
        auto* l = new QLabel(CaptionOf(name), this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        l->setBuddy(buddy);
        controls_[name] = l;
        return l;
    };
    txtMonth_ = NumberBox("txtMonth");
    txtDay_ = NumberBox("txtDay");
    txtYear_ = NumberBox("txtYear");
    txtDays_ = NumberBox("txtDays");
    vsDays_ = new QScrollBar(Qt::Vertical, this);
    vsDays_->setObjectName("VSDays");
    vsDays_->setAccessibleName("# of Days spin bar");
    vsDays_->setRange(1, MaxDayIndex);
    vsDays_->setPageStep(10);
    // The upper arrow raises the number of days.
    vsDays_->setInvertedAppearance(true);
    vsDays_->setInvertedControls(false);
    vsDays_->setFixedHeight(txtDays_->sizeHint().height());
    controls_["VSDays"] = vsDays_;

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    // Month, day, year: the window's order on the screen and for Tab.
    grid->addWidget(label("lblMonth", txtMonth_), 0, 0);
    grid->addWidget(label("lblDay", txtDay_), 0, 1);
    grid->addWidget(label("lblYear", txtYear_), 0, 2);
    grid->addWidget(label("Label1", txtDays_), 0, 3);
    grid->addWidget(txtMonth_, 1, 0);
    grid->addWidget(txtDay_, 1, 1);
    grid->addWidget(txtYear_, 1, 2);
    auto* days = new QHBoxLayout;
    days->setSpacing(0);
    days->addWidget(txtDays_);
    days->addWidget(vsDays_);
    grid->addLayout(days, 1, 3);

    auto check = [this](const char* name) {
        auto* c = new QCheckBox(CaptionOf(name), this);
        c->setObjectName(name);
        c->setAccessibleName(CaptionOf(name));
        controls_[name] = c;
        return c;
    };
    auto* checks = new QVBoxLayout;
    checks->setSpacing(2);
    checks->addWidget(check("chkFullMonth"));
    checks->addWidget(check("chkSaveData"));
    checks->addWidget(check("chkMoonChange"));

    // The clock of the runs.
    cboTimeZone_ = new ZoneBox(CaptionOf("lblTimeZone"), this);
    cboTimeZone_->setObjectName("cboTimeZone");
    cboTimeZone_->installEventFilter(this);  // Alt with a letter is the menu's
    cboTimeZone_->lineEdit()->installEventFilter(this);
    controls_["cboTimeZone"] = cboTimeZone_;
    auto* zoneLabel = new QLabel(CaptionOf("lblTimeZone"), this);
    zoneLabel->setObjectName("lblTimeZone");
    zoneLabel->setBuddy(cboTimeZone_);
    controls_["lblTimeZone"] = zoneLabel;
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(zoneLabel);
    zoneRow->addWidget(cboTimeZone_, 1);

    QGroupBox* gmt = Frame("Frame4");
    QGroupBox* output = Frame("Frame5");
    QGroupBox* centre = Frame("Frame7");
    QGroupBox* nodes = Frame("Frame8");
    QGroupBox* zodiac = Frame("Frame9");
    QGroupBox* moon = Frame("Frame10");
    auto row = [](QGroupBox* frame) {
        auto* l = new QHBoxLayout(frame);
        l->setContentsMargins(6, 2, 6, 4);
        return l;
    };
    auto column = [](QGroupBox* frame) {
        auto* l = new QVBoxLayout(frame);
        l->setContentsMargins(6, 2, 6, 4);
        l->setSpacing(1);
        return l;
    };
    auto* gmtRow = row(gmt);
    gmtRow->addWidget(Option("optMidnight", gmt));
    gmtRow->addWidget(Option("optNoon", gmt));
    auto* outputGrid = new QGridLayout(output);
    outputGrid->setContentsMargins(6, 2, 6, 4);
    outputGrid->setVerticalSpacing(1);
    outputGrid->addWidget(Option("optLongitude", output), 0, 0);
    outputGrid->addWidget(Option("optDeclination", output), 1, 0);
    outputGrid->addWidget(Option("optLatitude", output), 0, 1);
    outputGrid->addWidget(Option("optRightAscension", output), 1, 1);
    auto* centreRow = row(centre);
    centreRow->addWidget(Option("optGeo", centre));
    centreRow->addWidget(Option("optHelio", centre));
    auto* nodesRow = row(nodes);
    nodesRow->addWidget(Option("optMean", nodes));
    nodesRow->addWidget(Option("optTrue", nodes));
    auto* zodiacColumn = column(zodiac);
    zodiacColumn->addWidget(Option("optTropical", zodiac));
    zodiacColumn->addWidget(Option("optSidereal", zodiac));
    zodiacColumn->addWidget(Option("optAyanamsa", zodiac));
    auto* moonRow = row(moon);
    moonRow->addWidget(Option("optDisplay", moon));
    moonRow->addWidget(Option("optNoDisplay", moon));

    auto button = [this](const char* name) {
        auto* b = new QPushButton(CaptionOf(name), this);
        b->setObjectName(name);
        b->setAccessibleName(CaptionOf(name));
        // Enter presses the button that has the keyboard.
        b->setAutoDefault(true);
        controls_[name] = b;
        return b;
    };
    QPushButton* ephemeris = button("cmdEphemeris");
    QPushButton* aspectarian = button("cmdAspectarian");

    auto* frames = new QGridLayout;
    frames->setSpacing(6);
    frames->addWidget(gmt, 0, 0);
    frames->addWidget(output, 0, 1);
    frames->addWidget(centre, 1, 0);
    frames->addWidget(zodiac, 1, 1, 2, 1);
    frames->addWidget(nodes, 2, 0);
    frames->addWidget(moon, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ephemeris);
    buttons->addWidget(aspectarian);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(10, 8, 10, 8);
    top->setSpacing(6);
    top->addLayout(grid);
    top->addLayout(checks);
    top->addLayout(zoneRow);
    top->addLayout(frames);
    top->addStretch(1);
    top->addLayout(buttons);

    // Keyboard order: the date boxes, the days, then down the window.
    std::vector<QWidget*> order{txtMonth_, txtDay_, txtYear_,
                                txtDays_,  vsDays_, control("chkFullMonth")};
    for (const RequestCheck& c : RequestChecks) order.push_back(control(c.control));
    order.push_back(cboTimeZone_);
    for (const RequestOption& o : RequestOptions) order.push_back(control(o.control));
    order.push_back(ephemeris);
    order.push_back(aspectarian);
    for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
    vsDays_->setFocusPolicy(Qt::StrongFocus);
}

QLineEdit* InputWindow::NumberBox(const char* name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignCenter);
    box->setMaxLength(12);
    box->installEventFilter(this);
    controls_[name] = box;
    return box;
}

QGroupBox* InputWindow::Frame(const char* name) {
    auto* frame = new QGroupBox(CaptionOf(name), this);
    frame->setObjectName(name);
    frame->setAccessibleName(CaptionOf(name));
    controls_[name] = frame;
    return frame;
}

QRadioButton* InputWindow::Option(const char* name, QGroupBox* frame) {
    auto* option = new QRadioButton(CaptionOf(name), frame);
    option->setObjectName(name);
    option->setAccessibleName(CaptionOf(name));
    controls_[name] = option;
    return option;
}

QWidget* InputWindow::control(std::string_view name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void InputWindow::bind() {
    InputForm& form = host_.program().input;
    auto dateBox = [this, &form](QLineEdit* box, std::string CalcRequest::*field) {
        QObject::connect(box, &QLineEdit::textChanged, this,
                         [this, &form, field](const QString& t) {
                             if (!updating_) form.Controls().*field = Std(t);
                         });
    };
    dateBox(txtDay_, &CalcRequest::txtDay);
    dateBox(txtMonth_, &CalcRequest::txtMonth);
    dateBox(txtYear_, &CalcRequest::txtYear);
    QObject::connect(txtDays_, &QLineEdit::textChanged, this, [this, &form](const QString& t) {
        if (updating_) return;
        form.DaysTextChanged(Std(t));
        // The spin bar follows the days box.
        updating_ = true;
        vsDays_->setValue(form.VSDays());
        updating_ = false;
    });
    QObject::connect(vsDays_, &QScrollBar::valueChanged, this, [this, &form](int v) {
        if (!updating_) form.SpinChanged(v);
    });

    QObject::connect(static_cast<QCheckBox*>(control("chkFullMonth")), &QCheckBox::toggled, this,
                     [this, &form](bool on) {
                         if (!updating_) form.SetFullMonth(on);
                     });
    for (const RequestCheck& c : RequestChecks)
        QObject::connect(static_cast<QCheckBox*>(control(c.control)), &QCheckBox::toggled, this,
                         [this, &form, field = c.field](bool on) {
                             if (!updating_) form.Controls().*field = on;
                         });

    // An empty box is Universal Time; surrounding blanks are not part of a name.
    QObject::connect(cboTimeZone_, &QComboBox::currentTextChanged, this, [this, &form] {
        if (!updating_) form.Controls().timeZone = cboTimeZone_->zone();
    });

    for (const RequestOption& o : RequestOptions)
        QObject::connect(static_cast<QRadioButton*>(control(o.control)), &QRadioButton::toggled,
                         this, [this, &form, choose = o.choose](bool on) {
                             if (on && !updating_) choose(form.Controls());
                         });

    QObject::connect(static_cast<QPushButton*>(control("cmdEphemeris")), &QPushButton::clicked,
                     this, [this] { host_.calculate(true); });
    QObject::connect(static_cast<QPushButton*>(control("cmdAspectarian")), &QPushButton::clicked,
                     this, [this] { host_.calculate(false); });
}

void InputWindow::refresh(const InputForm& form) {
    updating_ = true;
    const CalcRequest& r = form.request();
    auto setText = [](QLineEdit* box, const std::string& text) {
        if (box->text() != Qs(text)) box->setText(Qs(text));
    };
    setText(txtDay_, r.txtDay);
    setText(txtMonth_, r.txtMonth);
    setText(txtYear_, r.txtYear);
    setText(txtDays_, form.txtDays());
    vsDays_->setValue(form.VSDays());
    static_cast<QCheckBox*>(control("chkFullMonth"))->setChecked(r.chkFullMonth);
    for (const RequestCheck& c : RequestChecks)
        static_cast<QCheckBox*>(control(c.control))->setChecked(r.*c.field);
    cboTimeZone_->showZone(r.timeZone);
    for (const RequestOption& o : RequestOptions)
        if (o.chosen(r)) static_cast<QRadioButton*>(control(o.control))->setChecked(true);
    updating_ = false;
}

void InputWindow::focusDateBox(DateBox box) {
    QLineEdit* wrong = box == DateBox::Month ? txtMonth_ : box == DateBox::Day ? txtDay_ : txtYear_;
    activateWindow();
    wrong->setFocus(Qt::OtherFocusReason);
    wrong->selectAll();
}

void InputWindow::placeWindow(const WindowRect& rect) { place_->place(rect); }

void InputWindow::show() {
    QWidget::show();
    raise();
    activateWindow();
}

void InputWindow::hide() { QWidget::hide(); }

bool InputWindow::OpenMainMenuByLetter(const QKeyEvent* key) {
    if (!(key->modifiers() & Qt::AltModifier) || key->key() < Qt::Key_A || key->key() > Qt::Key_Z)
        return false;
    const QString mark = QString("&") + QChar(key->key()).toLower();
    QMenuBar* bar = host_.mainMenuWindow().menuBar();
    for (QAction* menu : bar->actions()) {
        if (!menu->isVisible() || !menu->text().toLower().contains(mark)) continue;
        host_.mainMenuWindow().raise();
        host_.mainMenuWindow().activateWindow();
        bar->setActiveAction(menu);
        return true;
    }
    return false;
}

void InputWindow::keyPressEvent(QKeyEvent* event) {
    if (!OpenMainMenuByLetter(event)) QWidget::keyPressEvent(event);
}

void InputWindow::closeEvent(QCloseEvent* event) {
    // Closed by its frame before any run: the main menu's "Input" brings it
    // back, as after a run.
    if (!host_.ended()) host_.program().InputClosed();
    QWidget::closeEvent(event);
}

bool InputWindow::eventFilter(QObject* watched, QEvent* event) {
    // The zone box takes any text, but Alt with a letter is the menu's.
    if (cboTimeZone_ != nullptr &&
        (watched == cboTimeZone_ || watched == cboTimeZone_->lineEdit())) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (OpenMainMenuByLetter(key)) return true;
            if ((key->modifiers() & Qt::AltModifier) && !key->text().isEmpty()) return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter in a date or days box calculates what was calculated last,
        // the ephemeris at first, as a dialog's default button would.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const OutputKind last = host_.program().state.OutputKind;
            if (last == OutputKind::Transits)
                host_.runMainCommand(MainCommand::Transits);
            else
                host_.calculate(last != OutputKind::Aspectarian);
            return true;
        }
        if (OpenMainMenuByLetter(key)) return true;
        const QString text = key->text();
        // Typed characters only: editing keys, shortcuts (a paste) and
        // navigation pass unfiltered; a character typed with Alt is no digit
        // and no edit, and goes nowhere.
        const bool printable = !text.isEmpty() && text[0].unicode() >= 0x20;
        if (printable && (key->modifiers() & Qt::AltModifier)) return true;
        const bool typed = printable && !(key->modifiers() & Qt::ControlModifier);
        if (typed && !InputForm::KeyPasses(text[0].unicode())) return true;
    } else if (event->type() == QEvent::FocusIn) {
        // Typing replaces the whole number; the select waits for the click
        // that gave the focus to place its cursor first.
        QTimer::singleShot(0, box, [box] {
            const TextSelection s = InputForm::SelectionOnFocus(Std(box->text()));
            box->setSelection(s.start, s.length);
        });
    }
    return QWidget::eventFilter(watched, event);
}

void InputWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    const int dx = std::max(1, TwipsToPixelsX(LabelOutlineOffsetTwips, this));
    const int dy =
        std::max(1, static_cast<int>(LabelOutlineOffsetTwips / TwipsPerPixelY(this) + 0.5));
    const QColor dark{QRgb{LabelOutlineDark}}, light{QRgb{LabelOutlineLight}};
    for (std::string_view name : OutlinedLabels) {
        const QWidget* label = control(std::string(name));
        if (!label) continue;
        const QRect r = label->geometry().adjusted(-dx, -dy, dx, dy);
        // Sunken: dark above and left, light below and right.
        painter.setPen(dark);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(light);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

void InputWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() &&
        !host_.ended())
        host_.program().input.Deactivate(place_->saved());
}

}  // namespace novarel::ui
