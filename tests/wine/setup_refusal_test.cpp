// setup.exe refusing a package whose names would take the installation out of its places or
// forge install log entries: the corrupt-package message, exit code 0, and nothing written.
//
// The package builder refuses such packages, so they are made here from one it built
// (packages/refusal.manifest): its package is inflated, one placeholder text is replaced, the
// content offsets behind it are moved by the change in length, and the package is deflated and
// given its checksum again.
#include "Configure.h"
#include "crc.h"
#include "install_checks.h"
#include "package_format.h"
#include "setup_pages.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace package_format;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t u32_at(const Bytes& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void put_u32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> 8 * i);
}

// A package text field: the characters, a NUL and zero padding up to a multiple of 4.
Bytes text_field(const std::string& text)
{
    Bytes field(text.begin(), text.end());
    field.resize(text.size() - text.size() % 4 + 4, 0);
    return field;
}

// A setup file made from another by replacing texts of its package.
class PatchedSetup {
public:
    // False (with a failure reported) when the file holds no package that the reader takes.
    bool load(const std::string& path)
    {
        std::string file = read_file(path);
        file_.assign(file.begin(), file.end());
        auto marker = std::search(file_.begin(), file_.end(), container_marker.begin(), container_marker.end());
        if (marker == file_.end()) return fail("no container in " + path);
        container_ = static_cast<std::size_t>(marker - file_.begin());
        std::uint32_t compressed = u32_at(file_, container_ + compressed_length_offset);
        uLongf inflated = u32_at(file_, container_ + inflated_length_offset);
        package_.resize(inflated);
        const std::uint8_t* stream = file_.data() + container_ + container_header_size;
        if (uncompress(package_.data(), &inflated, stream, compressed) != Z_OK || inflated != package_.size())
            return fail("the package of " + path + " does not inflate");
        SetupDescription description;
        if (!read_setup_description(package_, description)) return fail("the reader refuses " + path);
        for (const FileEntry& entry : description.files) content_offsets_.push_back(entry.content_offset);
        return true;
    }

    // Replaces the one text field that holds `placeholder` by `text`.
    bool replace(const std::string& placeholder, const std::string& text)
    {
        Bytes old_text(placeholder.begin(), placeholder.end());
        old_text.push_back(0);
        auto found = std::search(package_.begin(), package_.end(), old_text.begin(), old_text.end());
        if (found == package_.end() ||
            std::search(found + 1, package_.end(), old_text.begin(), old_text.end()) != package_.end())
            return fail("\"" + placeholder + "\" is not in the package exactly once");
        std::size_t at = static_cast<std::size_t>(found - package_.begin());
        Bytes new_field = text_field(text);
        std::size_t old_size = text_field(placeholder).size();
        package_.erase(package_.begin() + at, package_.begin() + at + old_size);
        package_.insert(package_.begin() + at, new_field.begin(), new_field.end());
        // Every content offset lies behind the description, so behind every text.
        for (std::uint32_t& offset : content_offsets_)
            offset = static_cast<std::uint32_t>(offset + new_field.size() - old_size);
        return true;
    }

    // The setup file: the stub, the container header and the package deflated again.
    bool write(const std::string& path)
    {
        for (std::uint32_t offset : content_offsets_) put_u32(package_, offset - 8, offset);
        uLongf size = compressBound(static_cast<uLong>(package_.size()));
        Bytes stream(size);
        if (compress(stream.data(), &size, package_.data(), static_cast<uLong>(package_.size())) != Z_OK)
            return fail("the package does not deflate");
        stream.resize(size);
        Bytes out(file_.begin(), file_.begin() + container_ + container_header_size);
        put_u32(out, container_ + compressed_length_offset, static_cast<std::uint32_t>(stream.size()));
        put_u32(out, container_ + inflated_length_offset, static_cast<std::uint32_t>(package_.size()));
        put_u32(out, container_ + checksum_offset, compute_crc(stream));
        out.insert(out.end(), stream.begin(), stream.end());
        return write_file(path, std::string(out.begin(), out.end())) || fail("cannot write " + path);
    }

private:
    static bool fail(const std::string& problem)
    {
        ADD_FAILURE() << problem;
        return false;
    }

    Bytes file_;
    std::size_t container_ = 0;
    Bytes package_;
    std::vector<std::uint32_t> content_offsets_;  // where each file's contents start
};

// What an installation of the refusal package could leave: the names in the folders it puts
// things into and above them, and its registry keys.
struct Traces {
    std::map<std::string, std::vector<std::string>> folders;
    std::map<std::string, bool> keys;

    bool operator==(const Traces&) const = default;
};

