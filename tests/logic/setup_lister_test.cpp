// Listing setup files that the builder made: what the setup program will read back from them.
#include "Configure.h"
#include "container_writer.h"
#include "crc.h"
#include "description_listing.h"
#include "description_writer.h"
#include "manifest.h"
#include "package_container.h"
#include "package_format.h"
#include "package_inflater.h"
#include "setup_builder_fixture.h"
#include "setup_file_listing.h"
#include "source_loader.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using builder::Bytes;
using builder::list_setup_file;
using builder::SetupFileListing;

namespace {

const std::filesystem::path package_dir = SETUP_PACKAGE_DIR;
const Bytes stub = {'M', 'Z', 0x90, 0x00, 0x03};  // odd-sized: the container starts at an odd offset

// Offsets into a setup file made with `stub`.
constexpr std::size_t container_at = 5;
constexpr std::size_t inflated_length_at = container_at + package_format::inflated_length_offset;
constexpr std::size_t checksum_at = container_at + package_format::checksum_offset;
constexpr std::size_t stream_at = container_at + package_format::container_header_size;

std::uint32_t u32_at(const Bytes& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void put_u32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> 8 * i);
}

std::string read_text(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every kind of field: texts with blanks at their ends and backslashes, flags that differ from
// their neighbours, all three target folders in use, an extension, registry keys at three
// levels with values of each kind, one of them directly under a root.
constexpr const char* full_manifest = R"(format_marker = 1
show_welcome_page = 1
welcome_text_file = welcome.rtf
directory_name = Example Tool
default_location = <Desktop>
create_program_group = 1
program_group_name = "Example Group "
make_uninstall = 0
show_license_page = 1
license_text_file = license.rtf
recommend_reboot = 1
allow_windows_95 = 0
allow_windows_98 = 1
allow_windows_me = 0
allow_windows_nt351 = 0
allow_windows_nt4 = 1
allow_windows_2000 = 0
allow_windows_xp = 1
allow_windows_server_2003 = 1
allow_windows_vista = 0
require_ie5 = 1
page_picture_file = page.bmp

[file]
name = uninstall.exe
source = uninstall.exe
shortcut_name = Uninstall Example
target_folder = 3
startup_shortcut = 1
group_shortcut = 1

[file]
name = tool.exe
source = tool.exe
shortcut_name = Example\Tool
subdirectory = Bin\Tools
use_subdirectory = 1
target_folder = 2
desktop_shortcut = 1
start_after_install = 1
start_arguments = "/open "

[file]
name = helper.dll
source = helper.dll
target_folder = 1
self_register = 1
run_during_install = 1
run_arguments = /quiet

[extension]
extension = .ext
program = tool.exe

[value]
key_path = HKEY_CURRENT_USER\Software\Example
name = Version
type = STRING
data = "1.0 "

[value]
key_path = HKEY_CURRENT_USER\Software\Example
name =
type = DWORD
data = 0x10

[value]
key_path = HKEY_CURRENT_USER\Software\Example
name = Blob
type = BINARY
data = 01 A0 FF

[value]
key_path = HKEY_CURRENT_USER\Software\Example
name = Nothing
type = BINARY
data =

[value]
key_path = HKEY_CURRENT_USER\Software
name = Path
type = STRING
data = C:\Example

[value]
key_path = HKEY_USERS
name = Top
type = DWORD
data = 4294967295

[key]
key_path = HKEY_LOCAL_MACHINE\SOFTWARE\Example
)";

// The time stamp's high half in use: 2^32 + 5 seconds.
constexpr std::uint64_t full_time_stamp = 0x100000005;

class SetupLister : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch.write("welcome.rtf",
                      R"({\rtf1\ansi\ansicpg1252 Welcome to the "Example Tool" setup, which puts it on your disk.})");
        scratch.write("license.rtf", R"({\rtf1 Short.})");
        scratch.write("page.bmp", tiny_bitmap());
        scratch.write("uninstall.exe", "MZ" + std::string(300, 'u'));
        scratch.write("tool.exe", "MZ" + std::string(1000, 't'));
        scratch.write("helper.dll", "MZ" + std::string(77, 'h'));
    }

    Bytes setup_file(const std::string& manifest_text, const std::filesystem::path& base,
                     const builder::Defines& defines = {}) const
    {
        builder::Manifest manifest = builder::parse_manifest(manifest_text, defines);
        Bytes package = builder::write_package(builder::load_sources(manifest, base, full_time_stamp));
        return builder::write_container(stub, package);
    }

    TemporaryDirectory scratch;
};

