#include "Configure.h"

#include "fixture_bytes.h"
#include "package_format.h"
#include "sample_package.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using package_format::extension_limit;
using package_format::format_marker_limit;
using package_format::registry_token_limit;

std::string bytes_at(const Bytes& package, std::uint32_t offset, std::uint32_t size)
{
    return std::string(package.begin() + offset, package.begin() + offset + size);
}

TEST(SetupDescriptionReader, ReadsAHandLaidPackageByteForByte)
{
    // One file, no pictures, laid out without any helper beyond the byte order.
    const Bytes package = {
        '1', 0, 0, 0,                          // format marker
        1, 0, 0, 0,                            // show welcome page
        'W', 'e', 'l', 'c', 0, 0, 0, 0,        // welcome text (4 characters, 4 zero bytes)
        'D', 'i', 'r', 0,                      // directory name
        0, 0, 0, 0,                            // default location, empty
        0, 0, 0, 0,                            // create program group
        'G', 0, 0, 0,                          // program group name
        1, 0, 0, 0,                            // make uninstall
        0, 0, 0, 0,                            // show license page
        'L', 'i', 'c', 'e', 'n', 0, 0, 0,      // license text
        1, 0, 0, 0,                            // file count
        'a', '.', 'e', 'x', 'e', 0, 0, 0,      // name
        0x01, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, // time high, time low
        0x39, 0x30, 0, 0,                      // total install size 12345
        'S', 0, 0, 0,                          // shortcut name
        'b', 'i', 'n', 0,                      // subdirectory
        3, 0, 0, 0,                            // target folder
        1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,    // startup, group, desktop
        1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,    // use subdirectory, start after install, self register
        0, 0, 0, 0,                            // run during install
        '-', 'q', 0, 0,                        // run arguments
        0, 0, 0, 0,                            // start arguments
        0, 0, 0, 0,                            // extension count
        'R', 'E', 'G', 'I', 'S', 'T', 'R', 'Y', 'E', 'N', 'T', 'R', 'I', 'E', 'S', 'S', 'T', 'A', 'R', 'T', 0, 0, 0, 0,
        'R', 'E', 'G', 'I', 'S', 'T', 'R', 'Y', 'E', 'N', 'T', 'R', 'I', 'E', 'S', 'E', 'N', 'D', 0, 0,
        1, 0, 0, 0,                            // recommend reboot
        1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,    // Windows 95, 98, ME
        1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,    // NT 3.51, NT 4, 2000
        1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,    // XP, 5.2, 6
        1, 0, 0, 0,                            // require IE 5
        0, 0, 0, 0,                            // no page picture
        0, 0, 0, 0,                            // no welcome picture
        0xE4, 0, 0, 0, 3, 0, 0, 0,             // content offset 228, size 3
        'M', 'Z', '!',                         // contents, the package's last bytes
    };
    ASSERT_EQ(package.size(), 231u);
    SetupDescription d;
    ASSERT_TRUE(read_setup_description(package, d));
    EXPECT_EQ(d.format_marker, "1");
    EXPECT_EQ(d.show_welcome_page, 1u);
    EXPECT_EQ(d.welcome_text, "Welc");
    EXPECT_EQ(d.directory_name, "Dir");
    EXPECT_EQ(d.default_location, "");
    EXPECT_EQ(d.create_program_group, 0u);
    EXPECT_EQ(d.program_group_name, "G");
    EXPECT_EQ(d.make_uninstall, 1u);
    EXPECT_EQ(d.show_license_page, 0u);
    EXPECT_EQ(d.license_text, "Licen");
    EXPECT_EQ(d.file_count, 1u);
    ASSERT_EQ(d.files.size(), 1u);
    const FileEntry& f = d.files[0];
    EXPECT_EQ(f.name, "a.exe");
    EXPECT_EQ(f.time_high, 1u);
    EXPECT_EQ(f.time_low, 0x12345678u);
    EXPECT_EQ(d.total_install_size, 12345u);
    EXPECT_EQ(f.shortcut_name, "S");
    EXPECT_EQ(f.subdirectory, "bin");
    EXPECT_EQ(f.target_folder, 3u);
    EXPECT_EQ(f.startup_shortcut, 1u);
    EXPECT_EQ(f.group_shortcut, 0u);
    EXPECT_EQ(f.desktop_shortcut, 1u);
    EXPECT_EQ(f.use_subdirectory, 1u);
    EXPECT_EQ(f.start_after_install, 2u);
    EXPECT_EQ(f.self_register, 0u);
    EXPECT_EQ(f.run_during_install, 0u);
    EXPECT_EQ(f.run_arguments, "-q");
    EXPECT_EQ(f.start_arguments, "");
    EXPECT_EQ(d.extension_count, 0u);
    EXPECT_TRUE(d.extensions.empty());
    EXPECT_TRUE(d.registry_keys.empty());
    EXPECT_EQ(d.registry_values.count(), 0u);
    EXPECT_EQ(d.recommend_reboot, 1u);
    EXPECT_EQ(d.allow_windows_95, 1u);
    EXPECT_EQ(d.allow_windows_98, 0u);
    EXPECT_EQ(d.allow_windows_me, 1u);
    EXPECT_EQ(d.allow_windows_nt351, 1u);
    EXPECT_EQ(d.allow_windows_nt4, 1u);
    EXPECT_EQ(d.allow_windows_2000, 1u);
    EXPECT_EQ(d.allow_windows_xp, 1u);
    EXPECT_EQ(d.allow_windows_server_2003, 1u);
    EXPECT_EQ(d.allow_windows_vista, 0u);
    EXPECT_EQ(d.require_ie5, 1u);
    EXPECT_EQ(d.page_bitmap_size, 0u);
    EXPECT_EQ(d.welcome_bitmap_size, 0u);
    EXPECT_EQ(f.content_offset, 228u);
    EXPECT_EQ(f.content_size, 3u);
    EXPECT_TRUE(d.offer_startup);
    EXPECT_TRUE(d.offer_desktop_icon);
    EXPECT_FALSE(d.offer_program_group);
    EXPECT_FALSE(d.offer_associate);
    EXPECT_TRUE(d.offer_start_application);
}

