// libical, opened the first time an iCalendar export calls it: the library
// and the ICU it brings cost more at start-up than a day's ephemeris, and
// most runs export no calendar. These definitions of the functions the
// export calls forward to the library's own.
#include <dlfcn.h>
#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Unavailable(const char* what) {
    std::fprintf(stderr, "novarel: the iCalendar export needs %s: %s\n", what, ::dlerror());
    std::fflush(stderr);
    std::_Exit(1);
}

void* Library() {
    static void* const handle = [] {
        void* h = ::dlopen(NOVAREL_LIBICAL_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (h == nullptr) Unavailable(NOVAREL_LIBICAL_SONAME);
        return h;
    }();
    return handle;
}

template <typename Function>
Function Real(const char* name) {
    void* f = ::dlsym(Library(), name);
    if (f == nullptr) Unavailable(name);
    return reinterpret_cast<Function>(f);
}

}  // namespace

#define NOVAREL_REAL(name) static const auto real = Real<decltype(&name)>(#name)

extern "C" {

icalcomponent* icalcomponent_new(icalcomponent_kind kind) {
    NOVAREL_REAL(icalcomponent_new);
    return real(kind);
}

void icalcomponent_free(icalcomponent* component) {
    NOVAREL_REAL(icalcomponent_free);
    real(component);
}

void icalcomponent_add_property(icalcomponent* component, icalproperty* property) {
    NOVAREL_REAL(icalcomponent_add_property);
    real(component, property);
}

char* icalcomponent_as_ical_string_r(icalcomponent* component) {
    NOVAREL_REAL(icalcomponent_as_ical_string_r);
    return real(component);
}

icalproperty* icalproperty_new_uid(const char* v) {
    NOVAREL_REAL(icalproperty_new_uid);
    return real(v);
}

icalproperty* icalproperty_new_summary(const char* v) {
    NOVAREL_REAL(icalproperty_new_summary);
    return real(v);
}

icalproperty* icalproperty_new_description(const char* v) {
    NOVAREL_REAL(icalproperty_new_description);
    return real(v);
}

icalproperty* icalproperty_new_dtstamp(struct icaltimetype v) {
    NOVAREL_REAL(icalproperty_new_dtstamp);
    return real(v);
}

icalproperty* icalproperty_new_dtstart(struct icaltimetype v) {
    NOVAREL_REAL(icalproperty_new_dtstart);
    return real(v);
}

icalproperty* icalproperty_new_dtend(struct icaltimetype v) {
    NOVAREL_REAL(icalproperty_new_dtend);
    return real(v);
}

icalproperty* icalproperty_new_transp(enum icalproperty_transp v) {
    NOVAREL_REAL(icalproperty_new_transp);
    return real(v);
}

struct icaltimetype icaltime_null_time(void) {
    NOVAREL_REAL(icaltime_null_time);
    return real();
}

icaltimezone* icaltimezone_get_utc_timezone(void) {
    NOVAREL_REAL(icaltimezone_get_utc_timezone);
    return real();
}

}  // extern "C"