// The block of lines from `first` up to the next line indented as far or less.
std::string block_at(const std::string& text, const std::string& first)
{
    std::size_t start = text.find(first);
    if (start == std::string::npos) return "no line \"" + first + "\"";
    std::size_t indent = first.find_first_not_of(' ');
    std::size_t end = text.find('\n', start) + 1;
    while (end < text.size() && text.find_first_not_of(' ', end) - end > indent) end = text.find('\n', end) + 1;
    return text.substr(start, end - start);
}

// The numbers of every "<name>: N" line, in order.
std::vector<std::uint32_t> numbers_of(const std::string& text, const std::string& name)
{
    std::vector<std::uint32_t> numbers;
    std::string key = " " + name + ": ";
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1))
        numbers.push_back(static_cast<std::uint32_t>(std::stoul(text.substr(at + key.size()))));
    return numbers;
}

TEST_F(SetupLister, ListsTheContainerHeaderAndWhetherItsChecksumMatches)
{
    Bytes file = setup_file(full_manifest, scratch.path());
    SetupFileListing listing = list_setup_file(file);
    ASSERT_FALSE(listing.error) << *listing.error;

    Bytes compressed(file.begin() + stream_at, file.end());
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, "0x%08X", compute_crc(compressed));
    EXPECT_EQ(block_at(listing.text, "container"),
              "container\n"
              "  offset: 5 (0x5)\n"
              "  reserved: 0\n"
              "  compressed_length: " + std::to_string(compressed.size()) + "\n"
              "  inflated_length: " + std::to_string(u32_at(file, inflated_length_at)) + "\n"
              "  checksum: " + checksum + ", matches the compressed bytes\n");
}

TEST_F(SetupLister, ListsTheDescriptionsFieldsInTheOrderTheyAreStored)
{
    std::string text = list_setup_file(setup_file(full_manifest, scratch.path())).text;
    EXPECT_NE(text.find("setup description\n"
                        "  format_marker: \"1\"\n"
                        "  show_welcome_page: 1\n"
                        R"(  welcome_text: 89 characters "{\\rtf1\\ansi\\ansicpg1252 Welcome to the \"Example "...)"
                        "\n"
                        "  directory_name: \"Example Tool\"\n"
                        "  default_location: \"<Desktop>\"\n"
                        "  create_program_group: 1\n"
                        "  program_group_name: \"Example Group \"\n"
                        "  make_uninstall: 0\n"
                        "  show_license_page: 1\n"
                        "  license_text: 14 characters \"{\\\\rtf1 Short.}\"\n"
                        "  file_count: 3\n"
                        "  total_install_size: 1081\n"
                        "  file 0\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  extension_count: 1\n"
                        "  extension 0\n"
                        "    extension: \".ext\"\n"
                        "    file_index: 1 (\"tool.exe\")\n"
                        "  registry: "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  recommend_reboot: 1\n"
                        "  allow_windows_95: 0\n"
                        "  allow_windows_98: 1\n"
                        "  allow_windows_me: 0\n"
                        "  allow_windows_nt351: 0\n"
                        "  allow_windows_nt4: 1\n"
                        "  allow_windows_2000: 0\n"
                        "  allow_windows_xp: 1\n"
                        "  allow_windows_server_2003: 1\n"
                        "  allow_windows_vista: 0\n"
                        "  require_ie5: 1\n"
                        "  page_bitmap_size: 58\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  page_bitmap: 1 x 1 pixels, 32 bits per pixel\n"
                        "  welcome_bitmap_size: 0 (no picture)\n"
                        "offers, computed by the reader\n"),
              std::string::npos)
        << text;
}

