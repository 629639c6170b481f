// setup.exe finding, checking and inflating its package.
#include "package_format.h"
#include "setup_pages.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <string_view>

namespace {

using namespace package_format;

// The marker as text, to find it in a file read whole.
const std::string marker_text(container_marker.begin(), container_marker.end());

// Names of "Del*.tmp" files in the temporary directory.
std::vector<std::string> unpacking_leftovers()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((std::string(temp) + "Del*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

class SetupUnpacking : public testing::Test {
protected:
    void SetUp() override { leftovers_before = unpacking_leftovers(); }
    void TearDown() override { EXPECT_EQ(unpacking_leftovers(), leftovers_before) << "a temporary copy was left"; }

    // A copy of the shipped setup.exe, changed by `change`, in the scratch directory.
    std::string setup_copy(const std::function<void(std::string&, std::size_t)>& change = nullptr)
    {
        std::string bytes = read_file(test_program_path("setup"));
        std::size_t container = bytes.find(marker_text);
        EXPECT_NE(container, std::string::npos);
        if (change) change(bytes, container);
        std::string path = dir.file("setup.exe");
        EXPECT_TRUE(write_file(path, bytes));
        return path;
    }

    ScratchDirectory dir;
    std::vector<std::string> leftovers_before;
};

TEST_F(SetupUnpacking, TheShippedPackageUnpacksWithoutAWordIntoTheWizard)
{
    ui::Program setup = ui::Program::start(setup_copy(), "", dir.path());
    HWND welcome = wait_for_page(setup.id(), SetupPage::welcome);
    ASSERT_TRUE(welcome);
    EXPECT_FALSE(ui::find_message_box(setup.id()));
    ui::click(ui::control(welcome, IDCANCEL));
    std::optional<DWORD> code = setup.wait_exit();
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0u);
}

TEST_F(SetupUnpacking, TheShippedImageCarriesTheMarkerOnceAndTheBareImageNever)
{
    std::string packaged = read_file(test_program_path("setup"));
    std::size_t first = packaged.find(marker_text);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(packaged.find(marker_text, first + 1), std::string::npos);
    EXPECT_EQ(read_file(test_program_path("setup_stub")).find(marker_text), std::string::npos);
}

TEST_F(SetupUnpacking, DamageIsReportedAsCorruption)
{
    struct Case {
        const char* what;
        std::function<void(std::string&, std::size_t)> change;
    } cases[] = {
        {"a flipped bit in the compressed bytes",
         [](std::string& b, std::size_t c) { b[c + container_header_size + 1000] ^= 0x08; }},
        {"a flipped bit in the checksum", [](std::string& b, std::size_t c) { b[c + checksum_offset + 1] ^= 0x01; }},
        {"a compressed length past the end",
         [](std::string& b, std::size_t c) { b[c + compressed_length_offset + 3] = '\x7F'; }},
        {"a wrong inflated length", [](std::string& b, std::size_t c) { b[c + inflated_length_offset] ^= 0x01; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::Program setup = ui::Program::start(setup_copy(c.change), "", dir.path());
        std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(setup.id());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, "The setup executable is corrupt. This is a fatal error.");
        EXPECT_EQ(box->caption, "Fatal Installation Error");
        EXPECT_EQ(box->icon, ui::BoxIcon::warning);
        EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
        ui::answer(*box, "OK");
        EXPECT_EQ(setup.wait_exit(), 0u);
    }
}

TEST_F(SetupUnpacking, AFileWithoutAContainerEndsSilently)
{
    std::string bare = dir.file("setup.exe");
    ASSERT_TRUE(copy_file(test_program_path("setup_stub"), bare));
    ui::Program setup = ui::Program::start(bare, "", dir.path());
    EXPECT_EQ(setup.wait_exit(), 0u);
    EXPECT_FALSE(ui::find_message_box(setup.id()));
}

// The report's byte format: asctime's 24 characters and line feed, CR LF, the thread id, CR LF,
// then 512 lines "tick source line thread " each ended by CR LF.
void expect_report(const std::string& report, int points)
{
    std::regex header("^[A-Z][a-z]{2} [A-Z][a-z]{2} \\d{2} \\d{2}:\\d{2}:\\d{2} \\d{4}\n\r\n\\d+\r\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(report, match, header)) << report.substr(0, 60);
    std::string rest = report.substr(match.length());
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < rest.size();) {
        std::size_t end = rest.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(rest.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 512u);
    int never_written = std::max(0, 512 - points);
    for (int i = 0; i < never_written; ++i) EXPECT_EQ(lines[i], "0  0 0 ") << i;
    std::regex written("^\\d+ \\\\fatal_probe.cpp (\\d+) \\d+ $");  // the last 16 characters of the path
    int first_point = std::max(1, points - 511);
    for (int i = never_written; i < 512; ++i) {
        ASSERT_TRUE(std::regex_match(lines[i], match, written)) << lines[i];
        EXPECT_EQ(std::stoi(match[1]), first_point + (i - never_written));
    }
}

TEST(FatalShutdown, AppendsAReportOfTheWholeRingAndEndsWithOne)
{
    ScratchDirectory dir;
    std::string probe = dir.file("probe.exe");
    ASSERT_TRUE(copy_file(test_program_path("fatal_probe"), probe));
    std::string log = dir.file("PellwickErrorLog.txt");
    std::size_t previous_size = 0;
    // The shutdown called directly, and reached by running out of memory in the setup program's
    // allocation functions (it has no exceptions to carry that to the start-up stages): asking
    // for more than there is, and asking when all there is has been taken, so that the report
    // and the message must do without the heap.
    struct Case {
        const char* mode;
        int points;
    } cases[] = {{"", 3}, {"", 1000}, {"memory ", 20}, {"exhausted ", 600}, {"exhausted ", 5}};
    // A 64-bit process cannot use up its address space: it would take all the memory of the
    // machine the tests run on. The shipped 32-bit program runs out at 2 GB.
    constexpr bool can_exhaust_memory = sizeof(void*) == 4;
    for (const Case& c : cases) {
        if (!can_exhaust_memory && std::string_view(c.mode) == "exhausted ") continue;
        int points = c.points;
        SCOPED_TRACE(std::string(c.mode) + std::to_string(points));
        ui::Program program = ui::Program::start(probe, c.mode + std::to_string(points), dir.path());
        // Without the message the report is still looked at: either can fail on its own.
        std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(program.id());
        EXPECT_TRUE(box) << "no message";
        if (box) {
            EXPECT_EQ(box->caption, "Must Shutdown due to an error");
            EXPECT_EQ(box->text,
                      "Please locate the PellwickErrorLog.txt file in this programs install directory and email it "
                      "to support@zelmorgraphics.com.  When the problem is resolved you will receive a fixed version "
                      "of this program.");
            EXPECT_EQ(box->icon, ui::BoxIcon::warning);
            ui::answer(*box, "OK");
        }
        EXPECT_EQ(program.wait_exit(), 1u);
        std::string contents = read_file(log);
        ASSERT_GT(contents.size(), previous_size) << "the report was not appended";
        expect_report(contents.substr(previous_size), points);
        previous_size = contents.size();
    }
}

} // namespace
