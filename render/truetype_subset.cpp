#include "render/truetype_subset.h"

#include <hb-subset.h>
#include <hb.h>

#include <memory>

namespace novarel::render {
namespace {

template <typename T, void (*Destroy)(T*)>
struct Deleter {
    void operator()(T* p) const { Destroy(p); }
};
using Blob = std::unique_ptr<hb_blob_t, Deleter<hb_blob_t, hb_blob_destroy>>;
using Face = std::unique_ptr<hb_face_t, Deleter<hb_face_t, hb_face_destroy>>;
using Input =
    std::unique_ptr<hb_subset_input_t, Deleter<hb_subset_input_t, hb_subset_input_destroy>>;
using Plan = std::unique_ptr<hb_subset_plan_t, Deleter<hb_subset_plan_t, hb_subset_plan_destroy>>;

hb_tag_t Tag(const std::string& tag) {
    return hb_tag_from_string(tag.data(), static_cast<int>(tag.size()));
}

std::string Bytes(hb_blob_t* blob) {
    unsigned int length = 0;
    const char* data = hb_blob_get_data(blob, &length);
    return {data, length};
}

// The tables a Type 42 font draws its glyphs from.
bool HasOutlines(hb_face_t* face) {
    for (const char* tag : {"glyf", "head", "hhea", "hmtx", "loca", "maxp"}) {
        const Blob table(hb_face_reference_table(face, Tag(tag)));
        if (hb_blob_get_length(table.get()) == 0) return false;
    }
    return true;
}

}  // namespace

std::string TrueTypeFile(const FontTables& tables) {
    const Face builder(hb_face_builder_create());
    for (const auto& [tag, data] : tables) {
        const Blob table(hb_blob_create(data.data(), static_cast<unsigned int>(data.size()),
                                        HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr));
        hb_face_builder_add_table(builder.get(), Tag(tag), table.get());
    }
    const Blob file(hb_face_reference_blob(builder.get()));
    return Bytes(file.get());
}

std::optional<TrueTypeSubset> SubsetTrueType(const std::string& file,
                                             const std::vector<std::uint16_t>& glyphs) {
    const Blob blob(hb_blob_create(file.data(), static_cast<unsigned int>(file.size()),
                                   HB_MEMORY_MODE_READONLY, nullptr, nullptr));
    const Face face(hb_face_create(blob.get(), 0));
    if (!HasOutlines(face.get())) return std::nullopt;
    const unsigned int count = hb_face_get_glyph_count(face.get());

    const Input input(hb_subset_input_create_or_fail());
    if (!input) return std::nullopt;
    hb_set_t* kept = hb_subset_input_glyph_set(input.get());
    hb_set_add(kept, 0);
    for (const std::uint16_t g : glyphs) {
        if (g >= count) return std::nullopt;
        hb_set_add(kept, g);
    }
    // Glyphs are drawn by number, one at a time: no character map, names,
    // substitutions or positioning, which could also pull in other glyphs.
    hb_set_t* dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char* tag : {"cmap", "post", "GSUB", "GPOS", "GDEF", "kern", "hdmx", "VDMX"})
        hb_set_add(dropped, Tag(tag));
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NOTDEF_OUTLINE);

    const Plan plan(hb_subset_plan_create_or_fail(face.get(), input.get()));
    if (!plan) return std::nullopt;
    const Face subset(hb_subset_plan_execute_or_fail(plan.get()));
    if (!subset || !HasOutlines(subset.get())) return std::nullopt;
    TrueTypeSubset result;
    const Blob bytes(hb_face_reference_blob(subset.get()));
    result.file = Bytes(bytes.get());
    const hb_map_t* renumbered = hb_subset_plan_old_to_new_glyph_mapping(plan.get());
    for (hb_codepoint_t g = 0; g < count; ++g)
        if (const hb_codepoint_t to = hb_map_get(renumbered, g); to != HB_MAP_VALUE_INVALID)
            result.glyphs[static_cast<std::uint16_t>(g)] = static_cast<std::uint16_t>(to);
    return result;
}

}  // namespace novarel::render
