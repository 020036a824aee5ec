#pragma once
// Recording fakes of the seams, shared by the test suites.
#include <cstring>
#include <string>
#include <vector>

#include "core/ephemeris_library.h"
#include "core/seams.h"

namespace novarel::test {

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class RecordingMessages final : public MessageSink {
public:
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(title), icon});
    }
    std::vector<Message> messages;
};

class RecordingView final : public DataView {
public:
    int innerHeight() override { return height; }
    std::size_t textCapacity() const override { return capacity; }
    void setText(const std::string& t) override {
        text = t;
        ++setTextCount;
    }
    void setCaption(const std::string& c) override { caption = c; }
    void showWindow() override { ++shown; }
    int height = 400;
    std::size_t capacity = static_cast<std::size_t>(-1);
    std::string text;
    std::string caption;
    int setTextCount = 0;
    int shown = 0;
};

class RecordingProgress final : public ProgressSink {
public:
    void loadProgress() override { events.push_back("load"); }
    void fillProgress(float p) override { percents.push_back(p); }
    void unloadProgress() override { events.push_back("unload"); }
    void setBusy(bool b) override { events.push_back(b ? "busy" : "normal"); }
    std::vector<std::string> events;
    std::vector<float> percents;
};

// A library fake that records every call and answers with values made from
// the body number and flags, so tests can tell where each result went.
class RecordingLibrary final : public EphemerisLibrary {
public:
    struct Call {
        std::string kind;
        double t = 0;
        int body = 0;
        int flags = 0;
        double a = 0, b = 0;
    };
    void set_ephe_path(const std::string& p) override { calls.push_back({"path:" + p}); }
    void set_sid_mode(std::int32_t mode, double t0, double ayan) override {
        calls.push_back({"sid", 0, mode, 0, t0, ayan});
    }
    double deltat(double t) override {
        calls.push_back({"deltat", t});
        return deltaT;
    }
    std::int32_t calc(double t, int body, std::int32_t flags, double* xx, char* serr) override {
        calls.push_back({"calc", t, body, flags});
        const bool eq = (flags & 2048) != 0;
        xx[0] = body * 10.0 + (eq ? 1 : 0);
        xx[1] = -(body + 0.5);
        xx[2] = 1.0;
        xx[3] = (eq ? 0.2 : 0.1) * (body % 2 == 0 ? 1 : -1);
        xx[4] = xx[5] = 0;
        std::strcpy(serr, "");
        return flags;
    }
    double deltaT = 0.0008;
    std::vector<Call> calls;
};

}  // namespace novarel::test