TEST_F(SetupLister, ListsEveryFieldOfEveryFileEntry)
{
    std::string text = list_setup_file(setup_file(full_manifest, scratch.path())).text;
    std::string stamp = "    time_high: 1\n"
                        "    time_low: 5\n"
                        "    time: 2106-02-07 06:28:21 UTC\n";
    EXPECT_EQ(block_at(text, "  file 1\n"),
              "  file 1\n"
              "    name: \"tool.exe\"\n"
              "    shortcut_name: \"Example\\\\Tool\"\n"
              "    subdirectory: \"Bin\\\\Tools\"\n"
              "    target_folder: 2 (common files directory)\n"
              "    startup_shortcut: 0\n"
              "    group_shortcut: 0\n"
              "    desktop_shortcut: 1\n"
              "    use_subdirectory: 1\n"
              "    start_after_install: 1\n"
              "    self_register: 0\n"
              "    run_during_install: 0\n"
              "    run_arguments: \"\"\n"
              "    start_arguments: \"/open \"\n"
              "    content_offset: " + std::to_string(numbers_of(text, "content_offset").at(1)) + "\n"
              "    content_size: 1002\n" + stamp);
    EXPECT_NE(block_at(text, "  file 2\n").find("    name: \"helper.dll\"\n"
                                                "    shortcut_name: \"\"\n"
                                                "    subdirectory: \"\"\n"
                                                "    target_folder: 1 (system directory)\n"
                                                "    startup_shortcut: 0\n"
                                                "    group_shortcut: 0\n"
                                                "    desktop_shortcut: 0\n"
                                                "    use_subdirectory: 0\n"
                                                "    start_after_install: 0\n"
                                                "    self_register: 1\n"
                                                "    run_during_install: 1\n"
                                                "    run_arguments: \"/quiet\"\n"
                                                "    start_arguments: \"\"\n"),
              std::string::npos);
    EXPECT_NE(block_at(text, "  file 0\n").find("    target_folder: 3 (installation directory)\n"
                                                "    startup_shortcut: 1\n"
                                                "    group_shortcut: 1\n"),
              std::string::npos);
}

// The listed offsets and sizes are where the setup program will take each file's bytes from.
TEST_F(SetupLister, ListsContentOffsetsThatPointAtEachFilesBytes)
{
    Bytes file = setup_file(full_manifest, scratch.path());
    std::string text = list_setup_file(file).text;
    ContainerLocation container = find_container(file);
    Bytes package(container.header.inflated_length);
    std::atomic<std::uint32_t> remaining{0};
    ASSERT_TRUE(inflated_completely(inflate_package(container.compressed, package, remaining), package.size()));

    std::vector<std::uint32_t> offsets = numbers_of(text, "content_offset");
    std::vector<std::uint32_t> sizes = numbers_of(text, "content_size");
    ASSERT_EQ(offsets.size(), 3u);
    ASSERT_EQ(sizes.size(), 3u);
    const char* names[] = {"uninstall.exe", "tool.exe", "helper.dll"};
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_LE(std::uint64_t{offsets[i]} + sizes[i], package.size()) << names[i];
        std::string contents(package.begin() + offsets[i], package.begin() + offsets[i] + sizes[i]);
        EXPECT_EQ(contents, read_text(scratch.path() / names[i])) << names[i];
    }
}

TEST_F(SetupLister, ListsTheRegistryKeyTreeWithEachKeysValuesBeforeItsChildren)
{
    std::string text = list_setup_file(setup_file(full_manifest, scratch.path())).text;
    EXPECT_EQ(block_at(text, "  registry: "),
              "  registry: 7 keys, 6 values\n"
              "    key \"HKEY_CURRENT_USER\" (key_id 1, key_flag 1)\n"
              "      key \"Software\" (key_id 2, key_flag 1)\n"
              "        value \"Path\": STRING \"C:\\\\Example\"\n"
              "        key \"Example\" (key_id 3, key_flag 1)\n"
              "          value \"Version\": STRING \"1.0 \"\n"
              "          value \"\": DWORD 16 (0x00000010)\n"
              "          value \"Blob\": BINARY 3 bytes: 01 A0 FF\n"
              "          value \"Nothing\": BINARY 0 bytes\n"
              "    key \"HKEY_USERS\" (key_id 4, key_flag 1)\n"
              "      value \"Top\": DWORD 4294967295 (0xFFFFFFFF)\n"
              "    key \"HKEY_LOCAL_MACHINE\" (key_id 5, key_flag 1)\n"
              "      key \"SOFTWARE\" (key_id 6, key_flag 1)\n"
              "        key \"Example\" (key_id 7, key_flag 1)\n");
}

// The uninstall module's shortcut flags offer nothing; the tool's desktop shortcut and start
// do, and the extension offers to associate.
TEST_F(SetupLister, ListsTheOffersTheReaderComputes)
{
    std::string text = list_setup_file(setup_file(full_manifest, scratch.path())).text;
    EXPECT_EQ(block_at(text, "offers, computed by the reader\n"),
              "offers, computed by the reader\n"
              "  offer_startup: 0\n"
              "  offer_desktop_icon: 1\n"
              "  offer_program_group: 0\n"
              "  offer_associate: 1\n"
              "  offer_start_application: 1\n");
}

