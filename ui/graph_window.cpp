#include "ui/graph_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSizePolicy>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <functional>

#include "app/program.h"
#include "core/bodies.h"
#include "core/library_check.h"
#include "core/messages.h"
#include "graph/date_ticks.h"
#include "graph/graph_layout.h"
#include "natal/chart_file.h"
#include "render/graph_drawing.h"
#include "render/graph_files.h"
#include "ui/captioned_combo_box.h"
#include "ui/qt_text.h"

namespace novarel::ui {

namespace {

constexpr std::array<GraphPeriod, 7> Periods{{{"1 month", 1},
                                              {"3 months", 3},
                                              {"6 months", 6},
                                              {"1 year", 12},
                                              {"2 years", 24},
                                              {"5 years", 60},
                                              {"10 years", 120}}};
constexpr int DefaultPeriod = 3;  // a year

constexpr std::array<graph::Dial, 3> Dials{graph::Dial::Full, graph::Dial::Quarter,
                                           graph::Dial::Eighth};

QDate QDateOf(const CivilDate& d) { return QDate(d.year, d.month, d.day); }
CivilDate CivilOf(const QDate& d) { return CivilDate{d.year(), d.month(), d.day()}; }

// The input window's date, or today when its boxes hold none.
QDate InputDate(const CalcRequest& r) {
    bool okY = false, okM = false, okD = false;
    const int y = Qs(r.txtYear).toInt(&okY), m = Qs(r.txtMonth).toInt(&okM),
              d = Qs(r.txtDay).toInt(&okD);
    const QDate date(y, m, d);
    return okY && okM && okD && date.isValid() ? date : QDate::currentDate();
}

}  // namespace

// The picture itself: painted at the widget's size, read under the pointer.
class GraphCanvas final : public QWidget {
public:
    GraphCanvas(const graph::GraphData& graphData, const std::optional<double>& cursorJd,
                QWidget* parent)
        : QWidget(parent), data_(graphData), cursor_(cursorJd) {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(480, 300);
        setAccessibleName("Graph");
        setAccessibleDescription(
            "Arrow keys move the cursor a day, + and - zoom, Enter opens the day's ephemeris");
    }
    std::function<void(double)> pointed;
    std::function<void(double)> clicked;
    std::function<void(int)> moved;
    std::function<void(bool)> zoomed;
    std::function<void()> opened;

    graph::GraphLayout layout() const { return graph::LayoutGraph(data_, width(), height()); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        render::GraphOverlay overlay;
        overlay.cursorJd = cursor_;
        render::DrawGraph(p, data_, layout(), overlay);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const graph::GraphLayout l = layout();
        const double x = e->position().x();
        if (x >= l.left && x <= l.right() && pointed) pointed(l.JdAt(x));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const graph::GraphLayout l = layout();
        const double x = e->position().x();
        if (e->button() == Qt::LeftButton && x >= l.left && x <= l.right() && clicked)
            clicked(l.JdAt(x));
    }
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
            case Qt::Key_Left: moved(-1); return;
            case Qt::Key_Right: moved(1); return;
            case Qt::Key_Plus:
            case Qt::Key_Equal: zoomed(true); return;
            case Qt::Key_Minus: zoomed(false); return;
            case Qt::Key_Return:
            case Qt::Key_Enter: opened(); return;
            default: QWidget::keyPressEvent(e);
        }
    }

private:
    const graph::GraphData& data_;
    const std::optional<double>& cursor_;
};

