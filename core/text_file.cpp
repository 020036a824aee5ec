#include "core/text_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/replacement_file.h"
#include "core/text_lines.h"

namespace novarel {

bool IsTooLargeToRead(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    return !ec && size > MaxTextFileBytes;
}

std::string TooLargeText(const std::string& path) { return path + " is larger than 1 MiB"; }

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // At most one byte past the limit is read, whatever the file's size says
    // (it may grow while it is read).
    std::string bytes;
    char chunk[1 << 14];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > MaxTextFileBytes) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return TextLines(*bytes);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, int* error) {
    ReplacementFile file;
    const bool ok = file.create(path) && file.write(bytes) && file.commit();
    if (ok) SyncFolder(FolderOf(path));
    if (error != nullptr) *error = file.error();
    return ok;
}

bool FileExists(const std::string& path) { return ReadWholeFile(path).has_value(); }

}  // namespace novarel
