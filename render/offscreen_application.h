#pragma once
// The application object Qt needs to draw text, made by the command line's
// module when the process has none: without a display it draws offscreen.
#include <QApplication>
#include <memory>

namespace novarel::render {

class OffscreenApplication {
public:
    // Makes one unless the process has one already.
    OffscreenApplication();
    ~OffscreenApplication();
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

private:
    // QApplication keeps argc by reference.
    int argc_ = 1;
    char name_[8] = "novarel";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

}  // namespace novarel::render
