#pragma once
// The fuzz cases beside the readers of fuzz_readers.cpp; each takes the input after its
// selector byte.
#include <string>

namespace novarel::fuzz {

// Files the program reads back from its folder.
void OptionsFileWarnings(const std::string& text);
void HelpTextShown(const std::string& text);
void PrintFileReadBack(const std::string& text);
// The journal a killed run leaves beside its data files.
void SetJournalReadBack(const std::string& text);

// The file of natal charts: what reads is written back as itself, what
// does not is never replaced.
void ChartFileReadBack(const std::string& text);

// A command line with the export and range options, split into periods.
void CommandLineRanges(const std::string& text, bool aspectarian);

// Days written YYYY-MM-DD and the day arithmetic.
void IsoDays(const std::string& text);

// The program folder chosen from --dir, $XDG_DATA_HOME and $HOME.
void ProgramFolderChoice(const std::string& bytes);

// Positions read from a damaged sepl_18.se1.
void DamagedEphemerisFile(const std::string& bytes);

}  // namespace novarel::fuzz
