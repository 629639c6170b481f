#include "description_writer.h"
#include "package_encoding.h"
#include "package_format.h"
#include "registry_section_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace builder;
using namespace package_format;
using namespace std::string_literals;

namespace {

std::string as_text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Bytes as_bytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::string u32(std::uint32_t value)
{
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift);
    return bytes;
}

TEST(PackageBytes, PadsTextsToTheNextMultipleOfFourWithOneToFourZeros)
{
    struct Case {
        std::string text;
        std::string expected;
    } cases[] = {
        {"", "\0\0\0\0"s},
        {"a", "a\0\0\0"s},
        {"ab", "ab\0\0"s},
        {"abc", "abc\0"s},
        {"abcd", "abcd\0\0\0\0"s},
        {"abcde", "abcde\0\0\0"s},
    };
    for (const Case& c : cases) {
        Bytes out;
        append_text(out, c.text);
        EXPECT_EQ(as_text(out), c.expected) << "length " << c.text.size();
    }
}

TEST(PackageBytes, RefusesATextWithANul)
{
    Bytes out;
    EXPECT_THROW(append_text(out, "a\0b"s), std::invalid_argument);
}

TEST(PackageBytes, PadsPicturesButNotRawBlocks)
{
    struct Case {
        std::string image;
        std::string picture;
        std::string raw_block;
    } cases[] = {
        {"", "\0\0\0\0"s, "\0\0\0\0"s},
        {"B", "\1\0\0\0B\0\0\0"s, "\1\0\0\0B"s},
        {"BMxy", "\4\0\0\0BMxy\0\0\0\0"s, "\4\0\0\0BMxy"s},
        {"BMxyz", "\5\0\0\0BMxyz\0\0\0"s, "\5\0\0\0BMxyz"s},
    };
    for (const Case& c : cases) {
        Bytes picture, raw;
        append_picture(picture, as_bytes(c.image));
        append_raw_block(raw, as_bytes(c.image));
        EXPECT_EQ(as_text(picture), c.picture) << "size " << c.image.size();
        EXPECT_EQ(as_text(raw), c.raw_block) << "size " << c.image.size();
    }
}

// Every flag differs from its neighbours, so that two fields in the wrong order show.
SetupDescription description_without_files()
{
    SetupDescription d;
    d.format_marker = "1";
    d.show_welcome_page = true;
    d.welcome_text = "Hi";
    d.directory_name = "Dir";
    d.default_location = "<Desktop>";
    d.create_program_group = false;
    d.program_group_name = "Group";
    d.make_uninstall = true;
    d.show_license_page = false;
    d.license_text = "Lic";
    d.recommend_reboot = true;
    d.allow_windows_95 = false;
    d.allow_windows_98 = true;
    d.allow_windows_me = false;
    d.allow_windows_nt351 = false;
    d.allow_windows_nt4 = true;
    d.allow_windows_2000 = true;
    d.allow_windows_xp = false;
    d.allow_windows_server_2003 = true;
    d.allow_windows_vista = false;
    d.require_ie5 = true;
    return d;
}

const std::string empty_registry_section = "REGISTRYENTRIESSTART\0\0\0\0REGISTRYENTRIESEND\0\0"s;

TEST(DescriptionWriter, WritesEveryFieldInOrderWithNoFiles)
{
    const std::string expected = "1\0\0\0"s          // format marker
                                 "\1\0\0\0"s         // show welcome page
                                 "Hi\0\0"s           // welcome text
                                 "Dir\0"s            // directory name
                                 "<Desktop>\0\0\0"s  // default location
                                 "\0\0\0\0"s         // create program group
                                 "Group\0\0\0"s      // program group name
                                 "\1\0\0\0"s         // make uninstall
                                 "\0\0\0\0"s         // show license page
                                 "Lic\0"s            // license text
                                 "\0\0\0\0"s         // N = 0, no name blocks
                                 "\0\0\0\0"s         // total install size, still present
                                 "\0\0\0\0"s         // M = 0
                                 + empty_registry_section +
                                 "\1\0\0\0"s                                           // recommend reboot
                                 "\0\0\0\0\1\0\0\0\0\0\0\0\0\0\0\0\1\0\0\0"s          // 95, 98, ME, NT 3.51, NT 4
                                 "\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0"s                  // 2000, XP, 2003, Vista
                                 "\1\0\0\0"s                                           // require IE5
                                 "\0\0\0\0"s                                           // no page picture
                                 "\0\0\0\0"s;                                          // no welcome picture
    EXPECT_EQ(as_text(write_package(description_without_files())), expected);
}

