#include "build_error.h"
#include "manifest.h"
#include "package_format.h"
#include "setup_builder_fixture.h"
#include "source_loader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

using namespace builder;
using namespace std::string_literals;

namespace {

// Every required setting, one per line.
const std::string settings =
    "format_marker = 1\n"
    "show_welcome_page = 1\n"
    "directory_name = Dir\n"
    "default_location = <Program Files>\n"
    "create_program_group = 1\n"
    "program_group_name = Group\n"
    "make_uninstall = 1\n"
    "show_license_page = 0\n"
    "recommend_reboot = 0\n"
    "allow_windows_95 = 1\n"
    "allow_windows_98 = 1\n"
    "allow_windows_me = 1\n"
    "allow_windows_nt351 = 1\n"
    "allow_windows_nt4 = 1\n"
    "allow_windows_2000 = 1\n"
    "allow_windows_xp = 1\n"
    "allow_windows_server_2003 = 1\n"
    "allow_windows_vista = 1\n"
    "require_ie5 = 0\n";
constexpr int S = 19;  // lines of `settings`

const std::string first_file = "[file]\nname = a.exe\nsource = a.exe\ntarget_folder = 3\n";
const std::string head = settings + first_file;
constexpr int H = S + 4;  // lines of `head`

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

class ManifestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("a.exe", "MZa");
        dir.write("b.exe", "MZbb");
        dir.write("text.rtf", "{\\rtf1 hi}");
        dir.write("nul.rtf", "{\\rtf1 h\0i}"s);
        dir.write("pic.bmp", tiny_bitmap());
        dir.write("fake.bmp", "GIF89a........................................................");
        std::filesystem::create_directory(dir.path() / "folder");
    }

    SetupDescription build(const std::string& text, std::optional<std::uint64_t> epoch = 0) const
    {
        return load_sources(parse_manifest(text, defines), dir.path(), epoch);
    }

    // "line: message" of the build's error, or "built".
    std::string problem(const std::string& text) const
    {
        try {
            build(text);
            return "built";
        } catch (const BuildError& error) {
            return std::to_string(error.line()) + ": " + error.what();
        }
    }

    static std::string at(int line, const std::string& message) { return std::to_string(line) + ": " + message; }

    TemporaryDirectory dir;
    // Control characters reach a value through a define.
    Defines defines{{"HERE", "a.exe"}, {"TAB", "\t"}, {"LF", "\n"}, {"CR", "\r"}};
};

