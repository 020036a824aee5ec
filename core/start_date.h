#pragma once
// Reading and checking the start date, the time of day and the progress bar.
#include <optional>
#include <string>

#include "core/calc_request.h"
#include "core/run_state.h"
#include "core/seams.h"

namespace novarel {

// The input window's error report: InputError := 1 and the warning message.
void ReportInputError(RunState& state, MessageSink& messages);

// Three checks, each reported once when it fails (up to three reports); none
// for a start day read from the command line, which is checked there.
void ValidateDateInput(const CalcRequest& request, RunState& state, MessageSink& messages);

// The input window's three date boxes.
enum class DateBox { Month, Day, Year };

// The first box, in the window's order month, day, year, whose value fails
// the checks above: where the user's correction starts.
std::optional<DateBox> FirstWrongDateBox(const CalcRequest& request);

// Zodiac label, date texts, time-of-day word, DayJD and StartJD from the boxes.
// With a full month the day box becomes "1" first. A start day read from the
// command line is used as it is.
void ReadStartDate(CalcRequest& request, RunState& state);

// DayFraction from NoonFlag.
void SetDayFraction(RunState& state);

// DateText from DateJD in the date order.
void JulianDayToDateText(RunState& state);

// Right-justify a small number's text in three characters.
std::string PadLeft3(const std::string& text);

// Percent done, capped at 100; callers pass a positive total.
void ShowProgress(ProgressSink& progress, int done, int total);

}  // namespace novarel
