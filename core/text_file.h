#pragma once
// Reading and writing the program's small text files, with failures as values.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace novarel {

// The largest options, settings, ini or help file the program reads: these
// are a few kilobytes, and a bigger file is refused rather than loaded.
inline constexpr std::uintmax_t MaxTextFileBytes = std::uintmax_t{1} << 20;

// True when the path names a file larger than MaxTextFileBytes.
bool IsTooLargeToRead(const std::string& path);

// The message part that says why a file is refused: "... is larger than 1 MiB".
std::string TooLargeText(const std::string& path);

// Lines of a text file: split at LF, a CR before it dropped. nullopt when the
// path cannot be read as a file (missing, a folder, no permission, larger than MaxTextFileBytes).
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// The whole file as bytes; nullopt when it cannot be read as a file or is
// larger than MaxTextFileBytes.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file with these bytes, atomically (see ReplacementFile): a
// failure leaves the old file as it was. False when it cannot be written;
// error, when given, receives the errno.
bool WriteWholeFile(const std::string& path, const std::string& bytes, int* error = nullptr);

// True when the path names a file that can be opened for reading.
bool FileExists(const std::string& path);

}  // namespace novarel