TEST_F(ManifestTest, NamesTheLineAndTheProblemOfEveryRefusal)
{
    const std::string long_value = std::string(package_format::registry_token_limit + 1, 'v');
    const std::string long_key_name = std::string(package_format::key_name_limit + 1, 'k');
    const std::string long_extension = "." + std::string(package_format::extension_limit, 'x');
    const std::string long_format_marker = std::string(package_format::format_marker_limit + 1, '1');
    std::string deepest_key_path = "HKEY_USERS";
    for (int level = 0; level < package_format::deepest_key_level; ++level) deepest_key_path += "\\k";
    struct Case {
        std::string text;
        std::string expected;
    } cases[] = {
        // Line syntax
        {"\xEF\xBB\xBF" + head, at(1, "the manifest starts with a UTF-8 byte order mark; its texts are single-byte "
                                      "(code page 1252), save it without one")},
        {head + "name\n", at(H + 1, "expected \"key = value\", a [section] or a comment")},
        {head + "= 1\n", at(H + 1, "a setting needs a key before \"=\"")},
        {head + "[file\n", at(H + 1, "a section header must end with \"]\"")},
        {head + "[ ]\n", at(H + 1, "a section header needs a name, as in [file]")},
        {head + "[files]\n", at(H + 1, "unknown section [files]; sections are [file], [extension], [key] and [value]")},
        {head + "shortcut_name = \"A \n", at(H + 1, "a value that starts with \" must end with \"")},
        {head + "shortcut_name = a\0b\n"s, at(H + 1, "the line holds a NUL byte")},
        {head + "name = b.exe\n", at(H + 1, "\"name\" is given twice (first at line " + std::to_string(S + 2) + ")")},
        {head + "shortcut_name = ${NOPE}\n", at(H + 1, "${NOPE} is not defined (pass --define NOPE=...)")},
        {head + "shortcut_name = ${HERE\n", at(H + 1, "\"${\" without its closing \"}\"")},
        // Keys
        {"colour = blue\n" + head, at(1, "unknown key \"colour\" in the settings before the first section")},
        {head + "shortcut = A\n", at(H + 1, "unknown key \"shortcut\" in the [file] section")},
        {replaced(head, "directory_name = Dir\n", ""),
         at(S, "missing required key \"directory_name\" in the settings before the first section")},
        {replaced(settings, "require_ie5 = 0\n", ""),
         at(S - 1, "missing required key \"require_ie5\" in the settings before the first section")},
        {replaced(head, "source = a.exe\n", ""), at(S + 1, "missing required key \"source\" in the [file] section")},
        {head + "[extension]\nextension = .zx\n", at(H + 1, "missing required key \"program\" in the [extension] section")},
        // Numbers and flags
        {replaced(head, "show_welcome_page = 1", "show_welcome_page = yes"),
         at(2, "show_welcome_page: must be 0 or 1, not \"yes\"")},
        {head + "group_shortcut = 2\nshortcut_name = A\n", at(H + 1, "group_shortcut: must be 0 or 1, not \"2\"")},
        {replaced(head, "target_folder = 3", "target_folder = 3x"),
         at(S + 4, "target_folder: \"3x\" is not a number from 0 to 4294967295")},
        {replaced(head, "target_folder = 3", "target_folder = 4"), at(S + 4, "target_folder: must be 0, 1, 2 or 3, not 4")},
        // Limits
        {replaced(head, "format_marker = 1", "format_marker = " + long_format_marker),
         at(1, "format_marker: is longer than 11 characters")},
        {head + "[extension]\nextension = " + long_extension + "\nprogram = a.exe\n",
         at(H + 2, "extension: \"" + long_extension +
                       "\" is not an extension: it is longer than 1023 characters")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = n\ntype = STRING\ndata = " + long_value + "\n",
         at(H + 5, "data: is longer than 4095 characters")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = " + long_value + "\ntype = DWORD\ndata = 1\n",
         at(H + 3, "name: is longer than 4095 characters")},
        {head + "[key]\nkey_path = HKEY_USERS\\" + long_key_name + "\n",
         at(H + 2, "key_path: \"HKEY_USERS\\" + long_key_name +
                       "\" is not a registry key: a key name is longer than 1023 characters")},
        // File names and folders
        {replaced(head, "name = a.exe", "name = bin\\a.exe"),
         at(S + 2, "name: \"bin\\a.exe\" is not a plain file name: it holds \"\\\"")},
        {replaced(head, "name = a.exe", "name = bin/a.exe"),
         at(S + 2, "name: \"bin/a.exe\" is not a plain file name: it holds \"/\"")},
        {replaced(head, "name = a.exe", "name = c:a.exe"),
         at(S + 2, "name: \"c:a.exe\" is not a plain file name: it holds \":\"")},
        {replaced(head, "name = a.exe", "name = .."),
         at(S + 2, "name: \"..\" is not a plain file name: it is only dots and blanks")},
        {replaced(head, "name = a.exe", "name = ."),
         at(S + 2, "name: \".\" is not a plain file name: it is only dots and blanks")},
        {replaced(head, "name = a.exe", "name = \". .\""),
         at(S + 2, "name: \". .\" is not a plain file name: it is only dots and blanks")},
        {replaced(head, "name = a.exe", "name = a?.exe"),
         at(S + 2, "name: \"a?.exe\" is not a plain file name: it holds \"?\"")},
        {replaced(head, "name = a.exe", "name = a\t.exe"),
         at(S + 2, "name: \"a\t.exe\" is not a plain file name: it holds the control character \\x09")},
        {replaced(head, "name = a.exe", "name ="), at(S + 2, "name: \"\" is not a plain file name: it is empty")},
        {head + "subdirectory = \\Tools\n",
         at(H + 1, "subdirectory: \"\\Tools\" must lie below the target folder: it is absolute")},
        {head + "subdirectory = C:\\Tools\n",
         at(H + 1, "subdirectory: \"C:\\Tools\" must lie below the target folder: it is absolute")},
        {head + "subdirectory = Tools\\..\\..\\Windows\n",
         at(H + 1, "subdirectory: \"Tools\\..\\..\\Windows\" must lie below the target folder: it has a level of dots "
                   "and blanks that goes up, such as \"..\"")},
        {head + "subdirectory = Tools\\. .\n",
         at(H + 1, "subdirectory: \"Tools\\. .\" must lie below the target folder: it has a level of dots and blanks "
                   "that goes up, such as \"..\"")},
        {head + "subdirectory = Tools\\a|b\n",
         at(H + 1, "subdirectory: \"Tools\\a|b\" must lie below the target folder: it holds \"|\"")},
        {head + "subdirectory = Tools\\\\Bin\n",
         at(H + 1, "subdirectory: \"Tools\\\\Bin\" must lie below the target folder: it has an empty level")},
        {head + "subdirectory = ${TAB}\n",
         at(H + 1, "subdirectory: \"\t\" must lie below the target folder: it holds the control character \\x09")},
        {head + "subdirectory = Tools/Bin\n",
         at(H + 1, "subdirectory: \"Tools/Bin\" must lie below the target folder: it holds \"/\" (levels are "
                   "separated by \"\\\")")},
        {head + "use_subdirectory = 1\n", at(H + 1, "use_subdirectory: is 1 but subdirectory is empty")},
        {head + "desktop_shortcut = 1\n", at(S + 1, "shortcut_name: is empty, yet a shortcut is asked for")},
        {head + "shortcut_name = ../../Startup/Tool\n",
         at(H + 1, "shortcut_name: \"../../Startup/Tool\" cannot name a shortcut: its link \"../../Startup/Tool.lnk\" "
                   "is not a plain file name: it holds \"/\"")},
        {head + "shortcut_name = C:Tool\n",
         at(H + 1, "shortcut_name: \"C:Tool\" cannot name a shortcut: its link \"C:Tool.lnk\" is not a plain file name: "
                   "it holds \":\"")},
        {head + "shortcut_name = Tool*\ngroup_shortcut = 1\n",
         at(H + 1, "shortcut_name: \"Tool*\" cannot name a shortcut: its link \"Tool*.lnk\" is not a plain file name: "
                   "it holds \"*\"")},
        {head + "shortcut_name = Tool${LF}File Created\n",
         at(H + 1, "shortcut_name: \"Tool\nFile Created\" cannot name a shortcut: its link \"Tool\nFile Created.lnk\" "
                   "is not a plain file name: it holds the control character \\x0A")},
        // Program group and the other texts of a path
        {replaced(head, "program_group_name = Group", "program_group_name = ..\\..\\Startup"),
         at(6, "program_group_name: \"..\\..\\Startup\" is not a program group folder: its level \"..\" is not a "
               "plain folder name: it is only dots and blanks")},
        {replaced(head, "program_group_name = Group", "program_group_name = Vendor/Product"),
         at(6, "program_group_name: \"Vendor/Product\" is not a program group folder: its level \"Vendor/Product\" is "
               "not a plain folder name: it holds \"/\"")},
        {replaced(head, "program_group_name = Group", "program_group_name = Vendor\\"),
         at(6, "program_group_name: \"Vendor\\\" is not a program group folder: its level \"\" is not a plain "
               "folder name: it is empty")},
        {replaced(head, "program_group_name = Group", "program_group_name ="),
         at(6, "program_group_name: \"\" is not a program group folder: it is empty, yet create_program_group is 1")},
        {replaced(replaced(head, "program_group_name = Group", "program_group_name = C:\\Group"),
                  "create_program_group = 1", "create_program_group = 0"),
         at(6, "program_group_name: \"C:\\Group\" is not a program group folder: its level \"C:\" is not a plain "
               "folder name: it holds \":\"")},
        {replaced(head, "directory_name = Dir", "directory_name = Dir${LF}"),
         at(3, "directory_name: \"Dir\n\" cannot be part of a path: it holds the control character \\x0A")},
        {replaced(head, "default_location = <Program Files>", "default_location = C:\\${TAB}"),
         at(4, "default_location: \"C:\\\t\" cannot be part of a path: it holds the control character \\x09")},
        {head + "[file]\nname = A.EXE\nsource = b.exe\ntarget_folder = 3\n",
         at(H + 2, "duplicate file name \"A.EXE\" (first at line " + std::to_string(S + 2) + ")")},
        // Extensions
        {head + "[extension]\nextension = zx\nprogram = a.exe\n",
         at(H + 2, "extension: \"zx\" is not an extension: it must be \".\" and at least one more character")},
        {head + "[extension]\nextension =\nprogram = a.exe\n",
         at(H + 2, "extension: \"\" is not an extension: it must be \".\" and at least one more character")},
        {head + "[extension]\nextension = .\nprogram = a.exe\n",
         at(H + 2, "extension: \".\" is not an extension: it must be \".\" and at least one more character")},
        {head + "[extension]\nextension = .zx\\shell\nprogram = a.exe\n",
         at(H + 2, "extension: \".zx\\shell\" is not an extension: it holds \"\\\"")},
        {head + "[extension]\nextension = .zx/shell\nprogram = a.exe\n",
         at(H + 2, "extension: \".zx/shell\" is not an extension: it holds \"/\"")},
        {head + "[extension]\nextension = .zx${LF}\nprogram = a.exe\n",
         at(H + 2, "extension: \".zx\n\" is not an extension: it holds the control character \\x0A")},
        {head + "[extension]\nextension = .zx\nprogram = b.exe\n",
         at(H + 3, "program: \"b.exe\" is not the name of a [file] entry")},
        {head + "[extension]\nextension = .zx\nprogram = a.exe\n",
         at(H + 3, "program: \"a.exe\" is the first [file] entry, which a package cannot name as the program of an "
                   "extension; put another file first")},
        // Registry
        {head + "[key]\nkey_path = HKCU\\Software\n",
         at(H + 2, "key_path: \"HKCU\\Software\" is not a registry key: it must start with one of "
                   "HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS")},
        {head + "[key]\nkey_path = HKEY_USERS\\\\Zelmor\n",
         at(H + 2, "key_path: \"HKEY_USERS\\\\Zelmor\" is not a registry key: it has an empty key name")},
        {head + "[key]\nkey_path = HKEY_USERS\\Zel${CR}mor\n",
         at(H + 2, "key_path: \"HKEY_USERS\\Zel\rmor\" is not a registry key: a key name: it holds the control "
                   "character \\x0D")},
        {head + "[key]\nkey_path = " + deepest_key_path + "\\k\n",
         at(H + 2, "key_path: \"" + deepest_key_path + "\\k\" is not a registry key: it is more than 512 levels "
                   "below its root")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = Sub\\Name\ntype = DWORD\ndata = 1\n",
         at(H + 3, "name: \"Sub\\Name\" is not a value name: it holds \"\\\"")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = Name${CR}${LF}Registry Value Created\ntype = DWORD\ndata = 1\n",
         at(H + 3, "name: \"Name\r\nRegistry Value Created\" is not a value name: it holds the control character "
                   "\\x0D")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = n\ntype = QWORD\ndata = 1\n",
         at(H + 4, "type: must be STRING, DWORD or BINARY, not \"QWORD\"")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = n\ntype = DWORD\ndata = 4294967296\n",
         at(H + 5, "data: \"4294967296\" is not a number from 0 to 4294967295")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = n\ntype = BINARY\ndata = 01 2\n",
         at(H + 5, "data: \"01 2\" is not hexadecimal bytes, as in \"01 A0 FF\"")},
        {head + "[value]\nkey_path = HKEY_USERS\nname = xREGISTRYVALUEEND_UN_99\ntype = DWORD\ndata = 1\n",
         at(H + 3, "name: holds REGISTRYVALUEEND_UN_99, which would end the values of its key early")},
        {head + "[value]\nkey_path = HKEY_USERS\\A\nname = n\ntype = DWORD\ndata = 1\n"
                "[value]\nkey_path = HKEY_USERS\\a\nname = N\ntype = STRING\ndata = x\n",
         at(H + 8, "name: the key already has a value \"N\" (line " + std::to_string(H + 3) + ")")},
        // Files the manifest names
        {replaced(head, "source = a.exe", "source = missing.exe"),
         at(S + 3, "source: \"missing.exe\" cannot be read: No such file or directory")},
        {replaced(head, "source = a.exe", "source = folder"), at(S + 3, "source: \"folder\" is not a regular file")},
        {replaced(head, "source = a.exe", "source ="), at(S + 3, "source: needs a file name")},
        {"welcome_text_file = nul.rtf\n" + head,
         at(1, "welcome_text_file: \"nul.rtf\" cannot be a package text: it holds a NUL byte at offset 8")},
        {"license_text_file = folder\n" + head, at(1, "license_text_file: \"folder\" is not a regular file")},
        {"page_picture_file = fake.bmp\n" + head,
         at(1, "page_picture_file: \"fake.bmp\" is not a BMP file: it does not start with \"BM\"")},
        {"welcome_picture_file = text.rtf\n" + head,
         at(1, "welcome_picture_file: \"text.rtf\" is not a BMP file: it is too short for the BMP headers")},
    };
    for (const Case& c : cases) EXPECT_EQ(problem(c.text), c.expected) << c.text.substr(0, 400);
}

