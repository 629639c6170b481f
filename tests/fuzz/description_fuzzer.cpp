// Fuzz entry of the setup description reader: any bytes must give false or a description that
// keeps every promise the installation relies on; anything else aborts.
#include "Configure.h"
#include "bitmap_image.h"
#include "fuzz_checks.h"
#include "install_names.h"
#include "package_format.h"

#include <set>

namespace {

bool lies_inside(std::uint64_t offset, std::uint64_t size, std::size_t package_size)
{
    return offset + size <= package_size;
}

void check_files(const SetupDescription& d, std::span<const std::uint8_t> package)
{
    require(d.files.size() == d.file_count && d.extensions.size() == d.extension_count);
    for (const FileEntry& file : d.files) {
        require(lies_inside(file.content_offset, file.content_size, package.size()));
        require(file_name_fault(file.name) == NameFault::none);
        require(subdirectory_fault(file.subdirectory) == NameFault::none);
        require(shortcut_name_fault(file.shortcut_name) == NameFault::none);
        require(file.target_folder <= target_installation_directory);
    }
    for (const ExtensionEntry& extension : d.extensions) {
        require(extension.file_index >= 1 && extension.file_index < d.file_count);
        require(extension.extension.size() <= package_format::extension_limit);
        require(extension_fault(extension.extension) == NameFault::none);
    }
    require(program_group_fault(d.program_group_name, d.create_program_group) == NameFault::none);
    require(control_character_fault(d.directory_name) == NameFault::none);
    require(control_character_fault(d.default_location) == NameFault::none);
    require(d.offer_associate == (d.extension_count != 0));
    require(!d.offer_program_group || d.create_program_group != 0);
}

void check_picture(std::uint32_t offset, std::uint32_t size, std::span<const std::uint8_t> package)
{
    if (size == 0) return;
    require(lies_inside(offset, size, package.size()));
    require(is_well_formed_bmp_image(package.subspan(offset, size)));
}

void collect_keys(const RegistryKeyTree& tree, const RegistryKeyNode* parent, std::set<const RegistryKeyNode*>& keys)
{
    for (const RegistryKeyNode* node : tree.children_of(parent)) {
        require(node->key_name.size() <= package_format::key_name_limit && node->key_flag == 1);
        require(registry_key_name_fault(node->key_name) == NameFault::none);
        require(keys.insert(node).second);
        collect_keys(tree, node, keys);
    }
}

void check_registry(const SetupDescription& d)
{
    std::set<const RegistryKeyNode*> keys;
    collect_keys(d.registry_keys, nullptr, keys);
    for (const RegistryValueEntry* value : d.registry_values.values()) {
        require(keys.contains(value->owner_key));
        require(registry_value_name_fault(value->value_name) == NameFault::none);
        require(int(value->is_string) + int(value->is_dword) + int(value->is_binary) <= 1);
        require(value->binary_data.size() == value->binary_size);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::span<const std::uint8_t> package(data, size);
    SetupDescription description;
    if (!read_setup_description(package, description)) return 0;
    check_files(description, package);
    check_picture(description.page_bitmap_offset, description.page_bitmap_size, package);
    check_picture(description.welcome_bitmap_offset, description.welcome_bitmap_size, package);
    check_registry(description);
    return 0;
}
