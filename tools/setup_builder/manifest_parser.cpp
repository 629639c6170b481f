#include "manifest.h"

#include "build_error.h"
#include "package_format.h"
#include "manifest_block.h"
#include "name_rules.h"
#include "registry_tree.h"
#include "text_case.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace builder {

using namespace package_format;

namespace {

template <class Record>
struct FlagKey {
    std::string_view key;
    bool Record::*member;
};

template <class Record>
struct TextKey {
    std::string_view key;
    std::string Record::*member;
};

const FlagKey<SetupDescription> setup_flags[] = {
    {"show_welcome_page", &SetupDescription::show_welcome_page},
    {"create_program_group", &SetupDescription::create_program_group},
    {"make_uninstall", &SetupDescription::make_uninstall},
    {"show_license_page", &SetupDescription::show_license_page},
    {"recommend_reboot", &SetupDescription::recommend_reboot},
    {"allow_windows_95", &SetupDescription::allow_windows_95},
    {"allow_windows_98", &SetupDescription::allow_windows_98},
    {"allow_windows_me", &SetupDescription::allow_windows_me},
    {"allow_windows_nt351", &SetupDescription::allow_windows_nt351},
    {"allow_windows_nt4", &SetupDescription::allow_windows_nt4},
    {"allow_windows_2000", &SetupDescription::allow_windows_2000},
    {"allow_windows_xp", &SetupDescription::allow_windows_xp},
    {"allow_windows_server_2003", &SetupDescription::allow_windows_server_2003},
    {"allow_windows_vista", &SetupDescription::allow_windows_vista},
    {"require_ie5", &SetupDescription::require_ie5},
};

const TextKey<SetupDescription> setup_texts[] = {
    {"directory_name", &SetupDescription::directory_name},
    {"default_location", &SetupDescription::default_location},
    {"program_group_name", &SetupDescription::program_group_name},
};

const FlagKey<FileEntry> file_flags[] = {
    {"startup_shortcut", &FileEntry::startup_shortcut},
    {"group_shortcut", &FileEntry::group_shortcut},
    {"desktop_shortcut", &FileEntry::desktop_shortcut},
    {"use_subdirectory", &FileEntry::use_subdirectory},
    {"start_after_install", &FileEntry::start_after_install},
    {"self_register", &FileEntry::self_register},
    {"run_during_install", &FileEntry::run_during_install},
};

const TextKey<FileEntry> file_texts[] = {
    {"shortcut_name", &FileEntry::shortcut_name},
    {"subdirectory", &FileEntry::subdirectory},
    {"run_arguments", &FileEntry::run_arguments},
    {"start_arguments", &FileEntry::start_arguments},
};

template <class Record, std::size_t F, std::size_t T, std::size_t O>
std::vector<std::string_view> keys_of(const FlagKey<Record> (&flags)[F], const TextKey<Record> (&texts)[T],
                                      const std::string_view (&others)[O])
{
    std::vector<std::string_view> keys(std::begin(others), std::end(others));
    for (const auto& flag : flags) keys.push_back(flag.key);
    for (const auto& text : texts) keys.push_back(text.key);
    return keys;
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// An extension waits for the whole file table before its program is looked up.
struct PendingExtension {
    ExtensionEntry entry;
    std::string program;
    int program_line = 0;
};

class ManifestParser {
public:
    explicit ManifestParser(const Defines& defines) : defines_(defines) {}

    Manifest parse(std::string_view text)
    {
        std::vector<ManifestBlock> blocks = group_manifest_blocks(split_manifest_lines(text), defines_);
        read_setup_settings(blocks.front());
        for (std::size_t i = 1; i < blocks.size(); ++i) read_section(blocks[i]);
        resolve_extensions();
        return std::move(manifest_);
    }

private:
    void read_setup_settings(const ManifestBlock& block)
    {
        constexpr std::string_view other_keys[] = {"format_marker", "welcome_text_file", "license_text_file",
                                                   "page_picture_file", "welcome_picture_file"};
        BlockReader reader(block, keys_of(setup_flags, setup_texts, other_keys));
        SetupDescription& d = manifest_.description;
        d.format_marker = reader.text("format_marker");
        if (d.format_marker.size() > format_marker_limit)
            reader.fail("format_marker", "is longer than " + std::to_string(format_marker_limit) + " characters");
        for (const auto& [key, member] : setup_flags) d.*member = reader.flag(key);
        for (const auto& [key, member] : setup_texts) d.*member = reader.text(key);
        for (std::string_view key : {"directory_name", "default_location"})
            if (std::optional<std::string> problem = path_text_problem(reader.text(key)))
                reader.fail(key, quoted(reader.text(key)) + " cannot be part of a path: " + *problem);
        if (std::optional<std::string> problem = program_group_problem(d.program_group_name, d.create_program_group))
            reader.fail("program_group_name",
                        quoted(d.program_group_name) + " is not a program group folder: " + *problem);
        manifest_.welcome_text_file = reader.optional_source("welcome_text_file");
        manifest_.license_text_file = reader.optional_source("license_text_file");
        manifest_.page_picture_file = reader.optional_source("page_picture_file");
        manifest_.welcome_picture_file = reader.optional_source("welcome_picture_file");
    }

    void read_section(const ManifestBlock& block)
    {
        if (block.section == "file")
            read_file(block);
        else if (block.section == "extension")
            read_extension(block);
        else if (block.section == "key")
            read_key(block);
        else if (block.section == "value")
            read_value(block);
        else
            throw BuildError(block.line, "unknown section [" + block.section +
                                             "]; sections are [file], [extension], [key] and [value]");
    }

    void read_file(const ManifestBlock& block)
    {
        constexpr std::string_view other_keys[] = {"name", "source", "target_folder"};
        BlockReader reader(block, keys_of(file_flags, file_texts, other_keys));
        FileEntry file;
        file.name = reader.text("name");
        if (std::optional<std::string> problem = file_name_problem(file.name))
            reader.fail("name", quoted(file.name) + " is not a plain file name: " + *problem);
        check_unique_file_name(file.name, reader.find("name")->line);
        SourceRef source = reader.source("source");
        file.target_folder = reader.number("target_folder");
        if (file.target_folder > 3)
            reader.fail("target_folder", "must be 0, 1, 2 or 3, not " + std::to_string(file.target_folder));
        for (const auto& [key, member] : file_flags) file.*member = reader.flag_or(key, false);
        for (const auto& [key, member] : file_texts) file.*member = reader.text_or(key, "");
        check_file_folder(reader, file);
        check_shortcut_name(reader, file);
        manifest_.description.files.push_back(std::move(file));
        manifest_.file_sources.push_back(std::move(source));
    }

    void check_unique_file_name(const std::string& name, int line)
    {
        auto [earlier, added] = file_name_lines_.emplace(lower_case(name), line);
        if (!added)
            throw BuildError(line, "duplicate file name " + quoted(name) + " (first at line " +
                                       std::to_string(earlier->second) + ")");
    }

    static void check_file_folder(const BlockReader& reader, const FileEntry& file)
    {
        if (std::optional<std::string> problem = subdirectory_problem(file.subdirectory))
            reader.fail("subdirectory", quoted(file.subdirectory) + " must lie below the target folder: " + *problem);
        if (file.use_subdirectory && file.subdirectory.empty())
            reader.fail("use_subdirectory", "is 1 but subdirectory is empty");
    }

    // A shortcut is a file named after `shortcut_name`; without a name it would be ".lnk".
    static void check_shortcut_name(const BlockReader& reader, const FileEntry& file)
    {
        if (std::optional<std::string> problem = shortcut_name_problem(file.shortcut_name))
            reader.fail("shortcut_name", quoted(file.shortcut_name) + " cannot name a shortcut: " + *problem);
        if ((file.startup_shortcut || file.group_shortcut || file.desktop_shortcut) && file.shortcut_name.empty())
            reader.fail("shortcut_name", "is empty, yet a shortcut is asked for");
    }

    void read_extension(const ManifestBlock& block)
    {
        BlockReader reader(block, {"extension", "program"});
        PendingExtension pending;
        pending.entry.extension = reader.text("extension");
        if (std::optional<std::string> problem = extension_problem(pending.entry.extension))
            reader.fail("extension", quoted(pending.entry.extension) + " is not an extension: " + *problem);
        pending.program = reader.text("program");
        pending.program_line = reader.find("program")->line;
        extensions_.push_back(std::move(pending));
    }

    void resolve_extensions()
    {
        const std::vector<FileEntry>& files = manifest_.description.files;
        for (PendingExtension& pending : extensions_) {
            auto program = std::ranges::find_if(files, [&](const FileEntry& f) {
                return equal_ignoring_case(f.name, pending.program);
            });
            if (program == files.end())
                throw BuildError(pending.program_line,
                                 "program: " + quoted(pending.program) + " is not the name of a [file] entry");
            if (program == files.begin())
                throw BuildError(pending.program_line,
                                 "program: " + quoted(pending.program) +
                                     " is the first [file] entry, which a package cannot name as the program of "
                                     "an extension; put another file first");
            pending.entry.file_index = static_cast<std::uint32_t>(program - files.begin());
            manifest_.description.extensions.push_back(pending.entry);
        }
    }

    static std::vector<std::string> read_key_path(const BlockReader& reader)
    {
        std::string path = reader.text("key_path");
        std::vector<std::string> levels = split_key_path(path);
        if (std::optional<std::string> problem = key_path_problem(levels))
            reader.fail("key_path", quoted(path) + " is not a registry key: " + *problem);
        return levels;
    }

    void read_key(const ManifestBlock& block)
    {
        BlockReader reader(block, {"key_path"});
        find_or_add_key(manifest_.description.registry_keys, read_key_path(reader));
    }

    void read_value(const ManifestBlock& block)
    {
        BlockReader reader(block, {"key_path", "name", "type", "data"});
        std::vector<std::string> levels = read_key_path(reader);
        RegistryValueEntry value;
        value.value_name = reader.text("name");
        check_value_name(reader, value.value_name);
        read_value_data(reader, value);
        check_unique_value(levels, value.value_name, reader.find("name")->line);
        find_or_add_key(manifest_.description.registry_keys, levels).values.push_back(std::move(value));
    }

    static void check_token_length(const BlockReader& reader, std::string_view key, const std::string& text)
    {
        if (text.size() > registry_token_limit)
            reader.fail(key, "is longer than " + std::to_string(registry_token_limit) + " characters");
    }

    static void check_value_name(const BlockReader& reader, const std::string& name)
    {
        check_token_length(reader, "name", name);
        if (name.find(values_block_end) != std::string::npos)
            reader.fail("name", "holds " + std::string(values_block_end) +
                                    ", which would end the values of its key early");
        if (std::optional<std::string> problem = value_name_problem(name))
            reader.fail("name", quoted(name) + " is not a value name: " + *problem);
    }

    static void read_value_data(const BlockReader& reader, RegistryValueEntry& value)
    {
        std::string type = reader.text("type");
        std::string data = reader.text("data");
        if (type == "STRING") {
            value.kind = RegistryValueKind::string;
            check_token_length(reader, "data", data);
            value.string_data = data;
        } else if (type == "DWORD") {
            value.kind = RegistryValueKind::dword;
            std::optional<std::uint32_t> number = parse_u32(data);
            if (!number) reader.fail("data", quoted(data) + " is not a number from 0 to 4294967295");
            value.dword_data = *number;
        } else if (type == "BINARY") {
            value.kind = RegistryValueKind::binary;
            std::optional<Bytes> bytes = parse_hex_bytes(data);
            if (!bytes) reader.fail("data", quoted(data) + " is not hexadecimal bytes, as in \"01 A0 FF\"");
            value.binary_data = std::move(*bytes);
        } else {
            reader.fail("type", "must be STRING, DWORD or BINARY, not " + quoted(type));
        }
    }

    // Pairs of hexadecimal digits, blanks allowed between the pairs.
    static std::optional<Bytes> parse_hex_bytes(std::string_view text)
    {
        Bytes bytes;
        for (std::size_t i = 0; i < text.size();) {
            if (text[i] == ' ' || text[i] == '\t') {
                ++i;
                continue;
            }
            std::optional<std::uint32_t> byte =
                i + 1 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])) &&
                        std::isxdigit(static_cast<unsigned char>(text[i + 1]))
                    ? parse_u32("0x" + std::string(text.substr(i, 2)))
                    : std::nullopt;
            if (!byte) return std::nullopt;
            bytes.push_back(static_cast<std::uint8_t>(*byte));
            i += 2;
        }
        return bytes;
    }

    // Keys and value names are compared as the registry does, without regard to letter case.
    void check_unique_value(const std::vector<std::string>& levels, const std::string& name, int line)
    {
        std::string key;
        for (const std::string& level : levels) key += lower_case(level) + "\\";
        auto [earlier, added] = value_lines_.emplace(key + lower_case(name), line);
        if (!added)
            throw BuildError(line, "name: the key already has a value " + quoted(name) + " (line " +
                                       std::to_string(earlier->second) + ")");
    }

    const Defines& defines_;
    Manifest manifest_;
    std::map<std::string, int> file_name_lines_;
    std::vector<PendingExtension> extensions_;
    std::map<std::string, int> value_lines_;  // lower-case key path, "\\", value name
};

} // namespace

Manifest parse_manifest(std::string_view text, const Defines& defines)
{
    return ManifestParser(defines).parse(text);
}

} // namespace builder