TEST(SetupDescriptionReader, ReadsAShippedLikePackageToItsLastByte)
{
    SamplePackage sample = shipped_like_package();
    const Bytes package = sample.compose();
    SetupDescription d;
    ASSERT_TRUE(read_setup_description(package, d));
    ASSERT_EQ(d.files.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const FileEntry& f = d.files[i];
        EXPECT_EQ(f.name, sample.files[i].name);
        EXPECT_EQ(f.shortcut_name, sample.files[i].shortcut_name);
        EXPECT_EQ(f.time_low, sample.files[i].time_low);
        EXPECT_EQ(bytes_at(package, f.content_offset, f.content_size), sample.files[i].contents);
    }
    // Contents are not padded: offsets fall on any byte, and the last file ends the package.
    EXPECT_EQ(d.files[1].content_offset, d.files[0].content_offset + d.files[0].content_size + 8);
    EXPECT_EQ(d.files[2].content_offset % 4, 1u);
    EXPECT_EQ(d.files[2].content_offset + d.files[2].content_size, package.size());
    EXPECT_EQ(d.total_install_size, sample.total_install_size);
    EXPECT_FALSE(d.offer_startup);
    EXPECT_TRUE(d.offer_desktop_icon);
    EXPECT_TRUE(d.offer_program_group);
    EXPECT_FALSE(d.offer_associate);
    EXPECT_FALSE(d.offer_start_application);
    EXPECT_EQ(bytes_at(package, d.page_bitmap_offset, d.page_bitmap_size),
              std::string(sample.page_picture.begin(), sample.page_picture.end()));
    EXPECT_EQ(bytes_at(package, d.welcome_bitmap_offset, d.welcome_bitmap_size),
              std::string(sample.welcome_picture.begin(), sample.welcome_picture.end()));
}

