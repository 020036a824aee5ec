#pragma once
// StatusDlg, "% Completed": the bar of a running generator, the busy
// pointer, and no user input while the run goes on.
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>

#include "core/seams.h"

namespace novarel::ui {

// Picture2: the bar grows from the left in light red and is never erased
// during a run.
class ProgressBar final : public QWidget {
public:
    explicit ProgressBar(QWidget* parent);
    void setPercent(float percent);
    float percent() const { return percent_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float percent_ = 0;
};

class ProgressWindow final : public QDialog, public ProgressSink {
public:
    ProgressWindow();
    ~ProgressWindow() override;

    ProgressBar* bar() const { return bar_; }
    bool busy() const { return busy_; }
    // Every percentage the bar was given since the window was loaded, for checks.
    const std::vector<float>& filled() const { return filled_; }

    void loadProgress() override;
    void fillProgress(float percent) override;
    void unloadProgress() override;
    void setBusy(bool busy) override;
    // The wait for another run's lock, said below the bar (a run that saves
    // after its bar is gone shows the window for the wait alone).
    void showWaiting(std::string_view text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void letEventsRun();

    ProgressBar* bar_;
    QLabel* waiting_;
    std::vector<float> filled_;
    QElapsedTimer sincePaint_;
    bool busy_ = false;
    bool shownForWaiting_ = false;
};

}  // namespace novarel::ui
