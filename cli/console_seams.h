#pragma once
// Seams of the command line: messages on stderr as "novarel: Title: text", the Data
// window as a text that stdout receives at the end.
#include <string>

#include "core/seams.h"

namespace novarel::cli {

class StderrMessages final : public MessageSink {
public:
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    int count() const { return count_; }

private:
    int count_ = 0;
};

class CapturedView final : public DataView {
public:
    int innerHeight() override { return 1; }
    void setText(const std::string& text) override { text_ = text; }
    void setCaption(const std::string&) override {}
    void showWindow() override {}
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// No progress window; a wait (for another run's lock) is said on stderr at once.
class QuietProgress final : public ProgressSink {
public:
    void showWaiting(std::string_view text) override;
};
class NoWindows final : public GeneratorWindows {};

}  // namespace novarel::cli
