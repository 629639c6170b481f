// uninstall.exe under Wine: the started copy and its working copy, finding the log, the warning
// about running programs, and what the removal does with each kind of entry.
#include "scoped_registry_key.h"
#include "test_environment.h"
#include "ui_driver.h"
#include "uninstall_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int text_field = 202;
constexpr int details_button = 3;
constexpr int progress_details_button = 206;
constexpr int progress_bar = 204;
constexpr char already_running[] = "There is already an instance of this program running.";

std::string windows_directory()
{
    char path[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

std::string upper_case(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

class Uninstaller : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(copy_file(test_program_path("uninstall"), program())); }

    std::string program() const { return installation.file("uninstall.exe"); }
    std::string log_path() const { return installation.file("Install_Log.txt"); }
    // The command line of the system's uninstall entry: the program and the log, each quoted.
    std::string command_line() const { return quoted_path(program()) + " " + quoted_path(log_path()); }

    void write_log(const std::vector<std::pair<std::string, std::string>>& entries)
    {
        ASSERT_TRUE(write_file(log_path(), install_log(entries)));
    }

    // Presses Uninstall on the first page; the progress page, or null.
    static HWND press_uninstall(UninstallerRun& run)
    {
        HWND first = run.wait_for_first_page();
        if (!first) return nullptr;
        ui::click(ui::control(first, IDOK));
        return run.wait_for_progress_page();
    }

    // Uninstall, and the progress page once the removal is complete; null when it does not end.
    static HWND uninstall_to_the_end(UninstallerRun& run)
    {
        HWND progress = press_uninstall(run);
        return progress && run.wait_for_completion(progress) ? progress : nullptr;
    }

    // Exit on the completed progress page; true when the working copy then ends with 0.
    static bool exit_uninstaller(UninstallerRun& run, HWND progress)
    {
        ui::click(ui::control(progress, IDCANCEL));
        return run.wait_exit() == 0u;
    }

    ScratchDirectory installation;
    ScratchDirectory temporary;
};

TEST_F(Uninstaller, StartedWithoutArgumentsReadsTheLogBesideTheStartedCopyAndListsItsDetails)
{
    std::string file = installation.file("ledger.txt");
    ASSERT_TRUE(write_file(file, "kept"));
    write_log({{"Description", "Quiet Ledger"}, {"File Created", file}});

    UninstallerRun run(quoted_path(program()), temporary.path());
    ASSERT_TRUE(run.started());
    HWND page = run.wait_for_first_page();
    ASSERT_TRUE(page);
    EXPECT_EQ(ui::text(page), "Uninstall Quiet Ledger");
    HWND text = ui::control(page, text_field);
    EXPECT_EQ(ui::text(text), "This program will uninstall Quiet Ledger\r\n");
    // The working copy runs from a "Del" file of the temporary directory.
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(temporary.file("Del*.tmp").c_str(), &found);
    EXPECT_NE(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);

    HWND details = ui::control(page, details_button);
    ui::click(details);
    std::string expected = "This program will uninstall Quiet Ledger\r\n\r\nDetails\r\nDelete File " + file + "\r\n";
    EXPECT_TRUE(ui::wait_until([&] { return ui::text(text) == expected; })) << ui::text(text);
    EXPECT_FALSE(ui::is_enabled(details));

    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(run.wait_exit(), 0u);
    EXPECT_TRUE(file_exists(file));
}

TEST_F(Uninstaller, AMissingLogLeavesOnlyCancel)
{
    std::string named = installation.file("Gone_Log.txt");
    UninstallerRun run(quoted_path(program()) + " " + quoted_path(named), temporary.path());
    ASSERT_TRUE(run.started());
    HWND page = run.wait_for_first_page();
    ASSERT_TRUE(page);
    EXPECT_EQ(ui::text(ui::control(page, text_field)),
              "Can not find: " + named + "\r\nCan not find: " + log_path() +
                  "\r\n\r\nUnable to find the Install_Log.txt file which controls this uninstall program.\r\n\r\n"
                  "Can not continue the uninstall process. ");
    EXPECT_FALSE(ui::is_enabled(ui::control(page, IDOK)));
    EXPECT_FALSE(ui::is_enabled(ui::control(page, details_button)));
    EXPECT_TRUE(ui::is_enabled(ui::control(page, IDCANCEL)));
    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(run.wait_exit(), 0u);
}

TEST_F(Uninstaller, ASecondWorkingCopySaysOneIsRunningAndEnds)
{
    write_log({{"Description", "Twice Started"}});
    UninstallerRun first(command_line(), temporary.path());
    ASSERT_TRUE(first.started());
    HWND page = first.wait_for_first_page();
    ASSERT_TRUE(page);

    UninstallerRun second(command_line(), temporary.path());
    ASSERT_TRUE(second.started());
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(second.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, already_running);
    EXPECT_EQ(box->caption, already_running);
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    ui::answer(*box, "OK");
    EXPECT_EQ(second.wait_exit(), 0u);

    EXPECT_TRUE(IsWindow(page));
    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(first.wait_exit(), 0u);
}

TEST_F(Uninstaller, WarnsAboutAnInstalledProgramThatIsRunning)
{
    std::string running = installation.file("zlmprobe.exe");
    ASSERT_TRUE(copy_file(test_program_path("zeltax"), running));
    ui::Program estimator = ui::Program::start(running, "", installation.path());
    ASSERT_TRUE(ui::wait_for_window(estimator.id(), "TForm1"));
    write_log({{"Description", "Busy Books"}, {"File Created", program()}, {"File Created", running}});

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    HWND page = run.wait_for_first_page();
    ASSERT_TRUE(page);
    EXPECT_EQ(ui::text(ui::control(page, text_field)),
              "This program will uninstall Busy Books\r\n\r\nWARNING: Some of the files you will be deleting are "
              "currently running on the system.  It is recommended you close the following applications before "
              "uninstalling:\r\nzlmprobe.exe\r\n");
    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(run.wait_exit(), 0u);
    estimator.terminate();
}

TEST_F(Uninstaller, RemovesAFileTheLogNamesTwiceOnlyWhenTheEarlierEntryComesUp)
{
    // A read-only file stays, so each attempt to delete it would show a message.
    std::string stubborn = installation.file("stubborn.txt");
    std::string plain = installation.file("plain.txt");
    ASSERT_TRUE(write_file(stubborn, "s") && write_file(plain, "p"));
    SetFileAttributesA(stubborn.c_str(), FILE_ATTRIBUTE_READONLY);
    write_log({{"Description", "Twice Logged"},
               {"File Created", stubborn},
               {"File Created", plain},
               {"File Created", stubborn}});

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    HWND progress = press_uninstall(run);
    ASSERT_TRUE(progress);
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(run.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Unable to delete file: " + stubborn);
    EXPECT_EQ(box->caption, "Uninstall Information");
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    // The later entry was passed over: the file after it in the removal went first.
    EXPECT_FALSE(file_exists(plain));
    ui::answer(*box, "OK");
    ASSERT_TRUE(run.wait_for_completion(progress));
    EXPECT_FALSE(ui::find_message_box(run.id()));
    EXPECT_TRUE(exit_uninstaller(run, progress));
    SetFileAttributesA(stubborn.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Uninstaller, EmptiesAndRemovesADirectoryAlsoOfFilesTheInstallationDidNotMake)
{
    std::string product = installation.file("Product");
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
    ASSERT_TRUE(write_file(product + "\\made.txt", "m") && write_file(product + "\\foreign.txt", "f"));
    write_log({{"Directory Created", product}, {"Description", "Full Folder"}, {"File Created", product + "\\made.txt"}});

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    HWND progress = uninstall_to_the_end(run);
    ASSERT_TRUE(progress);
    EXPECT_EQ(GetFileAttributesA(product.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(ui::find_message_box(run.id()));
    EXPECT_TRUE(exit_uninstaller(run, progress));
}

TEST_F(Uninstaller, ReportsAFirstDirectoryThatKeepsASubdirectory)
{
    std::string product = installation.file("Product");
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((product + "\\Added Later").c_str(), nullptr));
    write_log({{"Directory Created", product}, {"Description", "Kept Folder"}});

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(press_uninstall(run));
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(run.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Unable to remove directory: " + product);
    EXPECT_EQ(box->caption, "Uninstall Information");
    ui::answer(*box, "OK");
    HWND progress = run.wait_for_progress_page();
    ASSERT_TRUE(progress && run.wait_for_completion(progress));
    EXPECT_NE(GetFileAttributesA((product + "\\Added Later").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(exit_uninstaller(run, progress));
}

TEST_F(Uninstaller, LeavesTheDriveRootTheWindowsFolderAndRelativePathsAloneAndSaysSoInTheDetails)
{
    // Plain files where a log taken at its word would have them deleted: the drive root, the
    // Windows folder, and the temporary directory, the working copy's current directory.
    const std::string name = "zelmor planted " + std::to_string(GetCurrentProcessId()) + ".txt";
    const std::string windows = windows_directory();
    RemovedAtEnd at_root("C:\\" + name), in_windows(windows + "\\" + name), in_temporary(temporary.file(name));
    for (const RemovedAtEnd* planted : {&at_root, &in_windows, &in_temporary})
        ASSERT_TRUE(write_file(planted->path(), "planted")) << planted->path();
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"Directory Created", "C:\\"},
        {"Description", "Greedy Log"},
        {"Directory Created", "C:"},
        {"Directory Created", ""},
        {"Directory Created", "."},
        {"Directory Created", upper_case(windows) + "\\"},
        {"Program Group Created", windows},
        {"Delete List", name},
        {"File Created", name},
    };
    write_log(entries);

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    HWND progress = uninstall_to_the_end(run);
    ASSERT_TRUE(progress);
    // Not even the first entry's directory, which stays, is worth a message.
    EXPECT_FALSE(ui::find_message_box(run.id()));
    for (const RemovedAtEnd* planted : {&at_root, &in_windows, &in_temporary})
        EXPECT_EQ(read_file(planted->path()), "planted") << planted->path();
    EXPECT_TRUE(GetFileAttributesA(windows.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    HWND details = ui::control(progress, progress_details_button);
    ASSERT_TRUE(ui::is_visible(details) && ui::is_enabled(details));
    ui::click(details);
    std::string expected =
        "Uninstall Complete\r\n\r\nBecause the following items were changed after the original install the "
        "uninstaller could not accomplish the following tasks.  These items are considered informational and are not "
        "serious problems.\r\n\r\n";
    // From the last entry to the first.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        if (entry->first != "Description")
            expected += "Not removed, not a folder of this installation: " + entry->second + "\r\n\r\n";
    HWND text = ui::control(progress, text_field);
    EXPECT_TRUE(ui::wait_until([&] { return ui::text(text) == expected; })) << ui::text(text);
    EXPECT_TRUE(exit_uninstaller(run, progress));
}

TEST_F(Uninstaller, ListsAShortcutItCouldNotDeleteInTheDetailsAndGoesOn)
{
    std::string file = installation.file("after.txt");
    std::string shortcut = installation.file("Moved Away.lnk");
    ASSERT_TRUE(write_file(file, "a"));
    write_log({{"Description", "Lost Link"}, {"File Created", file}, {"Desktop Shortcut Created", shortcut}});

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    HWND progress = uninstall_to_the_end(run);
    ASSERT_TRUE(progress);
    EXPECT_FALSE(file_exists(file));
    EXPECT_FALSE(ui::find_message_box(run.id()));

    // The completed page.
    HWND text = ui::control(progress, text_field);
    HWND details = ui::control(progress, progress_details_button);
    HWND exit = ui::control(progress, IDCANCEL);
    EXPECT_EQ(ui::text(text), "Uninstall Complete");
    EXPECT_TRUE(ui::is_visible(text));
    EXPECT_FALSE(ui::is_visible(ui::control(progress, progress_bar)));
    EXPECT_TRUE(ui::is_visible(exit) && ui::is_enabled(exit));
    ASSERT_TRUE(ui::is_visible(details) && ui::is_enabled(details));

    ui::click(details);
    std::string expected =
        "Uninstall Complete\r\n\r\nBecause the following items were changed after the original install the "
        "uninstaller could not accomplish the following tasks.  These items are considered informational and are not "
        "serious problems.\r\n\r\nUnable to delete desktop shortcut: " +
        shortcut + "\r\n\r\n";
    EXPECT_TRUE(ui::wait_until([&] { return ui::text(text) == expected; })) << ui::text(text);
    EXPECT_FALSE(ui::is_enabled(details));
    EXPECT_TRUE(exit_uninstaller(run, progress));
}

TEST_F(Uninstaller, AsksBeforeDeletingASharedFile)
{
    for (const char* answer : {"No", "Yes"}) {
        SCOPED_TRACE(answer);
        std::string shared = installation.file("shared.dll");
        ASSERT_TRUE(write_file(shared, "MZ"));
        write_log({{"Description", "Shared Parts"}, {"File Created Ask To Remove", shared}});

        UninstallerRun run(command_line(), temporary.path());
        ASSERT_TRUE(run.started());
        HWND progress = press_uninstall(run);
        ASSERT_TRUE(progress);
        std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(run.id());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, "Delete File?");
        EXPECT_EQ(box->text,
                  "The file " + shared + " is in a shared location or registered. Would you like to delete it?");
        EXPECT_EQ(box->icon, ui::BoxIcon::information);
        EXPECT_EQ(box->buttons, (std::vector<std::string>{"&Yes", "&No"}));
        ui::answer(*box, answer);
        ASSERT_TRUE(run.wait_for_completion(progress));
        EXPECT_EQ(file_exists(shared), std::string(answer) == "No");
        EXPECT_TRUE(exit_uninstaller(run, progress));
    }
}

TEST_F(Uninstaller, AsksEachSharedFileInTurnInALogOfFarMoreEntriesThanOneTickRemoves)
{
    // A tick removes entries for a few milliseconds only: 2,000 files take many ticks, and the
    // questions come up in the middle of ticks.
    constexpr std::size_t file_count = 2000;
    struct Question {
        std::size_t file;
        const char* answer;
    };
    // In the order of the removal, from the last entry to the first.
    const Question questions[] = {{1500, "Yes"}, {1499, "No"}, {1000, "No"}, {500, "Yes"}};
    auto asked = [&](std::size_t file) {
        return std::any_of(std::begin(questions), std::end(questions),
                           [&](const Question& question) { return question.file == file; });
    };
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> entries{{"Description", "Many Parts"}};
    for (std::size_t i = 0; i < file_count; ++i) {
        files.push_back(installation.file("part" + std::to_string(i) + ".txt"));
        ASSERT_TRUE(write_file(files.back(), "p"));
        entries.push_back({asked(i) ? "File Created Ask To Remove" : "File Created", files.back()});
    }
    write_log(entries);
    // The first file whose presence is not what `present` says it should be; file_count when none.
    auto first_unexpected = [&](const std::function<bool(std::size_t)>& present) {
        for (std::size_t i = 0; i < file_count; ++i)
            if (file_exists(files[i]) != present(i)) return i;
        return file_count;
    };
    std::vector<std::size_t> kept;  // the files answered with No so far

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    HWND progress = press_uninstall(run);
    ASSERT_TRUE(progress);
    std::string answered;  // each question names its own file; a box is found before its text is set
    for (const Question& question : questions) {
        SCOPED_TRACE(files[question.file]);
        std::optional<ui::MessageBoxInfo> box;
        ASSERT_TRUE(ui::wait_until([&] {
            box = ui::find_message_box(run.id());
            return box && !box->text.empty() && box->text != answered;
        }));
        EXPECT_EQ(box->text, "The file " + files[question.file] +
                                 " is in a shared location or registered. Would you like to delete it?");
        // Everything after the asked file is gone but what was kept, everything before it is there.
        EXPECT_EQ(first_unexpected([&](std::size_t i) {
                      return i <= question.file || std::find(kept.begin(), kept.end(), i) != kept.end();
                  }),
                  file_count);
        if (std::string(question.answer) == "No") kept.push_back(question.file);
        answered = box->text;
        ASSERT_TRUE(ui::answer(*box, question.answer));
    }
    ASSERT_TRUE(run.wait_for_completion(progress));
    EXPECT_FALSE(ui::find_message_box(run.id()));
    EXPECT_EQ(first_unexpected([&](std::size_t i) { return std::find(kept.begin(), kept.end(), i) != kept.end(); }),
              file_count);
    EXPECT_TRUE(exit_uninstaller(run, progress));
}

TEST_F(Uninstaller, DeletesTheDefaultValueForAValueEntryWithoutName)
{
    const std::string key_path = "Software\\Zelmor Uninstall Test " + std::to_string(GetCurrentProcessId());
    {
        ScopedRegistryKey key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  key.receive(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key.get(), "", 0, REG_SZ, reinterpret_cast<const BYTE*>("d"), 1);
        RegSetValueExA(key.get(), "Keep", 0, REG_SZ, reinterpret_cast<const BYTE*>("k"), 1);
    }
    write_log({{"Description", "Default Value"}, {"Registry Value Created", "HKEY_CURRENT_USER\\" + key_path + "\\"}});

    UninstallerRun run(command_line(), temporary.path());
    ASSERT_TRUE(run.started());
    HWND progress = uninstall_to_the_end(run);
    ASSERT_TRUE(progress);
    EXPECT_FALSE(ui::find_message_box(run.id()));
    // Nothing failed: no Details.
    EXPECT_FALSE(ui::is_visible(ui::control(progress, progress_details_button)));
    EXPECT_TRUE(exit_uninstaller(run, progress));

    ScopedRegistryKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key_path.c_str(), 0, KEY_READ, key.receive()), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key.get(), "", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(key.get(), "Keep", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    key.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, key_path.c_str());
}

TEST_F(Uninstaller, WorksFromATemporaryDirectoryWithBlanksInItsPath)
{
    std::string blank_temp = temporary.file("Temp With Blanks");
    ASSERT_TRUE(CreateDirectoryA(blank_temp.c_str(), nullptr));
    // The log lies away from the program, so only the handed-on argument can find it.
    std::string log_directory = installation.file("Saved Logs");
    ASSERT_TRUE(CreateDirectoryA(log_directory.c_str(), nullptr));
    std::string log = log_directory + "\\Install_Log.txt";
    std::string file = installation.file("blank.txt");
    ASSERT_TRUE(write_file(file, "b"));
    ASSERT_TRUE(write_file(log, install_log({{"Description", "Blank Paths"}, {"File Created", file}})));

    UninstallerRun run(quoted_path(program()) + " " + quoted_path(log), blank_temp);
    ASSERT_TRUE(run.started());
    HWND first = run.wait_for_first_page();
    ASSERT_TRUE(first);
    EXPECT_EQ(ui::text(first), "Uninstall Blank Paths");
    HWND progress = uninstall_to_the_end(run);
    ASSERT_TRUE(progress);
    EXPECT_FALSE(file_exists(file));
    EXPECT_TRUE(exit_uninstaller(run, progress));
}

} // namespace