TEST(DescriptionWriter, SplitsTheFileTableIntoBlocksAndPlacesContentsUnpadded)
{
    SetupDescription d = description_without_files();
    d.page_bitmap = as_bytes("BMpic");
    FileEntry first;
    first.name = "a.exe";
    first.shortcut_name = "A";
    first.target_folder = 0;
    first.startup_shortcut = first.desktop_shortcut = first.self_register = true;
    first.run_arguments = "/r";
    first.time_high = 1;
    first.time_low = 2;
    first.contents = as_bytes("xyz");
    FileEntry second;
    second.name = "b.txt";
    second.subdirectory = "Doc";
    second.target_folder = 3;
    second.group_shortcut = second.use_subdirectory = second.start_after_install = second.run_during_install = true;
    second.start_arguments = "go";
    second.time_low = 0x01020304;
    second.contents = as_bytes("hello");
    d.files = {first, second};

    const std::string files_part = "\2\0\0\0"s                                  // N = 2
                                   "a.exe\0\0\0" "\1\0\0\0" "\2\0\0\0"s         // name block 1
                                   "b.txt\0\0\0" "\0\0\0\0" "\4\3\2\1"s         // name block 2
                                   "\x08\0\0\0"s                                // total install size 3 + 5
                                   "A\0\0\0" "\0\0\0\0" "\0\0\0\0"s             // shortcut block 1
                                   "\0\0\0\0" "Doc\0" "\3\0\0\0"s               // shortcut block 2
                                   "\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0"s  // options 1
                                   "/r\0\0" "\0\0\0\0"s
                                   "\0\0\0\0\1\0\0\0\0\0\0\0\1\0\0\0\1\0\0\0\0\0\0\0\1\0\0\0"s  // options 2
                                   "\0\0\0\0" "go\0\0"s;
    std::string package = as_text(write_package(d));
    std::size_t files_at = package.find("\2\0\0\0a.exe"s);
    ASSERT_NE(files_at, std::string::npos);
    EXPECT_EQ(package.substr(files_at, files_part.size()), files_part);

    // The contents come last: offset, size, bytes, with the offset pointing at the first byte.
    std::size_t picture_end = package.find("BMpic\0\0\0"s) + 8 + 4;  // and the empty welcome picture
    std::uint32_t offset_a = static_cast<std::uint32_t>(picture_end + 8);
    std::uint32_t offset_b = offset_a + 3 + 8;
    EXPECT_EQ(package.substr(picture_end), u32(offset_a) + "\3\0\0\0xyz"s + u32(offset_b) + "\5\0\0\0hello"s);
}

TEST(DescriptionWriter, WritesTheSevenFileFlagsInTheirOwnOrder)
{
    bool FileEntry::*const flags_in_order[] = {&FileEntry::startup_shortcut,    &FileEntry::group_shortcut,
                                               &FileEntry::desktop_shortcut,    &FileEntry::use_subdirectory,
                                               &FileEntry::start_after_install, &FileEntry::self_register,
                                               &FileEntry::run_during_install};
    for (std::size_t position = 0; position < 7; ++position) {
        SetupDescription d = description_without_files();
        FileEntry file;
        file.name = "f";
        file.shortcut_name = "SHORTCUT";
        file.subdirectory = "s";
        file.*flags_in_order[position] = true;
        d.files = {file};

        std::string expected_flags(7 * 4, '\0');
        expected_flags[position * 4] = 1;
        std::string package = as_text(write_package(d));
        std::size_t options = package.find("SHORTCUT\0\0\0\0s\0\0\0\3\0\0\0"s) + 20;
        EXPECT_EQ(package.substr(options, 7 * 4), expected_flags) << "flag " << position;
    }
}

TEST(DescriptionWriter, StoresAnExtensionsProgramCountedAmongTheFilesAfterTheFirst)
{
    SetupDescription d = description_without_files();
    d.files.resize(3);
    d.files[0].name = "uninstall.exe";
    d.files[1].name = "a.exe";
    d.files[2].name = "b.exe";
    d.extensions = {{".abc", 2}, {".de", 1}};
    std::string package = as_text(write_package(d));
    EXPECT_NE(package.find("\2\0\0\0.abc\0\0\0\0\1\0\0\0.de\0\0\0\0\0"s + empty_registry_section), std::string::npos);

    d.extensions = {{".abc", 0}};
    EXPECT_THROW(write_package(d), std::invalid_argument);
    d.extensions = {{".abc", 3}};
    EXPECT_THROW(write_package(d), std::invalid_argument);
}

