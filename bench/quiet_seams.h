#pragma once
// Seams that show nothing, for runs timed without a screen.
#include <benchmark/benchmark.h>

#include "core/seams.h"

namespace novarel::bench {

class QuietMessages final : public MessageSink {
public:
    void showMessage(std::string_view, std::string_view, MessageIcon) override {}
};

// Takes the page text so the work of building it is not optimised away.
class QuietView final : public DataView {
public:
    int innerHeight() override { return 1; }
    void setText(const std::string& t) override {
        textSize = t.size();
        benchmark::DoNotOptimize(textSize);
    }
    void setCaption(const std::string&) override {}
    void showWindow() override {}
    std::size_t textSize = 0;
};

}  // namespace novarel::bench
