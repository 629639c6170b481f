#include "registry_section.h"

#include "decimal_text.h"
#include "install_names.h"
#include "package_format.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <algorithm>
#include <vector>

using namespace package_format;

namespace {

bool contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

bool ends_values_block(std::string_view token) { return contains(token, values_block_end); }

class SectionReader {
public:
    SectionReader(PackageCursor& cursor, RegistryKeyTree& keys, RegistryValueList& values)
        : cursor_(cursor), keys_(keys), values_(values)
    {
    }

    bool read_records();

private:
    struct KnownKey {
        std::int32_t id;
        const RegistryKeyNode* node;
        int level;  // 0 for a root
    };

    // The known key with that id, or where it would go in the list, which is kept in id order.
    std::vector<KnownKey>::iterator find_known_key(std::int32_t id)
    {
        return std::lower_bound(known_keys_.begin(), known_keys_.end(), id,
                                [](const KnownKey& key, std::int32_t wanted) { return key.id < wanted; });
    }
    bool is_known(std::vector<KnownKey>::iterator key, std::int32_t id) const
    {
        return key != known_keys_.end() && key->id == id;
    }

    std::optional<std::string> read_token() { return cursor_.read_text(registry_token_limit); }
    std::optional<std::int32_t> read_id();
    std::unique_ptr<RegistryKeyNode> read_key_node();
    bool read_root_record();
    bool read_child_record();
    bool add_known_key(const RegistryKeyNode* parent, std::unique_ptr<RegistryKeyNode> node, int level);
    bool read_values_block(const RegistryKeyNode* node);
    bool read_value_data(std::string_view type, RegistryValueEntry& value);

    PackageCursor& cursor_;
    RegistryKeyTree& keys_;
    RegistryValueList& values_;
    // Sorted by id, instead of a hash table that costs the setup image 2 KB. The package builder
    // numbers keys in the order it writes them, so each new key goes to the end.
    std::vector<KnownKey> known_keys_;
};

bool SectionReader::read_records()
{
    for (;;) {
        std::optional<std::string> token = read_token();
        if (!token) return false;
        if (contains(*token, root_record)) {
            if (!read_root_record()) return false;
        } else if (contains(*token, child_record)) {
            if (!read_child_record()) return false;
        } else if (contains(*token, registry_section_end)) {
            return true;
        }
        // Any other token between records is skipped.
    }
}

std::optional<std::int32_t> SectionReader::read_id()
{
    std::optional<std::string> token = read_token();
    if (!token) return std::nullopt;
    return signed_decimal_from_text(*token);
}

std::unique_ptr<RegistryKeyNode> SectionReader::read_key_node()
{
    std::optional<std::string> name = cursor_.read_text(key_name_limit);
    if (!name || registry_key_name_fault(*name) != NameFault::none) return nullptr;
    auto node = std::make_unique<RegistryKeyNode>();
    node->key_name = std::move(*name);
    node->key_flag = 1;
    return node;
}

bool SectionReader::read_root_record()
{
    std::unique_ptr<RegistryKeyNode> node = read_key_node();
    if (!node) return false;
    std::optional<std::int32_t> id = read_id();
    if (!id) return false;
    node->key_id = *id;
    const RegistryKeyNode* added = node.get();
    return add_known_key(nullptr, std::move(node), 0) && read_values_block(added);
}

bool SectionReader::read_child_record()
{
    std::optional<std::int32_t> parent_id = read_id();
    if (!parent_id) return false;
    std::unique_ptr<RegistryKeyNode> node = read_key_node();
    if (!node) return false;
    std::optional<std::int32_t> id = read_id();
    if (!id) return false;
    node->key_id = *id;
    auto parent = find_known_key(*parent_id);
    if (!is_known(parent, *parent_id)) return false;  // no earlier key has that id
    const RegistryKeyNode* added = node.get();
    return add_known_key(parent->node, std::move(node), parent->level + 1) && read_values_block(added);
}

bool SectionReader::add_known_key(const RegistryKeyNode* parent, std::unique_ptr<RegistryKeyNode> node, int level)
{
    std::int32_t id = node->key_id;
    auto place = find_known_key(id);
    if (level > deepest_key_level || is_known(place, id)) return false;
    const RegistryKeyNode* added = keys_.add_key(parent, std::move(node));
    if (!added) return false;
    known_keys_.insert(place, KnownKey{id, added, level});
    return true;
}

bool SectionReader::read_values_block(const RegistryKeyNode* node)
{
    if (!read_token()) return false;  // the block's first token carries nothing
    for (;;) {
        std::optional<std::string> name = read_token();
        if (!name) return false;
        if (ends_values_block(*name)) return true;
        if (registry_value_name_fault(*name) != NameFault::none) return false;
        auto value = std::make_unique<RegistryValueEntry>();
        value->value_name = std::move(*name);
        std::optional<std::string> type = read_token();
        if (!type) return false;
        if (ends_values_block(*type)) return true;  // the value just begun is dropped
        if (!read_value_data(*type, *value)) return false;
        value->owner_key = node;
        values_.append_value(std::move(value));
    }
}

bool SectionReader::read_value_data(std::string_view type, RegistryValueEntry& value)
{
    if (contains(type, string_type)) {
        std::optional<std::string> data = read_token();
        if (!data) return false;
        value.string_data = std::move(*data);
        value.is_string = true;
    } else if (contains(type, dword_type)) {
        std::optional<std::string> data = read_token();
        if (!data) return false;
        value.dword_data = unsigned_decimal_from_text(*data);
        value.is_dword = true;
    } else if (contains(type, binary_type)) {
        std::optional<std::span<const std::uint8_t>> data = cursor_.read_raw_block();
        if (!data) return false;
        value.binary_data.assign(data->begin(), data->end());
        value.binary_size = static_cast<std::uint32_t>(data->size());
        value.is_binary = true;
    }
    // A type named nowhere above carries no data; the value keeps no kind.
    return true;
}

} // namespace

bool read_registry_section(PackageCursor& cursor, RegistryKeyTree& keys, RegistryValueList& values)
{
    return SectionReader(cursor, keys, values).read_records();
}