TEST_F(ManifestTest, RefusesAFileLargerThanAPackageCanHold)
{
    // Sparse: takes no disk space, and the builder refuses it before reading.
    std::filesystem::path big = dir.write("big.bin", "");
    std::filesystem::resize_file(big, 0x100000000ull);
    EXPECT_EQ(problem(replaced(head, "source = a.exe", "source = big.bin")),
              at(S + 3, "source: \"big.bin\" is 4294967296 bytes, more than the 4294967295 a package can hold"));
}

TEST_F(ManifestTest, RefusesABitmapWhoseHeadersDoNotFit)
{
    std::string short_header = tiny_bitmap();
    short_header[14] = 12;  // an OS/2 core header
    std::string pixels_outside = tiny_bitmap();
    pixels_outside[10] = 58;
    std::string no_width = tiny_bitmap();
    no_width[18] = 0;
    std::string seven_bits = tiny_bitmap();
    seven_bits[28] = 7;
    std::string palette_outside = tiny_bitmap();
    palette_outside[28] = 8;  // 256 colours of 4 bytes follow the header
    std::string pixels_in_header = tiny_bitmap();
    pixels_in_header[10] = 50;
    // The setup program's own check decides; these are the reasons it gives.
    struct Case {
        std::string bytes;
        std::string problem;
    } cases[] = {
        {tiny_bitmap().substr(0, 53), "it is too short for the BMP headers"},
        {short_header, "its bitmap header is not a BITMAPINFOHEADER or a later one"},
        {no_width, "its width is not positive, its height is 0 or it has more than one plane"},
        {seven_bits, "it is not 1, 4, 8, 16, 24 or 32 bits per pixel uncompressed (or bit fields at 16 and 32)"},
        {palette_outside, "its colour table does not fit its bits per pixel or the file"},
        {pixels_in_header, "its pixel offset lies inside its headers or colour table"},
        {pixels_outside, "its pixel rows do not fit inside the file"},
    };
    for (const Case& c : cases) {
        dir.write("odd.bmp", c.bytes);
        EXPECT_EQ(problem("page_picture_file = odd.bmp\n" + head),
                  at(1, "page_picture_file: \"odd.bmp\" is not a BMP file: " + c.problem));
    }
}