TEST(SetupDescriptionReader, EveryShortenedPackageIsRefused)
{
    SamplePackage sample = shipped_like_package();
    sample.extensions = {{".ztx", 0}};
    sample.registry_section = PackageBytes()
                                  .text("REGISTRYENTRIESSTART")
                                  .text("ROOT").text("HKEY_CURRENT_USER").text("1").text("v")
                                  .text("Bin").text("BINARY").raw_block("abc")
                                  .text("REGISTRYVALUEEND_UN_99")
                                  .text("REGISTRYENTRIESEND")
                                  .bytes();
    const Bytes package = sample.compose();
    SetupDescription whole;
    ASSERT_TRUE(read_setup_description(package, whole));
    for (std::size_t length = 0; length < package.size(); ++length) {
        SCOPED_TRACE(length);
        SetupDescription d;
        EXPECT_FALSE(read_setup_description(std::span(package).first(length), d));
    }
}

TEST(SetupDescriptionReader, PicturesArePaddedWithOneToFourBytes)
{
    struct Case {
        const char* what;
        Bytes page;
        Bytes welcome;
    } cases[] = {
        {"no pictures", {}, {}},
        {"sizes not a multiple of 4", make_bmp(4, 4, 32), make_bmp(3, 5, 24)},
        {"sizes a multiple of 4", make_bmp(2, 2, 24, 2), make_bmp(1, 1, 32, 2)},
        {"only a welcome picture", {}, make_bmp(2, 2, 24, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SamplePackage sample = shipped_like_package();
        sample.page_picture = c.page;
        sample.welcome_picture = c.welcome;
        const Bytes package = sample.compose();
        SetupDescription d;
        ASSERT_TRUE(read_setup_description(package, d));
        EXPECT_EQ(d.page_bitmap_size, c.page.size());
        EXPECT_EQ(d.welcome_bitmap_size, c.welcome.size());
        if (!c.page.empty()) {
            EXPECT_EQ(bytes_at(package, d.page_bitmap_offset, 2), "BM");
        }
        if (!c.welcome.empty()) {
            EXPECT_EQ(bytes_at(package, d.welcome_bitmap_offset, 2), "BM");
        }
        EXPECT_EQ(bytes_at(package, d.files[0].content_offset, d.files[0].content_size), sample.files[0].contents);
    }
}

TEST(SetupDescriptionReader, NoFilesStillCarriesTheInstallSize)
{
    SamplePackage sample = shipped_like_package();
    sample.files.clear();
    sample.total_install_size = 459845;
    const Bytes package = sample.compose();
    SetupDescription d;
    ASSERT_TRUE(read_setup_description(package, d));
    EXPECT_EQ(d.file_count, 0u);
    EXPECT_TRUE(d.files.empty());
    EXPECT_EQ(d.total_install_size, 459845u);
    EXPECT_FALSE(d.offer_startup || d.offer_desktop_icon || d.offer_program_group || d.offer_associate ||
                 d.offer_start_application);
}

TEST(SetupDescriptionReader, OffersComeFromFilesOtherThanTheUninstallModule)
{
    using Flags = std::array<std::uint32_t, 7>;  // startup, group, desktop, subdir, start, register, run
    const Flags all = {1, 1, 1, 1, 1, 1, 1};
    struct Expected {
        bool startup, desktop, group, start;
    };
    struct Case {
        const char* name;
        Flags flags;
        std::uint32_t create_program_group;
        Expected offers;
    } cases[] = {
        {"uninstall.exe", all, 1, {false, false, false, false}},
        {"UNINSTALL.EXE", all, 1, {false, false, false, false}},
        {"Uninstall.Exe", all, 1, {false, false, false, false}},
        {"uninstall.exe.txt", all, 1, {true, true, true, true}},
        {"tool.exe", all, 1, {true, true, true, true}},
        {"tool.exe", {1, 1, 0, 0, 0, 0, 0}, 0, {true, false, false, false}},
        {"tool.exe", {0, 0, 1, 0, 0, 0, 0}, 1, {false, true, false, false}},
        {"tool.exe", {2, 2, 2, 0, 2, 0, 0}, 1, {false, false, false, true}},  // offers need exactly 1; start needs not 0
        {"tool.exe", {0, 0, 0, 1, 0, 1, 1}, 1, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name << " group " << c.create_program_group << " flags "
                                          << c.flags[0] << c.flags[1] << c.flags[2] << c.flags[4]);
        SamplePackage sample;
        sample.registry_section = empty_registry_section();
        SampleFile file = sample_file(c.name, "Tool", "x");
        file.flags = c.flags;
        sample.files = {file};
        sample.create_program_group = c.create_program_group;
        SetupDescription d;
        ASSERT_TRUE(read_setup_description(sample.compose(), d));
        EXPECT_EQ(d.offer_startup, c.offers.startup);
        EXPECT_EQ(d.offer_desktop_icon, c.offers.desktop);
        EXPECT_EQ(d.offer_program_group, c.offers.group);
        EXPECT_EQ(d.offer_start_application, c.offers.start);
        EXPECT_FALSE(d.offer_associate);
    }
}

TEST(SetupDescriptionReader, ExtensionIndexSkipsTheFirstFile)
{
    SamplePackage sample = shipped_like_package();
    sample.extensions = {{".ztx", 0}, {".zt2", 1}, {"." + std::string(extension_limit - 1, 'e'), 0}};
    SetupDescription d;
    ASSERT_TRUE(read_setup_description(sample.compose(), d));
    EXPECT_TRUE(d.offer_associate);
    ASSERT_EQ(d.extension_count, 3u);
    ASSERT_EQ(d.extensions.size(), 3u);
    EXPECT_EQ(d.extensions[0].extension, ".ztx");
    EXPECT_EQ(d.extensions[0].file_index, 1u);
    EXPECT_EQ(d.extensions[1].file_index, 2u);
    EXPECT_EQ(d.extensions[2].extension.size(), extension_limit);
}

TEST(SetupDescriptionReader, ContentOffsetIsNotComparedWithThePosition)
{
    SamplePackage sample = shipped_like_package();
    sample.files[1].stored_offset = 0;  // points at the head of the package: still inside it
    sample.files[2].stored_offset = 3;
    sample.files[2].contents = "";
    const Bytes package = sample.compose();
    SetupDescription d;
    ASSERT_TRUE(read_setup_description(package, d));
    EXPECT_EQ(d.files[1].content_offset, 0u);
    EXPECT_EQ(d.files[2].content_offset, 3u);
    EXPECT_EQ(d.files[2].content_size, 0u);
}

TEST(SetupDescriptionReader, RegistrySectionAndLimitsAtTheirEdge)
{
    SamplePackage sample = shipped_like_package();
    sample.format_marker = std::string(format_marker_limit, 'm');
    sample.files[1].subdirectory = "Data\\Sub";
    sample.registry_section = PackageBytes()
                                  .text(std::string(registry_token_limit, 'S'))  // the opening text is not compared
                                  .text("ROOT").text("HKEY_CURRENT_USER").text("1").text("v")
                                  .text("Name").text("STRING").text("Zelmor")
                                  .text("REGISTRYVALUEEND_UN_99")
                                  .text("PARENTCHILD").text("1").text("Software").text("2").text("v")
                                  .text("REGISTRYVALUEEND_UN_99")
                                  .text("REGISTRYENTRIESEND")
                                  .bytes();
    sample.recommend_reboot = 1;
    sample.require_ie5 = 1;
    SetupDescription d;
    ASSERT_TRUE(read_setup_description(sample.compose(), d));
    EXPECT_EQ(d.format_marker, std::string(format_marker_limit, 'm'));
    ListSnapshot<const RegistryKeyNode> roots = d.registry_keys.children_of(nullptr);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(d.registry_keys.children_of(roots[0]).size(), 1u);
    ASSERT_EQ(d.registry_values.count(), 1u);
    EXPECT_EQ(d.registry_values.values()[0]->string_data, "Zelmor");
    EXPECT_EQ(d.recommend_reboot, 1u);
    EXPECT_EQ(d.require_ie5, 1u);
    EXPECT_EQ(d.files[2].content_offset + d.files[2].content_size, sample.compose().size());
}

TEST(SetupDescriptionReader, RefusesDamagedPackages)
{
    struct Case {
        const char* what;
        std::function<void(SamplePackage&)> damage;
    } cases[] = {
        {"marker one character over its limit",
         [](SamplePackage& p) { p.format_marker = std::string(format_marker_limit + 1, 'm'); }},
        {"file count past the bytes left", [](SamplePackage& p) { p.stored_file_count = 0xFFFFFFFF; }},
        {"one file more than stored", [](SamplePackage& p) { p.stored_file_count = 4; }},
        {"extension count past the bytes left", [](SamplePackage& p) { p.stored_extension_count = 0x7FFFFFFF; }},
        {"extension one character over its limit",
         [](SamplePackage& p) { p.extensions = {{"." + std::string(extension_limit, 'e'), 0}}; }},
        {"extension index at the file count", [](SamplePackage& p) { p.extensions = {{".z", 2}}; }},
        {"extension index wrapping to 0", [](SamplePackage& p) { p.extensions = {{".z", 0xFFFFFFFF}}; }},
        {"extension with no second file", [](SamplePackage& p) { p.files.resize(1); p.extensions = {{".z", 0}}; }},
        {"empty file name", [](SamplePackage& p) { p.files[1].name = ""; }},
        {"file name with a folder", [](SamplePackage& p) { p.files[1].name = "bin\\zeltax.exe"; }},
        {"file name with a slash", [](SamplePackage& p) { p.files[1].name = "../zeltax.exe"; }},
        {"file name with a drive", [](SamplePackage& p) { p.files[1].name = "C:zeltax.exe"; }},
        {"file name \".\"", [](SamplePackage& p) { p.files[1].name = "."; }},
        {"file name \"..\"", [](SamplePackage& p) { p.files[2].name = ".."; }},
        {"absolute subdirectory", [](SamplePackage& p) { p.files[1].subdirectory = "\\Windows"; }},
        {"subdirectory with a slash first", [](SamplePackage& p) { p.files[1].subdirectory = "/etc"; }},
        {"subdirectory on a drive", [](SamplePackage& p) { p.files[1].subdirectory = "D:\\Data"; }},
        {"subdirectory going up", [](SamplePackage& p) { p.files[1].subdirectory = "Data\\..\\..\\Windows"; }},
        {"target folder 4", [](SamplePackage& p) { p.files[1].target_folder = 4; }},
        {"target folder 2^32 - 1", [](SamplePackage& p) { p.files[0].target_folder = 0xFFFFFFFF; }},
        {"contents past the end", [](SamplePackage& p) { p.files[2].stored_size = 9; }},
        {"content range past the end",
         [](SamplePackage& p) { p.files[0].stored_offset = 0x00001000; }},
        {"content range wrapping past 2^32",
         [](SamplePackage& p) {
             p.files[0].stored_offset = 0xFFFFFFF0u;
             p.files[0].contents = std::string(0x20, 'c');
         }},
        {"content offset 2^32 - 1", [](SamplePackage& p) { p.files[2].stored_offset = 0xFFFFFFFF; }},
        {"unknown parent in the registry section",
         [](SamplePackage& p) {
             p.registry_section = PackageBytes()
                                      .text("REGISTRYENTRIESSTART")
                                      .text("PARENTCHILD").text("9").text("Software").text("2").text("v")
                                      .text("REGISTRYVALUEEND_UN_99")
                                      .text("REGISTRYENTRIESEND")
                                      .bytes();
         }},
        {"opening text one character over its limit",
         [](SamplePackage& p) {
             p.registry_section =
                 PackageBytes().text(std::string(registry_token_limit + 1, 'S')).text("REGISTRYENTRIESEND").bytes();
         }},
        {"page picture not BM", [](SamplePackage& p) { p.page_picture[0] = 'X'; }},
        // Names that would take the installation out of its places, or split a log line.
        {"file name with a reserved character", [](SamplePackage& p) { p.files[1].name = "zeltax?.exe"; }},
        {"file name with a line feed", [](SamplePackage& p) { p.files[1].name = "zeltax.exe\nFile Created"; }},
        {"subdirectory with a carriage return", [](SamplePackage& p) { p.files[1].subdirectory = "Data\r"; }},
        {"subdirectory with a reserved character", [](SamplePackage& p) { p.files[1].subdirectory = "Data\\a|b"; }},
        {"shortcut name with a slash", [](SamplePackage& p) { p.files[1].shortcut_name = "../../../Startup/Tax"; }},
        {"shortcut name with a drive", [](SamplePackage& p) { p.files[1].shortcut_name = "C:Tax"; }},
        {"shortcut name with a reserved character", [](SamplePackage& p) { p.files[2].shortcut_name = "Tax*"; }},
        {"shortcut name with CR LF", [](SamplePackage& p) { p.files[0].shortcut_name = "Tax\r\nFile Created"; }},
        {"program group going up", [](SamplePackage& p) { p.program_group_name = "..\\..\\Startup"; }},
        {"program group with a slash", [](SamplePackage& p) { p.program_group_name = "../Startup"; }},
        {"program group on a drive", [](SamplePackage& p) { p.program_group_name = "C:\\Group"; }},
        {"program group with an empty level", [](SamplePackage& p) { p.program_group_name = "Vendor\\"; }},
        {"program group of blanks", [](SamplePackage& p) { p.program_group_name = " "; }},
        {"program group with a line feed", [](SamplePackage& p) { p.program_group_name = "Group\nDescription"; }},
        {"empty program group that is made", [](SamplePackage& p) { p.program_group_name = ""; }},
        {"program group going up without a group",
         [](SamplePackage& p) {
             p.create_program_group = 0;
             p.program_group_name = "..";
         }},
        {"directory name with a line feed", [](SamplePackage& p) { p.directory_name = "Zelmor\nTax"; }},
        {"default location with a tab", [](SamplePackage& p) { p.default_location = "C:\\Apps\t"; }},
        {"empty extension", [](SamplePackage& p) { p.extensions = {{"", 0}}; }},
        {"extension \".\"", [](SamplePackage& p) { p.extensions = {{".", 0}}; }},
        {"extension without its dot", [](SamplePackage& p) { p.extensions = {{"ztx", 0}}; }},
        {"extension with a backslash", [](SamplePackage& p) { p.extensions = {{".ztx\\shell", 0}}; }},
        {"extension with a slash", [](SamplePackage& p) { p.extensions = {{".ztx/shell", 0}}; }},
        {"extension with a line feed", [](SamplePackage& p) { p.extensions = {{".ztx\n", 0}}; }},
        {"root key name with CR LF",
         [](SamplePackage& p) {
             p.registry_section = registry_section_with_value("HKEY_CURRENT_USER\r\nx", "Software", "v");
         }},
        {"child key name with a line feed",
         [](SamplePackage& p) {
             p.registry_section = registry_section_with_value("HKEY_CURRENT_USER", "Soft\nware", "v");
         }},
        {"value name with a backslash",
         [](SamplePackage& p) {
             p.registry_section = registry_section_with_value("HKEY_CURRENT_USER", "Software", "a\\b");
         }},
        {"value name with a carriage return",
         [](SamplePackage& p) {
             p.registry_section = registry_section_with_value("HKEY_CURRENT_USER", "Software", "v\r");
         }},
        {"value name with CR LF on a root",
         [](SamplePackage& p) {
             p.registry_section = PackageBytes()
                                      .text("REGISTRYENTRIESSTART")
                                      .text("ROOT").text("HKEY_CURRENT_USER").text("1").text("v")
                                      .text("v\r\nRegistry Value Created").text("DWORD").text("1")
                                      .text("REGISTRYVALUEEND_UN_99")
                                      .text("REGISTRYENTRIESEND")
                                      .bytes();
         }},
        {"page picture's rows past its size",
         [](SamplePackage& p) { p.page_picture.resize(p.page_picture.size() - 4); }},
        {"welcome picture of 3 bytes", [](SamplePackage& p) { p.welcome_picture = {'B', 'M', 0}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SamplePackage sample = shipped_like_package();
        c.damage(sample);
        Bytes package = sample.compose();
        SetupDescription d;
        EXPECT_FALSE(read_setup_description(package, d));
    }
}

TEST(SetupDescriptionReader, TakesNamesThatStayInsideTheirPlaces)
{
    struct Case {
        const char* what;
        std::function<void(SamplePackage&)> change;
    } cases[] = {
        {"an empty shortcut name for a file without shortcuts",
         [](SamplePackage& p) {
             p.files[2].shortcut_name = "";
             p.files[2].flags = {};
         }},
        {"an empty shortcut name beside a shortcut flag (the link is \".lnk\")",
         [](SamplePackage& p) { p.files[2].shortcut_name = ""; }},
        {"a shortcut name whose \"\\\" become blanks",
         [](SamplePackage& p) { p.files[1].shortcut_name = "..\\..\\Tax"; }},
        {"a nested program group", [](SamplePackage& p) { p.program_group_name = "Zelmor\\Income Tax"; }},
        {"no program group and no name",
         [](SamplePackage& p) {
             p.create_program_group = 0;
             p.program_group_name = "";
         }},
        {"an extension of one letter", [](SamplePackage& p) { p.extensions = {{".z", 0}}; }},
        {"an empty value name, the key's default",
         [](SamplePackage& p) {
             p.registry_section = registry_section_with_value("HKEY_CURRENT_USER", "Software", "");
         }},
        {"a value name with a slash",
         [](SamplePackage& p) {
             p.registry_section = registry_section_with_value("HKEY_CURRENT_USER", "Software", "a/b");
         }},
        {"line breaks in RTF texts, arguments and string data",
         [](SamplePackage& p) {
             p.welcome_text = "{\\rtf1\r\nWelcome}";
             p.files[1].run_arguments = "-a\r\n";
             p.registry_section = registry_section_with_value("HKEY_CURRENT_USER", "Software", "Name");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SamplePackage sample = shipped_like_package();
        c.change(sample);
        SetupDescription d;
        EXPECT_TRUE(read_setup_description(sample.compose(), d));
    }
}

TEST(SetupDescriptionReader, ARefusedPackageLeavesTheDescriptionAsItWas)
{
    SamplePackage sample = shipped_like_package();
    SetupDescription d;
    ASSERT_TRUE(read_setup_description(sample.compose(), d));
    EXPECT_EQ(d.files[2].name, "readZeltax.txt");

    sample.files[2].name = "..";
    ASSERT_FALSE(read_setup_description(sample.compose(), d));
    EXPECT_EQ(d.files[2].name, "readZeltax.txt");
    EXPECT_EQ(d.file_count, 3u);
}

} // namespace
