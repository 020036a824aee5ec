#pragma once
// Reading and writing the program's small text files, with failures as values.
#include <optional>
#include <string>
#include <vector>

namespace novarel {

// Lines of a text file: split at LF, a CR before it dropped. nullopt when the
// path cannot be read as a file (missing, a folder, no permission).
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// The whole file as bytes; nullopt when it cannot be read as a file.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replace the file with these bytes; false when it cannot be created or written.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// True when the path names a file that can be opened for reading.
bool FileExists(const std::string& path);

}  // namespace novarel