TEST_F(ManifestTest, ReadsEveryFieldOfTheDescription)
{
    const std::string text =
        "# comment\n"
        "; another comment\n"
        "format_marker = \"1 \"\n"
        "show_welcome_page = 0\n"
        "welcome_text_file = text.rtf\n"
        "directory_name = Zelmor  Tax\n"
        "default_location = C:\\Apps\r\n"
        "create_program_group = 0\n"
        "program_group_name =\n"
        "make_uninstall = 0\n"
        "show_license_page = 1\n"
        "license_text_file = text.rtf\n"
        "page_picture_file = pic.bmp\n"
        "recommend_reboot = 1\n"
        "allow_windows_95 = 0\n"
        "allow_windows_98 = 1\n"
        "allow_windows_me = 0\n"
        "allow_windows_nt351 = 1\n"
        "allow_windows_nt4 = 0\n"
        "allow_windows_2000 = 1\n"
        "allow_windows_xp = 0\n"
        "allow_windows_server_2003 = 1\n"
        "allow_windows_vista = 0\n"
        "require_ie5 = 1\n"
        "\n"
        "[value]\n"
        "key_path = HKEY_CURRENT_USER\\Software\\Zelmor\\Tax\n"
        "name =\n"
        "type = STRING\n"
        "data = \"\"quoted\" \"\n"
        "[file]\n"
        "name = ${HERE}\n"
        "source = ${HERE}\n"
        "target_folder = 0x2\n"
        "[file]\n"
        "  name  =  b.exe  \n"
        "source = b.exe\n"
        "shortcut_name = \"B\\Tool \"\n"
        "subdirectory = Tools\\Bin\n"
        "target_folder = 1\n"
        "startup_shortcut = 1\n"
        "group_shortcut = 0\n"
        "desktop_shortcut = 1\n"
        "use_subdirectory = 1\n"
        "start_after_install = 1\n"
        "self_register = 1\n"
        "run_during_install = 1\n"
        "run_arguments = /s ${HERE}\n"
        "start_arguments = --go\n"
        "[extension]\n"
        "extension = .ztx\n"
        "program = B.EXE\n"
        "[key]\n"
        "key_path = HKEY_LOCAL_MACHINE\n"
        "[value]\n"
        "key_path = HKEY_CURRENT_USER\n"
        "name = At root\n"
        "type = DWORD\n"
        "data = 0xFFFFFFFF\n"
        "[value]\n"
        "key_path = HKEY_CURRENT_USER\\SOFTWARE\\Zelmor\n"
        "name = Blob\n"
        "type = BINARY\n"
        "data = 00 7f A0ff\n";
    SetupDescription d = build(text, 0x100000002ull);

    EXPECT_EQ(d.format_marker, "1 ");
    EXPECT_FALSE(d.show_welcome_page);
    EXPECT_EQ(d.welcome_text, "{\\rtf1 hi}");
    EXPECT_EQ(d.directory_name, "Zelmor  Tax");
    EXPECT_EQ(d.default_location, "C:\\Apps");
    EXPECT_FALSE(d.create_program_group);
    EXPECT_EQ(d.program_group_name, "");
    EXPECT_FALSE(d.make_uninstall);
    EXPECT_TRUE(d.show_license_page);
    EXPECT_EQ(d.license_text, "{\\rtf1 hi}");
    EXPECT_EQ(std::string(d.page_bitmap.begin(), d.page_bitmap.end()), tiny_bitmap());
    EXPECT_TRUE(d.welcome_bitmap.empty());
    EXPECT_TRUE(d.recommend_reboot);
    EXPECT_EQ((std::vector<bool>{d.allow_windows_95, d.allow_windows_98, d.allow_windows_me, d.allow_windows_nt351,
                                 d.allow_windows_nt4, d.allow_windows_2000, d.allow_windows_xp,
                                 d.allow_windows_server_2003, d.allow_windows_vista}),
              (std::vector<bool>{false, true, false, true, false, true, false, true, false}));
    EXPECT_TRUE(d.require_ie5);

    ASSERT_EQ(d.files.size(), 2u);
    const FileEntry& a = d.files[0];
    EXPECT_EQ(a.name, "a.exe");
    EXPECT_EQ(a.target_folder, 2u);
    EXPECT_EQ(a.shortcut_name, "");
    EXPECT_FALSE(a.startup_shortcut || a.group_shortcut || a.desktop_shortcut || a.use_subdirectory ||
                 a.start_after_install || a.self_register || a.run_during_install);
    EXPECT_EQ(std::string(a.contents.begin(), a.contents.end()), "MZa");
    EXPECT_EQ(a.time_high, 1u);
    EXPECT_EQ(a.time_low, 2u);
    const FileEntry& b = d.files[1];
    EXPECT_EQ(b.name, "b.exe");
    EXPECT_EQ(b.shortcut_name, "B\\Tool ");
    EXPECT_EQ(b.subdirectory, "Tools\\Bin");
    EXPECT_EQ(b.target_folder, 1u);
    EXPECT_TRUE(b.startup_shortcut && !b.group_shortcut && b.desktop_shortcut && b.use_subdirectory &&
                b.start_after_install && b.self_register && b.run_during_install);
    EXPECT_EQ(b.run_arguments, "/s a.exe");
    EXPECT_EQ(b.start_arguments, "--go");

    ASSERT_EQ(d.extensions.size(), 1u);
    EXPECT_EQ(d.extensions[0].extension, ".ztx");
    EXPECT_EQ(d.extensions[0].file_index, 1u);

    // Keys in the order first named, case-insensitively merged; values with their own key.
    ASSERT_EQ(d.registry_keys.size(), 2u);
    const RegistryKeyNode& user = d.registry_keys[0];
    EXPECT_EQ(user.key_name, "HKEY_CURRENT_USER");
    ASSERT_EQ(user.values.size(), 1u);
    EXPECT_EQ(user.values[0].value_name, "At root");
    EXPECT_EQ(user.values[0].kind, RegistryValueKind::dword);
    EXPECT_EQ(user.values[0].dword_data, 0xFFFFFFFFu);
    ASSERT_EQ(user.children.size(), 1u);
    const RegistryKeyNode& software = user.children[0];
    EXPECT_EQ(software.key_name, "Software");
    ASSERT_EQ(software.children.size(), 1u);
    const RegistryKeyNode& zelmor = software.children[0];
    ASSERT_EQ(zelmor.values.size(), 1u);
    EXPECT_EQ(zelmor.values[0].kind, RegistryValueKind::binary);
    EXPECT_EQ(zelmor.values[0].binary_data, (Bytes{0x00, 0x7F, 0xA0, 0xFF}));
    ASSERT_EQ(zelmor.children.size(), 1u);
    const RegistryKeyNode& tax = zelmor.children[0];
    EXPECT_EQ(tax.key_name, "Tax");
    ASSERT_EQ(tax.values.size(), 1u);
    EXPECT_EQ(tax.values[0].value_name, "");
    EXPECT_EQ(tax.values[0].kind, RegistryValueKind::string);
    EXPECT_EQ(tax.values[0].string_data, "\"quoted\" ");
    EXPECT_EQ(d.registry_keys[1].key_name, "HKEY_LOCAL_MACHINE");
    EXPECT_TRUE(d.registry_keys[1].values.empty() && d.registry_keys[1].children.empty());
}

TEST_F(ManifestTest, StampsFilesWithTheirModificationTimeUnlessSourceDateEpochIsSet)
{
    struct timespec times[2] = {{0, UTIME_OMIT}, {1262304000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (dir.path() / "a.exe").c_str(), times, 0), 0);

    SetupDescription from_file = build(head, std::nullopt);
    EXPECT_EQ(from_file.files[0].time_high, 0u);
    EXPECT_EQ(from_file.files[0].time_low, 1262304000u);

    SetupDescription from_epoch = build(head, 0x123456789ull);
    EXPECT_EQ(from_epoch.files[0].time_high, 0x1u);
    EXPECT_EQ(from_epoch.files[0].time_low, 0x23456789u);
}

TEST_F(ManifestTest, TakesRelativePathsFromTheManifestsDirectoryAndAbsolutePathsAsThey)
{
    TemporaryDirectory elsewhere;
    std::filesystem::path program = elsewhere.write("built.exe", "MZbuilt");
    SetupDescription d = build(replaced(head, "source = a.exe", "source = " + program.string()));
    EXPECT_EQ(std::string(d.files[0].contents.begin(), d.files[0].contents.end()), "MZbuilt");
}

} // namespace