TEST(DescriptionWriter, RefusesTextsOverTheReadersLimits)
{
    SetupDescription d = description_without_files();
    d.format_marker = std::string(format_marker_limit, 'm');
    EXPECT_NO_THROW(write_package(d));
    d.format_marker = std::string(format_marker_limit + 1, 'm');
    EXPECT_THROW(write_package(d), std::invalid_argument);

    d = description_without_files();
    d.files.resize(2);
    d.extensions = {{"." + std::string(extension_limit - 1, 'x'), 1}};
    EXPECT_NO_THROW(write_package(d));
    d.extensions = {{"." + std::string(extension_limit, 'x'), 1}};
    EXPECT_THROW(write_package(d), std::invalid_argument);
}

TEST(DescriptionWriter, CountsEveryFileButTheUninstallModuleInTheInstallSize)
{
    std::vector<FileEntry> files(5);
    const char* names[] = {"uninstall.exe", "UnInstall.EXE", "zeltax.exe", "uninstall.exe.txt", "myuninstall.exe"};
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i].name = names[i];
        files[i].contents.resize(1u << i);
    }
    EXPECT_EQ(total_install_size(files), 4u + 8u + 16u);
    EXPECT_EQ(total_install_size({}), 0u);
}

// The token helper pads like a package text; the padding itself is checked above.
std::string token(const std::string& text)
{
    return text + std::string(4 - text.size() % 4, '\0');
}

TEST(RegistrySectionWriter, WritesRecordsParentsFirstWithTheirValuesBlocks)
{
    RegistryKeyNode zelmor{"Zelmor",
                           {{"n", RegistryValueKind::dword, "", 4294967295u, {}},
                            {"b", RegistryValueKind::binary, "", 0, {1, 2, 3}},
                            {"e", RegistryValueKind::binary, "", 0, {}}},
                           {}};
    RegistryKeyNode software{"Software", {}, {zelmor}};
    RegistryKeyNode environment{"Environment", {}, {}};
    RegistryKeyNode user{"HKEY_CURRENT_USER", {{"", RegistryValueKind::string, "x", 0, {}}}, {software, environment}};
    RegistryKeyNode machine{"HKEY_LOCAL_MACHINE", {}, {}};

    const std::string end = token("REGISTRYVALUEEND_UN_99");
    const std::string expected =
        token("REGISTRYENTRIESSTART") +
        token("ROOT") + token("HKEY_CURRENT_USER") + token("1") +
            token("VALUES") + token("") + token("STRING") + token("x") + end +
        token("PARENTCHILD") + token("1") + token("Software") + token("2") + token("VALUES") + end +
        token("PARENTCHILD") + token("2") + token("Zelmor") + token("3") +
            token("VALUES") + token("n") + token("DWORD") + token("4294967295") +
            token("b") + token("BINARY") + "\3\0\0\0\1\2\3"s +   // raw: the next token is not aligned
            token("e") + token("BINARY") + "\0\0\0\0"s + end +
        token("PARENTCHILD") + token("1") + token("Environment") + token("4") + token("VALUES") + end +
        token("ROOT") + token("HKEY_LOCAL_MACHINE") + token("5") + token("VALUES") + end +
        token("REGISTRYENTRIESEND");

    Bytes out;
    append_registry_section(out, {user, machine});
    EXPECT_EQ(as_text(out), expected);
}

TEST(RegistrySectionWriter, RefusesWhatTheReaderWouldMisread)
{
    auto key_with_value = [](std::string key_name, RegistryValueEntry value) {
        return RegistryKeyNode{"HKEY_USERS", {}, {{std::move(key_name), {std::move(value)}, {}}}};
    };
    const std::string longest_token(registry_token_limit, 's');
    const std::string too_long_token(registry_token_limit + 1, 's');
    struct Case {
        const char* what;
        RegistryKeyNode root;
        bool refused;
    } cases[] = {
        {"token at the limit", key_with_value("k", {"v", RegistryValueKind::string, longest_token, 0, {}}), false},
        {"token over the limit", key_with_value("k", {"v", RegistryValueKind::string, too_long_token, 0, {}}), true},
        {"name over the limit", key_with_value("k", {too_long_token, RegistryValueKind::dword, "", 1, {}}), true},
        {"key at the limit", key_with_value(std::string(key_name_limit, 'k'), {}), false},
        {"key over the limit", key_with_value(std::string(key_name_limit + 1, 'k'), {}), true},
        {"end in name",
         key_with_value("k", {"a" + std::string(values_block_end), RegistryValueKind::dword, "", 1, {}}), true},
    };
    for (const Case& c : cases) {
        Bytes out;
        if (c.refused)
            EXPECT_THROW(append_registry_section(out, {c.root}), std::invalid_argument) << c.what;
        else
            EXPECT_NO_THROW(append_registry_section(out, {c.root})) << c.what;
    }
}

} // namespace
