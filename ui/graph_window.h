#pragma once
// The "Graphic Ephemeris" window: the chosen bodies' paths over a period on
// a 360°, 90° or 45° dial, the chosen natal chart's points as lines, the
// positions under the pointer, a click for that day's ephemeris, and the
// picture exported as PNG, SVG or PDF.
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "graph/graph_data.h"
#include "render/graph_book.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QToolButton;
class QCheckBox;
class QAction;

namespace novarel {
class Program;
}

namespace novarel::ui {

class GraphCanvas;

// The periods offered, a month to ten years, in days.
struct GraphPeriod {
    const char* caption;
    int months;
};

class GraphWindow final : public QWidget {
public:
    GraphWindow(Program& program, QWidget* parent = nullptr);
    ~GraphWindow() override;

    // The start from the input window's date and the chosen chart's points,
    // then the graph drawn again.
    void loadFromProgram();

    const graph::GraphData& data() const { return data_; }
    // The moment under the cursor (keys) or the pointer; none before either.
    std::optional<double> cursor() const { return cursor_; }
    QString readingText() const;

    // Writes the picture to the file; empty on success, else the message
    // (also shown).
    std::string exportTo(const std::string& path, render::GraphFileFormat format);

    // Moves the cursor by days; zooms the period in (shorter) or out.
    void moveCursor(int days);
    void zoom(bool in);
    // That day's ephemeris in the Data window, as the input window's
    // "Calculate Ephemeris" with the day as its start.
    void openDay(double jd);

    QComboBox* dialBox() { return dial_; }
    QComboBox* periodBox() { return period_; }
    QDateEdit* startBox() { return start_; }

private:
    void Recompute();
    void ShowReading(std::optional<double> jd);
    void Export(render::GraphFileFormat format);
    std::vector<int> ChosenBodies() const;
    std::vector<NatalPoint> NatalPointsOfChosenChart(std::string& note);

    Program& program_;
    QComboBox* dial_ = nullptr;
    QComboBox* period_ = nullptr;
    QDateEdit* start_ = nullptr;
    QToolButton* bodies_ = nullptr;
    std::vector<QAction*> bodyActions_;
    QCheckBox* natal_ = nullptr;
    QCheckBox* lunations_ = nullptr;
    GraphCanvas* canvas_ = nullptr;
    QLabel* status_ = nullptr;
    graph::GraphData data_;
    std::optional<double> cursor_;
    bool loading_ = false;
};

}  // namespace novarel::ui