std::vector<std::string> names_in(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

Traces current_traces(const std::string& scratch)
{
    Traces traces;
    for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_STARTMENU,
                      CSIDL_COMMON_STARTMENU, CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_STARTUP,
                      CSIDL_COMMON_STARTUP, CSIDL_PROGRAM_FILES}) {
        std::string folder = shell_folder(csidl);
        traces.folders[folder] = names_in(folder);
    }
    traces.folders[scratch] = names_in(scratch);
    struct Key {
        HKEY root;
        const char* root_name;
        const char* path;
    } keys[] = {
        {HKEY_CURRENT_USER, "HKCU", "Software\\Zelmor Refusal Test"},
        {HKEY_LOCAL_MACHINE, "HKLM", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\refusal-group"},
        {HKEY_CLASSES_ROOT, "HKCR", ".refusal-extension"},
        {HKEY_CLASSES_ROOT, "HKCR", "refusal-extension_auto_file"},
        {HKEY_CURRENT_USER, "HKCU",
         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.refusal-extension"},
    };
    for (const Key& key : keys)
        traces.keys[std::string(key.root_name) + "\\" + key.path] = registry_key_exists(key.root, key.path);
    return traces;
}

class SetupRefusal : public ::testing::Test {
protected:
    // The refusal package with the replacements, as setup.exe in the scratch directory.
    std::string crafted(const std::vector<std::pair<std::string, std::string>>& replacements)
    {
        std::string path = dir.file("setup.exe");
        PatchedSetup setup;
        bool made = setup.load(test_program_path("refusal"));
        for (const auto& [placeholder, text] : replacements) made = made && setup.replace(placeholder, text);
        return made && setup.write(path) ? path : "";
    }

    ScratchDirectory dir;
};

// The same package with every placeholder replaced by a harmless text of another length: the
// patching keeps the package whole, so the refusals below come from the names alone.
TEST_F(SetupRefusal, APackagePatchedWithHarmlessNamesStartsTheWizard)
{
    std::string setup = crafted({{"refusal-directory", "Zelmor Refusal Directory"},
                                 {"refusal-group", "Zelmor\\Refusal Group"},
                                 {"refusal-file.txt", "f.txt"},
                                 {"refusal-shortcut", "Refusal\\Shortcut"},
                                 {"refusal-subdirectory", "docs\\more"},
                                 {".refusal-extension", ".zrx"},
                                 {"refusal-key", "A Longer Key Name Than Before"},
                                 {"refusal-value", ""}});
    ASSERT_FALSE(setup.empty());
    ui::Program program = ui::Program::start(setup, "", dir.path());
    HWND welcome = wait_for_page(program.id(), SetupPage::welcome);
    ASSERT_TRUE(welcome);
    EXPECT_FALSE(ui::find_message_box(program.id()));
    ui::click(ui::control(welcome, IDCANCEL));
    EXPECT_EQ(program.wait_exit(), 0u);
}

TEST_F(SetupRefusal, NamesThatLeaveTheirPlacesOrSplitALogLineAreACorruptPackage)
{
    struct Case {
        const char* placeholder;
        const char* text;
    } cases[] = {
        {"refusal-shortcut", "../../../Escaped Shortcut"},
        {"refusal-shortcut", "C:Escaped Shortcut"},
        {"refusal-shortcut", "Shortcut\r\nProgram Group Shortcut Created"},
        {"refusal-group", "..\\..\\..\\Escaped Group"},
        {"refusal-group", "../Escaped Group"},
        {"refusal-group", ""},
        {"refusal-group", "Group\r\nDirectory Created"},
        {"refusal-file.txt", "file\r\n.txt"},
        {"refusal-subdirectory", "sub\ndirectory"},
        {"refusal-directory", "refusal\r\ndirectory"},
        {".refusal-extension", ""},
        {".refusal-extension", "refusal"},
        {".refusal-extension", ".refusal\\shell"},
        {".refusal-extension", ".refusal/shell"},
        {"refusal-key", "Key\r\nRegistry Entry Created"},
        {"refusal-value", "Sub\\Value"},
        {"refusal-value", "Value\nRegistry Value Created"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.placeholder) + " -> " + c.text);
        Traces before = current_traces(dir.path());
        std::string setup = crafted({{c.placeholder, c.text}});
        ASSERT_FALSE(setup.empty());
        ui::Program program = ui::Program::start(setup, "", dir.path());
        std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(program.id());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, "The setup executable is corrupt. This is a fatal error.");
        EXPECT_EQ(box->caption, "Fatal Installation Error");
        EXPECT_EQ(box->icon, ui::BoxIcon::warning);
        EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
        EXPECT_FALSE(current_page(program.id())) << "a wizard page came up";
        ui::answer(*box, "OK");
        EXPECT_EQ(program.wait_exit(), 0u);
        DeleteFileA(setup.c_str());
        EXPECT_TRUE(current_traces(dir.path()) == before) << "the refused package left something behind";
    }
}

} // namespace
