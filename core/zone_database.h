#pragma once
// The system's time-zone database as plain C functions. The command line
// carries its own C++ runtime and takes them from a module that uses the
// shared one, so only plain types cross: no C++ object, no exception.
#include <stddef.h>

#ifdef __cplusplus
#define NOVAREL_ZONE_NOEXCEPT noexcept
extern "C" {
#else
#define NOVAREL_ZONE_NOEXCEPT
#endif

// A zone of the database, owned by the database (valid until the process
// ends).
typedef struct NovarelZone NovarelZone;

// The zone of an IANA name; null for an unknown name, or when the system has
// no readable database.
const NovarelZone* novarel_zone_find(const char* name) NOVAREL_ZONE_NOEXCEPT;

// The offset in seconds (local time minus UT) in force at a UT second counted
// from 1970-01-01 0h, and its abbreviation, cut to fit `size` bytes with its
// terminating NUL.
int novarel_zone_offset_at(const NovarelZone* zone, long long utSeconds, char* abbreviation,
                           size_t size) NOVAREL_ZONE_NOEXCEPT;

// How a clock reading falls, given as local seconds counted from 1970-01-01
// 0:00 local.
enum NovarelLocalReading {
    NOVAREL_READING_UNIQUE = 0,
    NOVAREL_READING_SKIPPED = 1,   // the clock jumps over it
    NOVAREL_READING_REPEATED = 2,  // the clock shows it twice
};

// The kind of a clock reading, with the offset of its first (or only)
// occurrence, or for a skipped reading the UT second at which the clock
// jumps over it.
int novarel_zone_reading(const NovarelZone* zone, long long localSeconds, int* firstOffset,
                         long long* jumpUtSeconds) NOVAREL_ZONE_NOEXCEPT;

// The names the command line looks the functions up by in the module.
#define NOVAREL_ZONE_FIND "novarel_zone_find"
#define NOVAREL_ZONE_OFFSET_AT "novarel_zone_offset_at"
#define NOVAREL_ZONE_READING "novarel_zone_reading"

#ifdef __cplusplus
}
#endif
