#include "aspectarian/aspect_event.h"

#include "aspectarian/day_events.h"
#include "core/angle_format.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/positions.h"

namespace novarel {

const char* KindName(EventKind kind) {
    switch (kind) {
        case EventKind::Aspect: return "aspect";
        case EventKind::Parallel: return "parallel";
        case EventKind::Contraparallel: return "contraparallel";
        case EventKind::Ingress: return "ingress";
        case EventKind::Station: return "station";
        case EventKind::Lunation: return "lunation";
        case EventKind::Eclipse: return "eclipse";
        case EventKind::VoidOfCourse: return "void";
    }
    return "aspect";
}

const char* AspectName(int aspect) {
    switch (aspect) {
        case Conjunction: return "conjunction";
        case Sextile: return "sextile";
        case Square: return "square";
        case Trine: return "trine";
        case Opposition: return "opposition";
        case Semisextile: return "semisextile";
        case Semisquare: return "semisquare";
        case Quintile: return "quintile";
        case Sesquiquadrate: return "sesquiquadrate";
        case Biquintile: return "biquintile";
        case Quincunx: return "quincunx";
        default: return "";
    }
}

double AspectAngle(int aspect) {
    static constexpr double Angles[] = {0, 0, 60, 90, 120, 180, 30, 45, 72, 135, 144, 150};
    return aspect > NoAspect && aspect <= Quincunx ? Angles[aspect] : 0;
}

std::string AspectGlyphText(int aspect) {
    switch (aspect) {
        case Semisextile: return std::string(1, static_cast<char>(glyph::Semisextile));
        case Semisquare: return std::string(1, static_cast<char>(glyph::Semisquare));
        case Quintile: return "Q";
        case Sesquiquadrate: return std::string(1, static_cast<char>(glyph::Sesquiquadrate));
        case Biquintile: return "bQ";
        case Quincunx: return std::string(1, static_cast<char>(glyph::Quincunx));
        default: return std::string(1, static_cast<char>(glyph::AspectBase + aspect));
    }
}

std::string EventLineText(const AspectEvent& e, const std::string& dayLabel,
                          const std::string& endDayLabel) {
    std::string line;
    line.reserve(64);
    line += "  ";
    line += dayLabel;
    line += "  ";
    line += ClockText(e.hour, e.minute);
    line += "  ";
    const auto body = [&e](int b) { return static_cast<char>(glyph::BodyCode(b, e.heliocentric)); };
    switch (e.kind) {
        case EventKind::Ingress:
            line += body(e.body1);
            line += "  ";
            line += glyph::SignChar(e.sign);
            line += e.body1 == Moon ? " - Moon ingress" : " - planet ingress";
            break;
        case EventKind::Station:
            line += body(e.body1);
            line += "  ";
            line +=
                static_cast<char>(e.retrograde ? glyph::StationRetrograde : glyph::StationDirect);
            line += " +/- up to 1 hour";
            break;
        case EventKind::Parallel:
        case EventKind::Contraparallel:
            line += body(e.body1);
            line += static_cast<char>(e.kind == EventKind::Parallel ? glyph::Parallel
                                                                    : glyph::Contraparallel);
            line += body(e.body2);
            break;
        case EventKind::Aspect:
        case EventKind::Lunation:
        case EventKind::Eclipse:
            line += body(e.body1);
            line += AspectGlyphText(e.aspect);
            line += body(e.body2);
            if (e.kind != EventKind::Aspect) {
                line += " - (";
                line += e.phase;
                line += ",";
                line += PositionCell(e.position2).substr(0, 8);
                line += ")";
            }
            if (e.kind == EventKind::Eclipse) {
                line += " - ";
                line += e.eclipse;
                line += " eclipse";
            }
            break;
        case EventKind::VoidOfCourse: {
            // "☽ v/c (□♄) until 14:22 ☽ ♎", the end's day before its time
            // when it is a later one.
            line += body(Moon);
            line += " v/c ";
            if (e.aspect != NoAspect) {
                line += '(';
                line += static_cast<char>(glyph::AspectBase + e.aspect);
                line += body(e.body2);
                line += ") ";
            }
            line += "until ";
            if (!endDayLabel.empty()) line += endDayLabel + " ";
            const MinuteOfDay end = RoundedToMinute(e.end);
            line += ClockText(end.hour, end.minute);
            line += ' ';
            line += body(Moon);
            line += ' ';
            line += glyph::SignChar(e.sign);
            break;
        }
    }
    return line;
}

}  // namespace novarel
