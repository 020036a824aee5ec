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

// The eclipse searches of a sky with no eclipse, for fakes that answer only
// positions.
class NoEclipseLibrary : public EphemerisLibrary {
public:
    std::int32_t sol_eclipse_when_glob(double, std::int32_t, std::int32_t, double*, bool,
                                       char*) override {
        return 0;
    }
    std::int32_t lun_eclipse_when(double, std::int32_t, std::int32_t, double*, bool,
                                  char*) override {
        return 0;
    }
    std::int32_t sol_eclipse_where(double, std::int32_t, double*, double*, char*) override {
        return 0;
    }
    std::int32_t lun_eclipse_how(double, std::int32_t, double*, double*, char*) override {
        return 0;
    }
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
        return 0.0008;
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
        // Without its files the library answers from the analytic ephemeris.
        return analytic ? (flags & ~2) | 4 : flags;
    }
    std::int32_t sol_eclipse_when_glob(double t, std::int32_t flags, std::int32_t types,
                                       double* tret, bool backward, char* serr) override {
        return eclipse("solar", t, flags, types, tret, backward, serr);
    }
    std::int32_t lun_eclipse_when(double t, std::int32_t flags, std::int32_t types, double* tret,
                                  bool backward, char* serr) override {
        return eclipse("lunar", t, flags, types, tret, backward, serr);
    }
    // The circumstances at an eclipse's greatest phase: type 4 (total), with
    // magnitude as attr[0], attr[1] and attr[8].
    std::int32_t sol_eclipse_where(double, std::int32_t, double*, double* attr,
                                   char* serr) override {
        return circumstances(attr, serr);
    }
    std::int32_t lun_eclipse_how(double, std::int32_t, double*, double* attr, char* serr) override {
        return circumstances(attr, serr);
    }
    std::int32_t circumstances(double* attr, char* serr) {
        std::strcpy(serr, "");
        if (failCircumstances) {
            std::strcpy(serr, "circumstances failed");
            return -1;
        }
        attr[0] = attr[1] = attr[8] = magnitude;
        return 4;
    }
    // Answers an eclipse search with the first of eclipseMaxima after t (type
    // 4, total), 0 when there is none.
    std::int32_t eclipse(const std::string& kind, double t, std::int32_t flags, std::int32_t types,
                         double* tret, bool backward, char* serr) {
        calls.push_back({kind, t, backward ? 1 : 0, flags, static_cast<double>(types)});
        std::strcpy(serr, "");
        if (failEclipse) {
            std::strcpy(serr, "eclipse search failed");
            return -1;
        }
        for (double jd : eclipseMaxima)
            if (jd > t) {
                tret[0] = jd;
                return 4;
            }
        return 0;
    }
    bool failEclipse = false;
    bool failCircumstances = false;
    bool analytic = false;
    std::vector<double> eclipseMaxima;
    double magnitude = 1.05;
    std::vector<Call> calls;
};

}  // namespace novarel::test
