#include "registry_listing.h"

#include "listing_values.h"

namespace builder {

namespace {

std::size_t count_keys(const RegistryKeyTree& keys, const RegistryKeyNode* parent)
{
    std::size_t count = 0;
    for (const RegistryKeyNode* child : keys.children_of(parent)) count += 1 + count_keys(keys, child);
    return count;
}

std::string value_data_text(const RegistryValueEntry& value)
{
    if (value.is_string) return "STRING " + quoted_text(value.string_data);
    if (value.is_dword) return "DWORD " + std::to_string(value.dword_data) + " (" + hex_u32(value.dword_data) + ")";
    if (value.is_binary) {
        std::string size = "BINARY " + std::to_string(value.binary_size) + " bytes";
        return value.binary_data.empty() ? size : size + ": " + hex_bytes(value.binary_data);
    }
    return "no known type, no data";
}

void list_values_of(const RegistryKeyNode* key, const ListSnapshot<const RegistryValueEntry>& values,
                    ListingLines& lines)
{
    for (const RegistryValueEntry* value : values)
        if (value->owner_key == key)
            lines.line("value " + quoted_text(value->value_name) + ": " + value_data_text(*value));
}

std::string key_text(const RegistryKeyNode& key)
{
    return "key " + quoted_text(key.key_name) + " (key_id " + std::to_string(key.key_id) + ", key_flag " +
           std::to_string(key.key_flag) + ")";
}

// Recurses once per key level; the section reader keeps trees within
// package_format::deepest_key_level.
void list_keys_below(const RegistryKeyTree& keys, const RegistryKeyNode* parent,
                     const ListSnapshot<const RegistryValueEntry>& values, ListingLines& lines)
{
    for (const RegistryKeyNode* key : keys.children_of(parent)) {
        lines.open(key_text(*key));
        list_values_of(key, values, lines);
        list_keys_below(keys, key, values, lines);
        lines.close();
    }
}

} // namespace

void list_registry(const RegistryKeyTree& keys, const RegistryValueList& values, ListingLines& lines)
{
    ListSnapshot<const RegistryValueEntry> all_values = values.values();
    lines.open("registry: " + std::to_string(count_keys(keys, nullptr)) + " keys, " +
               std::to_string(all_values.size()) + " values");
    list_keys_below(keys, nullptr, all_values, lines);
    lines.close();
}

} // namespace builder
