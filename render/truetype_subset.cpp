#include "render/truetype_subset.h"

#include <algorithm>

namespace novarel::render {
namespace {

std::uint32_t Read(const std::string& data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
    return value;
}

void Write(std::string& data, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i, value >>= 8)
        data[at + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
}

void Append(std::string& data, std::uint32_t value, int bytes) {
    data.append(static_cast<std::size_t>(bytes), '\0');
    Write(data, data.size() - static_cast<std::size_t>(bytes), value, bytes);
}

// Composite glyph flags: which arguments follow a component's glyph index.
constexpr std::uint32_t ArgsAreWords = 0x1;
constexpr std::uint32_t HasScale = 0x8;
constexpr std::uint32_t MoreComponents = 0x20;
constexpr std::uint32_t HasXYScale = 0x40;
constexpr std::uint32_t HasTwoByTwo = 0x80;

// The offsets of the glyph index of each component of a composite glyph.
std::vector<std::size_t> ComponentIndexes(const std::string& glyph) {
    std::vector<std::size_t> at;
    if (glyph.size() < 10 || static_cast<std::int16_t>(Read(glyph, 0, 2)) >= 0) return at;
    std::size_t p = 10;
    std::uint32_t flags = MoreComponents;
    while ((flags & MoreComponents) != 0 && p + 4 <= glyph.size()) {
        flags = Read(glyph, p, 2);
        at.push_back(p + 2);
        p += 4 + ((flags & ArgsAreWords) != 0 ? 4 : 2);
        if ((flags & HasScale) != 0)
            p += 2;
        else if ((flags & HasXYScale) != 0)
            p += 4;
        else if ((flags & HasTwoByTwo) != 0)
            p += 8;
    }
    return at;
}

}  // namespace

std::string TrueTypeFile(const FontTables& tables) {
    std::string file;
    const auto count = static_cast<std::uint32_t>(tables.size());
    std::uint32_t power = 1;
    std::uint32_t log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    Append(file, 0x00010000, 4);
    Append(file, count, 2);
    Append(file, power * 16, 2);
    Append(file, log2, 2);
    Append(file, count * 16 - power * 16, 2);
    std::uint32_t offset = 12 + 16 * count;
    for (const auto& [tag, data] : tables) {
        std::string padded = data;
        padded.append((4 - data.size() % 4) % 4, '\0');
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < padded.size(); i += 4) sum += Read(padded, i, 4);
        file += tag.substr(0, 4);
        Append(file, sum, 4);
        Append(file, offset, 4);
        Append(file, static_cast<std::uint32_t>(data.size()), 4);
        offset += static_cast<std::uint32_t>(padded.size());
    }
    for (const auto& [tag, data] : tables) {
        file += data;
        file.append((4 - data.size() % 4) % 4, '\0');
    }
    return file;
}

std::optional<FontTables> TrueTypeTables(const std::string& file) {
    if (file.size() < 12) return std::nullopt;
    const std::uint32_t version = Read(file, 0, 4);
    if (version != 0x00010000 && version != 0x74727565) return std::nullopt;
    const std::size_t count = Read(file, 4, 2);
    if (file.size() < 12 + 16 * count) return std::nullopt;
    FontTables tables;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t record = 12 + 16 * i;
        const std::size_t offset = Read(file, record + 8, 4);
        const std::size_t length = Read(file, record + 12, 4);
        if (offset > file.size() || length > file.size() - offset) return std::nullopt;
        tables[file.substr(record, 4)] = file.substr(offset, length);
    }
    return tables;
}

std::optional<std::string> TrueTypeSubset(const FontTables& tables,
                                          const std::vector<std::uint16_t>& glyphs) {
    for (const char* tag : {"head", "hhea", "hmtx", "loca", "glyf", "maxp"})
        if (tables.count(tag) == 0) return std::nullopt;
    const std::string& head = tables.at("head");
    const std::string& hhea = tables.at("hhea");
    const std::string& hmtx = tables.at("hmtx");
    const std::string& loca = tables.at("loca");
    const std::string& glyf = tables.at("glyf");
    const std::string& maxp = tables.at("maxp");
    if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6) return std::nullopt;
    const std::size_t count = Read(maxp, 4, 2);
    const std::size_t metrics = Read(hhea, 34, 2);
    const bool longLoca = Read(head, 50, 2) != 0;
    if (metrics == 0 || metrics > count || hmtx.size() < 4 * metrics + 2 * (count - metrics) ||
        loca.size() < (count + 1) * (longLoca ? 4 : 2))
        return std::nullopt;
    const auto outline = [&](std::size_t g) {
        const std::size_t from = longLoca ? Read(loca, 4 * g, 4) : 2 * Read(loca, 2 * g, 2);
        const std::size_t to = longLoca ? Read(loca, 4 * g + 4, 4) : 2 * Read(loca, 2 * g + 2, 2);
        return from <= to && to <= glyf.size() ? glyf.substr(from, to - from) : std::string();
    };

    // Glyph 0, the glyphs asked for, then the parts of composite glyphs.
    std::vector<std::uint16_t> order{0};
    std::vector<int> renumbered(count, -1);
    renumbered[0] = 0;
    const auto take = [&](std::uint32_t g) {
        if (g >= count) return false;
        if (renumbered[g] < 0) {
            renumbered[g] = static_cast<int>(order.size());
            order.push_back(static_cast<std::uint16_t>(g));
        }
        return true;
    };
    for (const std::uint16_t g : glyphs)
        if (!take(g)) return std::nullopt;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string glyph = outline(order[i]);
        for (const std::size_t at : ComponentIndexes(glyph))
            if (!take(Read(glyph, at, 2))) return std::nullopt;
    }

    std::string newGlyf;
    std::string newLoca;
    std::string newHmtx;
    for (const std::uint16_t glyphIndex : order) {
        const std::size_t g = glyphIndex;
        std::string glyph = outline(g);
        for (const std::size_t at : ComponentIndexes(glyph))
            Write(glyph, at, static_cast<std::uint32_t>(renumbered[Read(glyph, at, 2)]), 2);
        Append(newLoca, static_cast<std::uint32_t>(newGlyf.size()), 4);
        newGlyf += glyph;
        newGlyf.append((4 - glyph.size() % 4) % 4, '\0');
        const std::size_t m = std::min<std::size_t>(g, metrics - 1);
        Append(newHmtx, Read(hmtx, 4 * m, 2), 2);
        Append(newHmtx, Read(hmtx, g < metrics ? 4 * g + 2 : 4 * metrics + 2 * (g - metrics), 2),
               2);
    }
    Append(newLoca, static_cast<std::uint32_t>(newGlyf.size()), 4);

    FontTables subset = tables;
    subset["glyf"] = newGlyf;
    subset["loca"] = newLoca;
    subset["hmtx"] = newHmtx;
    Write(subset["head"], 8, 0, 4);   // the whole file's check sum: not kept
    Write(subset["head"], 50, 1, 2);  // long offsets in loca
    Write(subset["hhea"], 34, static_cast<std::uint32_t>(order.size()), 2);
    Write(subset["maxp"], 4, static_cast<std::uint32_t>(order.size()), 2);
    // Tables that speak of glyphs by their old numbers go.
    for (const char* tag : {"cmap", "post", "hdmx", "LTSH", "VDMX", "kern", "GSUB", "GPOS", "GDEF"})
        subset.erase(tag);
    return TrueTypeFile(subset);
}

}  // namespace novarel::render
