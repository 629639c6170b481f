// Fuzz entry of the package builder's manifest parser. Any text must either be refused with a
// BuildError that names a line of the text, or parse to a manifest whose package the setup
// program reads back as the manifest said: the builder checks everything that can be checked
// without opening a file, so no later stage may refuse it. The files the manifest names are
// not read: each gets its source path as contents, and the texts and pictures stay empty.
#include "Configure.h"
#include "build_error.h"
#include "description_writer.h"
#include "fuzz_checks.h"
#include "manifest.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The names the product's build defines, so that its manifest parses as it does there.
const builder::Defines& build_defines()
{
    static const builder::Defines defines = {{"UNINSTALL", "build/uninstall/uninstall.exe"},
                                             {"ZELTAX", "build/estimator/zeltax.exe"}};
    return defines;
}

void check_refusal(const BuildError& error, std::string_view text)
{
    auto lines = std::ranges::count(text, '\n') + 1;
    require(error.line() >= 1 && error.line() <= lines);
    require(*error.what() != '\0');
}

// What the source loader would give, from memory instead of files.
builder::SetupDescription loaded_in_memory(const builder::Manifest& manifest)
{
    require(manifest.file_sources.size() == manifest.description.files.size());
    builder::SetupDescription description = manifest.description;
    for (std::size_t i = 0; i < description.files.size(); ++i) {
        const std::string& path = manifest.file_sources[i].path;
        require(!path.empty());
        description.files[i].contents.assign(path.begin(), path.end());
        description.files[i].time_low = 1262304000;
    }
    return description;
}

void check_files(const std::vector<builder::FileEntry>& written, const SetupDescription& read)
{
    require(read.files.size() == written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        require(read.files[i].name == written[i].name && read.files[i].subdirectory == written[i].subdirectory);
        require(read.files[i].shortcut_name == written[i].shortcut_name);
        require(read.files[i].target_folder == written[i].target_folder);
    }
}

void check_extensions(const std::vector<builder::ExtensionEntry>& written, const SetupDescription& read)
{
    require(read.extensions.size() == written.size());
    for (std::size_t i = 0; i < written.size(); ++i)
        require(read.extensions[i].extension == written[i].extension &&
                read.extensions[i].file_index == written[i].file_index);
}

// The key trees side by side, depth first; counts the values the builder wrote.
void check_keys(const std::vector<builder::RegistryKeyNode>& written, const RegistryKeyTree& read,
                const RegistryKeyNode* parent, std::size_t& values)
{
    ListSnapshot<const RegistryKeyNode> children = read.children_of(parent);
    require(children.size() == written.size());
    std::size_t i = 0;
    for (const RegistryKeyNode* child : children) {
        require(child->key_name == written[i].key_name);
        values += written[i].values.size();
        check_keys(written[i].children, read, child, values);
        ++i;
    }
}

void check_package(const builder::SetupDescription& written)
{
    builder::Bytes package = builder::write_package(written);
    SetupDescription read;
    require(read_setup_description(package, read));
    check_files(written.files, read);
    check_extensions(written.extensions, read);
    std::size_t values = 0;
    check_keys(written.registry_keys, read.registry_keys, nullptr, values);
    require(read.registry_values.count() == values);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text = text_of(data, size);
    builder::Manifest manifest;
    try {
        manifest = builder::parse_manifest(text, build_defines());
    } catch (const BuildError& error) {
        check_refusal(error, text);
        return 0;
    }
    check_package(loaded_in_memory(manifest));
    return 0;
}
