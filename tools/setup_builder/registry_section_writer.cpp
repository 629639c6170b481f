#include "registry_section_writer.h"

#include "package_format.h"
#include "package_encoding.h"

#include <stdexcept>
#include <string>

namespace builder {

using namespace package_format;

namespace {

void append_token(Bytes& out, std::string_view token)
{
    if (token.size() > registry_token_limit)
        throw std::invalid_argument("a registry text is longer than " + std::to_string(registry_token_limit) +
                                    " characters");
    append_text(out, token);
}

void append_key_name(Bytes& out, std::string_view name)
{
    if (name.size() > key_name_limit)
        throw std::invalid_argument("a registry key name is longer than " + std::to_string(key_name_limit) +
                                    " characters");
    append_token(out, name);
}

void append_value(Bytes& out, const RegistryValueEntry& value)
{
    if (value.value_name.find(values_block_end) != std::string::npos)
        throw std::invalid_argument("a registry value name holds " + std::string(values_block_end));
    append_token(out, value.value_name);
    switch (value.kind) {
    case RegistryValueKind::string:
        append_token(out, string_type);
        append_token(out, value.string_data);
        break;
    case RegistryValueKind::dword:
        append_token(out, dword_type);
        append_token(out, std::to_string(value.dword_data));
        break;
    case RegistryValueKind::binary:
        append_token(out, binary_type);
        append_raw_block(out, value.binary_data);
        break;
    }
}

void append_values_block(Bytes& out, const std::vector<RegistryValueEntry>& values)
{
    append_token(out, values_block_start);
    for (const RegistryValueEntry& value : values) append_value(out, value);
    append_token(out, values_block_end);
}

void append_children(Bytes& out, const RegistryKeyNode& parent, int parent_id, int& next_id)
{
    for (const RegistryKeyNode& child : parent.children) {
        int id = next_id++;
        append_token(out, child_record);
        append_token(out, std::to_string(parent_id));
        append_key_name(out, child.key_name);
        append_token(out, std::to_string(id));
        append_values_block(out, child.values);
        append_children(out, child, id, next_id);
    }
}

} // namespace

void append_registry_section(Bytes& out, const std::vector<RegistryKeyNode>& roots)
{
    append_token(out, registry_section_start);
    int next_id = 1;
    for (const RegistryKeyNode& root : roots) {
        int id = next_id++;
        append_token(out, root_record);
        append_key_name(out, root.key_name);
        append_token(out, std::to_string(id));
        append_values_block(out, root.values);
        append_children(out, root, id, next_id);
    }
    append_token(out, registry_section_end);
}

} // namespace builder