TEST_F(SetupLister, ListsTheProductPackage)
{
    builder::Defines defines{{"ZELTAX", scratch.write("zeltax.exe", "MZ" + std::string(1000, 'z')).string()},
                             {"UNINSTALL", scratch.write("uninstall.exe", "MZ" + std::string(300, 'u')).string()}};
    Bytes file = setup_file(read_text(package_dir / "zeltax.manifest"), package_dir, defines);
    std::string text = list_setup_file(file).text;

    std::size_t welcome_length = read_text(package_dir / "welcome.rtf").size();
    for (const std::string& line :
         {"  welcome_text: " + std::to_string(welcome_length) + " characters \"{\\\\rtf1\\\\ansi\\\\ansicpg1252",
          std::string("  directory_name: \"Zelmor Income Tax 2010\"\n"),
          std::string("  default_location: \"<Program Files>\"\n"),
          std::string("  create_program_group: 1\n  program_group_name: \"Zelmor Income Tax\"\n"),
          std::string("  file_count: 3\n"),
          std::string("  file 0\n    name: \"uninstall.exe\"\n    shortcut_name: \"Uninstall Zelmor Income Tax\"\n"),
          std::string("  file 1\n    name: \"zeltax.exe\"\n    shortcut_name: \"Zelmor Federal Income Tax \"\n"),
          std::string("  file 2\n    name: \"readZeltax.txt\"\n"
                      "    shortcut_name: \"Zelmor Federal Income Tax 2010\"\n"),
          std::string("  extension_count: 0\n  registry: 0 keys, 0 values\n  recommend_reboot: 0\n"),
          std::string("  page_bitmap: 32 x 32 pixels, 32 bits per pixel\n"),
          std::string("  welcome_bitmap: 80 x 281 pixels, 24 bits per pixel\n")})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

TEST_F(SetupLister, StopsAtTheFirstProblemWithAClearMessage)
{
    Bytes good = setup_file(full_manifest, scratch.path());
    std::uint32_t compressed_length = static_cast<std::uint32_t>(good.size() - stream_at);
    std::uint32_t inflated_length = u32_at(good, inflated_length_at);

    const std::string match = ", matches the compressed bytes\n";
    const std::string mismatch = ", does not match the compressed bytes (0x";
    struct Case {
        const char* what;
        std::function<Bytes()> make;
        std::string message;
        std::string listed_checksum;  // empty: no container listed
    } cases[] = {
        {"no container", [] { return stub; }, "no setup package: the file holds no container marker", ""},
        {"only the setup program's own copy of the marker",
         [&] {
             constexpr std::size_t marker_end = container_at + package_format::container_marker_size;
             Bytes file(good.begin(), good.begin() + marker_end - 1);
             file.push_back(0);
             file.insert(file.end(), good.begin() + marker_end, good.end());
             return file;
         },
         "no setup package: the file holds no container marker", ""},
        {"header cut short", [&] { return Bytes(good.begin(), good.begin() + container_at + 30); },
         "the container header at offset 5 is cut short: 30 of its 40 bytes are in the file", ""},
        {"compressed bytes cut short", [&] { return Bytes(good.begin(), good.end() - 1); },
         "the container is cut short: its header gives " + std::to_string(compressed_length) +
             " compressed bytes, the file holds " + std::to_string(compressed_length - 1),
         ""},
        {"a flipped bit in the compressed bytes",
         [&] {
             Bytes file = good;
             file[stream_at + compressed_length / 2] ^= 0x10;
             return file;
         },
         "the container is damaged: its checksum does not match the compressed bytes", mismatch},
        {"a flipped bit in the checksum",
         [&] {
             Bytes file = good;
             file[checksum_at + 3] ^= 0x80;
             return file;
         },
         "the container is damaged: its checksum does not match the compressed bytes", mismatch},
        {"an inflated length one too large",
         [&] {
             Bytes file = good;
             put_u32(file, inflated_length_at, inflated_length + 1);
             return file;
         },
         "the package inflates to " + std::to_string(inflated_length) + " bytes, not the header's inflated_length " +
             std::to_string(inflated_length + 1),
         match},
        {"an inflated length one too small",
         [&] {
             Bytes file = good;
             put_u32(file, inflated_length_at, inflated_length - 1);
             return file;
         },
         "the package inflates to more bytes than the header's inflated_length " + std::to_string(inflated_length - 1),
         match},
        {"an inflated length no stream of this size can reach",
         [&] {
             Bytes file = good;
             put_u32(file, inflated_length_at, 0xFFFFFFFF);
             return file;
         },
         "the container is damaged: " + std::to_string(compressed_length) +
             " compressed bytes cannot inflate to the header's inflated_length 4294967295",
         match},
        {"no zlib stream, with a matching checksum",
         [&] {
             Bytes file = good;
             std::fill(file.begin() + stream_at, file.end(), 0xFF);
             put_u32(file, checksum_at, compute_crc(std::span(file).subspan(stream_at)));
             return file;
         },
         "the package does not inflate: zlib stops with \"data error\" after 0 bytes", match},
        {"a package that is no setup description",
         [] { return builder::write_container(stub, Bytes(200, 0xFF)); },
         "the setup description is damaged: the setup program refuses the package", match},
    };
    for (const Case& c : cases) {
        SetupFileListing listing = list_setup_file(c.make());
        ASSERT_TRUE(listing.error) << c.what;
        EXPECT_EQ(*listing.error, c.message) << c.what;
        if (c.listed_checksum.empty())
            EXPECT_EQ(listing.text, "") << c.what;
        else
            EXPECT_NE(block_at(listing.text, "container\n").find(c.listed_checksum), std::string::npos) << c.what;
        EXPECT_EQ(listing.text.find("setup description"), std::string::npos) << c.what;
    }
}

// The command line writes the listing to standard output and the reason it stopped to standard
// error, and says by its exit code whether the whole file was read.
TEST_F(SetupLister, TheListCommandPrintsTheListingAndExitsByItsOutcome)
{
    Bytes good = setup_file(full_manifest, scratch.path());
    Bytes damaged = good;
    damaged[checksum_at] ^= 1;
    std::string good_path = scratch.write("good.exe", std::string(good.begin(), good.end())).string();
    std::string damaged_path = scratch.write("damaged.exe", std::string(damaged.begin(), damaged.end())).string();
    std::string missing_path = (scratch.path() / "missing.exe").string();

    struct Case {
        std::string arguments;
        int exit_code;
        std::string out;
        std::string error_start;
    } cases[] = {
        {"list " + good_path, 0, list_setup_file(good).text, ""},
        {"list " + damaged_path, 1, list_setup_file(damaged).text,
         "setup_builder: " + damaged_path + ": the container is damaged: its checksum does not match"},
        {"list " + missing_path, 1, "", "setup_builder: " + missing_path + ": "},
        {"list", 2, "", "setup_builder: no setup file given\nusage: setup_builder build"},
    };
    std::string out_path = (scratch.path() / "out.txt").string();
    std::string error_path = (scratch.path() / "error.txt").string();
    for (const Case& c : cases) {
        std::string command =
            std::string(SETUP_BUILDER_PROGRAM) + " " + c.arguments + " >" + out_path + " 2>" + error_path;
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.arguments;
        EXPECT_EQ(WEXITSTATUS(status), c.exit_code) << c.arguments;
        EXPECT_EQ(read_text(out_path), c.out) << c.arguments;
        std::string error = read_text(error_path);
        EXPECT_TRUE(error.starts_with(c.error_start)) << c.arguments << ": " << error;
        EXPECT_EQ(error.empty(), c.error_start.empty()) << c.arguments << ": " << error;
    }
}

// Values the builder never writes but a hand-made package may hold: flags other than 0 and 1
// are listed as stored, a registry value of no known type, an extension naming no file, a
// picture whose bytes are not at hand.
TEST(DescriptionListing, ListsWhatOnlyAHandMadeRecordHolds)
{
    ::SetupDescription d;
    d.show_welcome_page = 2;
    d.file_count = 1;
    d.files.resize(1);
    d.files[0].target_folder = 9;
    d.files[0].group_shortcut = 7;
    d.extension_count = 1;
    d.extensions.push_back(::ExtensionEntry{".x", 4});
    auto root = std::make_unique<RegistryKeyNode>();
    root->key_name = "HKEY_USERS";
    root->key_id = -3;
    const RegistryKeyNode* key = d.registry_keys.add_key(nullptr, std::move(root));
    auto value = std::make_unique<RegistryValueEntry>();
    value->owner_key = key;
    value->value_name = "Odd";
    d.registry_values.append_value(std::move(value));
    d.page_bitmap_size = 58;
    d.page_bitmap_offset = 100;

    std::string text = builder::compose_description_listing(d, {});
    for (const char* line : {"  show_welcome_page: 2\n", "    target_folder: 9 (unknown)\n", "    group_shortcut: 7\n",
                             "    file_index: 4 (no such file)\n",
                             "    key \"HKEY_USERS\" (key_id -3, key_flag 0)\n"
                             "      value \"Odd\": no known type, no data\n",
                             "  page_bitmap_size: 58\n  page_bitmap_offset: 100\n  welcome_bitmap_size: 0"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

} // namespace
