#pragma once
// The aspectarian as iCalendar, built with libical: one VEVENT per event,
// DTSTART in UTC to the minute shown, and a UID made of the event's own
// values, so that importing a later run updates the same entries. The
// description adds to the report line the exact moment to the second, the
// exact place of a lunation, ingress or station, and an eclipse's type,
// magnitude and greatest phase.
#include <string>

#include "aspectarian/aspect_event.h"

namespace novarel::exports {

std::string CalendarHead();
std::string CalendarTail();

// The VEVENT of one event on date "YYYY-MM-DD" at clock "hh:mm" (UT).
std::string CalendarEvent(const AspectEvent& event, const std::string& date,
                          const std::string& clock, const std::string& text);

// A VEVENT's own texts.
struct CalendarEntry {
    std::string uid;
    std::string summary;
    std::string description;
};

// The VEVENT of an event with texts of the caller's: the moment and a void-
// of-course Moon's end as CalendarEvent gives them.
std::string CalendarEntryText(const AspectEvent& event, const std::string& date,
                              const std::string& clock, const CalendarEntry& entry);

// CalendarEvent's description: the line, the exact moment and place.
std::string CalendarDescription(const AspectEvent& event, const std::string& text);

// "04°♏17'59\"": a longitude to the nearest second of arc.
std::string CalendarPlace(double longitude);

// "☉ ☌ ☽ New Moon 09♒51.4 — solar eclipse": the symbols, then plain words;
// a place as the report line gives it.
std::string CalendarSummary(const AspectEvent& event);

}  // namespace novarel::exports