GraphWindow::GraphWindow(Program& program, QWidget* parent) : QWidget(parent), program_(program) {
    setObjectName("GraphicEphemeris");
    setWindowTitle("Graphic Ephemeris");
    setAccessibleName("Graphic Ephemeris");
    setWindowFlag(Qt::Window);

    const auto caption = [this](const char* text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        buddy->setAccessibleName(AccessibleName(text));
        return label;
    };
    dial_ = new CaptionedComboBox("Dial", this);
    dial_->setObjectName("cboDial");
    dial_->addItems({QString::fromUtf8("360° zodiac"), QString::fromUtf8("90° (mod 90)"),
                     QString::fromUtf8("45° (mod 45)")});
    start_ = new QDateEdit(this);
    start_->setObjectName("dtpStart");
    start_->setDisplayFormat("yyyy-MM-dd");
    start_->setDateRange(QDate(1800, 1, 1), QDate(2090, 12, 31));
    period_ = new CaptionedComboBox("Period", this);
    period_->setObjectName("cboPeriod");
    for (const GraphPeriod& p : Periods) period_->addItem(p.caption);
    period_->setCurrentIndex(DefaultPeriod);

    bodies_ = new QToolButton(this);
    bodies_->setObjectName("cmdBodies");
    bodies_->setText("&Bodies");
    bodies_->setAccessibleName("Bodies");
    bodies_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(bodies_);
    for (int b = Sun; b <= Lilith; ++b) {
        QAction* a = menu->addAction(Qs(Body(b).name));
        a->setCheckable(true);
        a->setChecked(b <= Pluto);
        a->setData(b);
        QObject::connect(a, &QAction::toggled, this, [this] { Recompute(); });
        bodyActions_.push_back(a);
    }
    bodies_->setMenu(menu);

    natal_ = new QCheckBox("&Natal lines", this);
    natal_->setObjectName("chkNatal");
    natal_->setAccessibleName("Natal lines");
    natal_->setChecked(true);

    lunations_ = new QCheckBox("&Lunations", this);
    lunations_->setObjectName("chkLunations");
    lunations_->setAccessibleName("Lunations");
    lunations_->setToolTip("New Moons (dark) and Full Moons (light) along the top");

    auto* png = new QPushButton("Export PN&G...", this);
    auto* svg = new QPushButton("Export &SVG...", this);
    auto* pdf = new QPushButton("Export PD&F...", this);
    png->setObjectName("cmdExportPng");
    svg->setObjectName("cmdExportSvg");
    pdf->setObjectName("cmdExportPdf");
    for (QPushButton* b : {png, svg, pdf}) b->setAccessibleName(AccessibleName(Std(b->text())));
    QObject::connect(png, &QPushButton::clicked, this,
                     [this] { Export(render::GraphFileFormat::Png); });
    QObject::connect(svg, &QPushButton::clicked, this,
                     [this] { Export(render::GraphFileFormat::Svg); });
    QObject::connect(pdf, &QPushButton::clicked, this,
                     [this] { Export(render::GraphFileFormat::Pdf); });

    canvas_ = new GraphCanvas(data_, cursor_, this);
    canvas_->setObjectName("picGraph");
    canvas_->pointed = [this](double jd) { ShowReading(jd); };
    canvas_->clicked = [this](double jd) { openDay(jd); };
    canvas_->moved = [this](int days) { moveCursor(days); };
    canvas_->zoomed = [this](bool in) { zoom(in); };
    canvas_->opened = [this] {
        if (cursor_) openDay(*cursor_);
    };
    status_ = new QLabel(this);
    status_->setObjectName("lblPositions");
    status_->setAccessibleName("Positions");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont statusFont = status_->font();
    statusFont.setFamilies({statusFont.family(), QStringLiteral("EPHEMERI")});
    status_->setFont(statusFont);

    // The positions line takes the window's width whatever its text; it
    // never widens the window.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* controls = new QHBoxLayout;
    controls->addWidget(caption("&Dial", dial_));
    controls->addWidget(dial_);
    controls->addWidget(caption("S&tart", start_));
    controls->addWidget(start_);
    controls->addWidget(caption("&Period", period_));
    controls->addWidget(period_);
    controls->addWidget(bodies_);
    controls->addWidget(natal_);
    controls->addWidget(lunations_);
    controls->addStretch(1);
    controls->addWidget(png);
    controls->addWidget(svg);
    controls->addWidget(pdf);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(canvas_, 1);
    layout->addWidget(status_);

    const auto changed = [this] { Recompute(); };
    QObject::connect(dial_, &QComboBox::currentIndexChanged, this, changed);
    QObject::connect(period_, &QComboBox::currentIndexChanged, this, changed);
    QObject::connect(start_, &QDateEdit::dateChanged, this, changed);
    QObject::connect(natal_, &QCheckBox::toggled, this, changed);
    QObject::connect(lunations_, &QCheckBox::toggled, this, changed);
    resize(980, 640);
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::loadFromProgram() {
    loading_ = true;
    start_->setDate(InputDate(program_.request));
    // Chiron and the asteroids are offered when the request carries them.
    for (QAction* a : bodyActions_)
        a->setVisible(a->data().toInt() <= NorthNode || program_.request.extraBodies);
    loading_ = false;
    Recompute();
}

std::vector<int> GraphWindow::ChosenBodies() const {
    std::vector<int> bodies;
    for (const QAction* a : bodyActions_)
        if (a->isChecked() && a->isVisible()) bodies.push_back(a->data().toInt());
    return bodies;
}

std::vector<NatalPoint> GraphWindow::NatalPointsOfChosenChart(std::string& note) {
    note.clear();
    const std::string& name = program_.request.natalChart;
    natal_->setEnabled(!name.empty());
    natal_->setToolTip(name.empty() ? "No natal chart is chosen (Charts > Natal charts...)"
                                    : Qs("The points of " + name));
    if (!natal_->isChecked() || name.empty()) return {};
    const ChartList list = ReadChartFile(ChartFilePath(program_.programDirectory()));
    if (!list.error.empty()) {
        note = list.error;
        return {};
    }
    const std::optional<NatalChart> chart = FindChart(list, name);
    if (!chart) {
        note = "The chart file has no chart called " + name + ".";
        return {};
    }
    try {
        return ComputeNatalPoints(*chart, program_.request, program_.library()).points;
    } catch (const std::exception& e) {
        note = e.what();
        return {};
    }
}

void GraphWindow::Recompute() {
    if (loading_) return;
    graph::GraphRequest request;
    request.dial = Dials[static_cast<std::size_t>(std::max(0, dial_->currentIndex()))];
    const QDate first = start_->date();
    const int months =
        Periods[static_cast<std::size_t>(std::max(0, period_->currentIndex()))].months;
    request.first = CivilOf(first);
    request.last = CivilOf(first.addMonths(months).addDays(-1));
    request.bodies = ChosenBodies();
    request.positions = program_.request;
    request.lunations = lunations_->isChecked();
    // A chart that cannot be had leaves the graph without its lines; the
    // status line says why.
    std::string note;
    const std::vector<NatalPoint> natal = NatalPointsOfChosenChart(note);
    if (request.bodies.empty()) {
        data_ = graph::GraphData{
            request.dial, graph::MidnightJd(request.first), graph::MidnightJd(request.last) + 1, {},
            {},           graph::NatalLines(natal)};
    } else {
        setCursor(Qt::BusyCursor);
        try {
            data_ = graph::ComputeGraph(request, natal, program_.library());
        } catch (const LibraryError& e) {
            data_ = graph::GraphData{request.dial,
                                     graph::MidnightJd(request.first),
                                     graph::MidnightJd(request.last) + 1,
                                     {},
                                     {},
                                     {}};
            note = e.what();
        }
        unsetCursor();
    }
    if (cursor_ && (*cursor_ < data_.startJd || *cursor_ > data_.endJd)) cursor_.reset();
    if (!note.empty())
        status_->setText(Qs(note));
    else
        ShowReading(cursor_);
    canvas_->update();
}

QString GraphWindow::readingText() const { return status_->text(); }

void GraphWindow::ShowReading(std::optional<double> jd) {
    if (!jd || data_.series.empty()) {
        status_->setText(data_.series.empty() ? "No body is chosen." : "");
        return;
    }
    status_->setText(Qs(graph::ReadingText(graph::ReadAt(data_, *jd))));
}

void GraphWindow::moveCursor(int days) {
    // The cursor stands at noon of its day.
    const double from = cursor_ ? std::floor(*cursor_ - 0.5) + 0.5 : data_.startJd - 1;
    cursor_ = std::clamp(from + days + 0.5, data_.startJd + 0.5, data_.endJd - 0.5);
    ShowReading(cursor_);
    canvas_->update();
}

void GraphWindow::zoom(bool in) {
    const int index = period_->currentIndex() + (in ? -1 : 1);
    if (index < 0 || index >= static_cast<int>(Periods.size())) return;
    // The day under the cursor keeps its place in the middle of the new period.
    const double centre = cursor_.value_or((data_.startJd + data_.endJd) / 2);
    const int months = Periods[static_cast<std::size_t>(index)].months;
    const CivilDate c = JulianDayToCivil(centre);
    loading_ = true;
    period_->setCurrentIndex(index);
    start_->setDate(QDateOf(c).addDays(-static_cast<qint64>(months) * 30 / 2));
    loading_ = false;
    Recompute();
}

void GraphWindow::openDay(double jd) {
    cursor_ = jd;
    const CivilDate day = JulianDayToCivil(jd + 0.5);
    CalcRequest& r = program_.input.Controls();
    r.txtDay = std::to_string(day.day);
    r.txtMonth = std::to_string(day.month);
    r.txtYear = std::to_string(day.year);
    // The table starts on that day, not on the first of its month.
    program_.input.SetFullMonth(false);
    program_.input.Refresh();
    program_.CalculateEphemeris();
}

std::string GraphWindow::exportTo(const std::string& path, render::GraphFileFormat format) {
    // The picture at the size on screen, at twice the pixels for a PNG.
    const int scale = format == render::GraphFileFormat::Png ? 2 : 1;
    const std::string problem =
        render::WriteGraphFile(path, data_, format, std::max(canvas_->width(), 800) * scale,
                               std::max(canvas_->height(), 500) * scale);
    if (!problem.empty())
        program_.seams().messages.showMessage(problem, msg::TitleWarning, MessageIcon::Exclamation);
    return problem;
}

void GraphWindow::Export(render::GraphFileFormat format) {
    const char* filter = format == render::GraphFileFormat::Png   ? "PNG image (*.png)"
                         : format == render::GraphFileFormat::Svg ? "SVG drawing (*.svg)"
                                                                  : "PDF document (*.pdf)";
    const char* ending = format == render::GraphFileFormat::Png   ? ".png"
                         : format == render::GraphFileFormat::Svg ? ".svg"
                                                                  : ".pdf";
    const QString suggested = Qs(program_.programDirectory()) + "/graph" + ending;
    const QString path = QFileDialog::getSaveFileName(this, "Export", suggested, filter);
    if (path.isEmpty()) return;
    exportTo(Std(path), format);
}

}  // namespace novarel::ui
