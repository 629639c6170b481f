// Libraries planted beside the programs and in the temporary directory: copies of the planted
// library under each name that Wine is told to prefer native copies of (WINEDLLOVERRIDES, which
// ctest sets for this test: Wine takes it from the environment its first process started with, so
// a program started from here gets it as this one did). Each program shows its window and loads
// none of the copies. A probe that imports comctl32.dll at load time shows first that the copies
// would be taken.
#include "planted_library.h"
#include "scoped_find_handle.h"
#include "setup_pages.h"
#include "test_environment.h"
#include "ui_driver.h"
#include "uninstall_driver.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The names in the entries "name,name=n,b" of Wine's library settings.
std::vector<std::string> preferred_native_libraries()
{
    std::vector<std::string> names;
    for (const std::string& entry : split(environment_variable("WINEDLLOVERRIDES").value_or(""), ';')) {
        std::size_t equals = entry.find('=');
        if (equals == std::string::npos || entry.substr(equals + 1) != "n,b") continue;
        for (const std::string& name : split(entry.substr(0, equals), ',')) names.push_back(name);
    }
    return names;
}

// Where the test puts the programs' copies: their folder and the temporary directory.
struct PlantedFolders {
    const ScratchDirectory& programs;
    const ScratchDirectory& temporary;
};

bool show_setup_first_page(const PlantedFolders& folders)
{
    ui::Program setup = start_setup("shipped", folders.programs);
    HWND page = wait_for_new_page(setup.id(), nullptr);
    if (!page) return false;
    ui::click(ui::control(page, IDCANCEL));
    return setup.wait_exit() == 0u;
}

// With a log written by hand; the working copy runs from the temporary directory.
bool show_uninstall_page(const PlantedFolders& folders)
{
    std::string program = folders.programs.file("uninstall.exe");
    std::string log = folders.programs.file("Install_Log.txt");
    if (!copy_file(test_program_path("uninstall"), program) ||
        !write_file(log, install_log({{"Description", "Planted Neighbours"}})))
        return false;
    UninstallerRun run(quoted_path(program) + " " + quoted_path(log), folders.temporary.path());
    HWND page = run.wait_for_first_page();
    if (!page) return false;
    ui::click(ui::control(page, IDCANCEL));
    return run.wait_exit() == 0u;
}

bool show_estimator_window(const PlantedFolders& folders)
{
    std::string program = folders.programs.file("zeltax.exe");
    if (!copy_file(test_program_path("zeltax"), program)) return false;
    ui::Program estimator = ui::Program::start(program, "", folders.programs.path());
    HWND window = ui::wait_for_window(estimator.id(), "TForm1");
    if (!window) return false;
    ui::close(window);
    return estimator.wait_exit() == 0u;
}

struct PlantingCase {
    const char* program;
    // Starts the program from the folders, waits for its first window and closes it; false when
    // the window does not come or the program does not end with 0.
    bool (*show_and_close)(const PlantedFolders&);
};

const PlantingCase planting_cases[] = {
    {"setup", show_setup_first_page},
    {"uninstall", show_uninstall_page},
    {"estimator", show_estimator_window},
};

class PlantedLibraries : public testing::TestWithParam<PlantingCase> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(planted.empty()) << "WINEDLLOVERRIDES prefers no native copies";
        for (const ScratchDirectory* folder : {&programs, &temporary})
            for (const std::string& name : planted)
                ASSERT_TRUE(copy_file(test_program_path("planted_library"), folder->file(name + ".dll")));
    }

    std::vector<std::string> markers_left() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry{};
        ScopedFindHandle search(FindFirstFileA(markers.file("*").c_str(), &entry));
        for (BOOL more = search.valid(); more; more = FindNextFileA(search.get(), &entry))
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
        return names;
    }

    // The libraries that the markers left so far name; the markers are removed.
    std::set<std::string> take_loaded_libraries() const
    {
        std::set<std::string> libraries;
        for (const std::string& marker : markers_left()) {
            libraries.insert(marker_library(marker));
            DeleteFileA(markers.file(marker).c_str());
        }
        return libraries;
    }

    // Runs a copy of the probe from each folder to its end; false when one does not end with 0.
    bool run_probe_in_each_folder(const std::string& probe) const
    {
        for (const ScratchDirectory* folder : {&programs, &temporary}) {
            std::string copy = folder->file(probe + ".exe");
            if (!copy_file(test_program_path(probe), copy)) return false;
            bool ended_well = ui::Program::start(copy, "", folder->path()).wait_exit() == 0u;
            DeleteFileA(copy.c_str());
            if (!ended_well) return false;
        }
        return true;
    }

    const std::vector<std::string> planted = preferred_native_libraries();
    ScratchDirectory programs;
    ScratchDirectory temporary;
    ScratchDirectory markers;
};

TEST_P(PlantedLibraries, ProgramShowsItsWindowWithoutLoadingAnyOfThem)
{
    ScopedEnvironmentVariable marker_directory(planted_library_markers_variable, markers.path());
    TemporaryDirectoryVariables temporary_directory(temporary.path());

    // A program that imports comctl32.dll loads the copy beside it, and still works through it.
    ASSERT_TRUE(run_probe_in_each_folder("comctl32_probe"));
    EXPECT_EQ(take_loaded_libraries().count("comctl32.dll"), 1u);
    // What the system's own load-time libraries take from the folders before any code runs.
    ASSERT_TRUE(run_probe_in_each_folder("windowed_probe"));
    std::set<std::string> taken_before_any_code = take_loaded_libraries();

    ASSERT_TRUE(GetParam().show_and_close({programs, temporary}));
    std::set<std::string> loaded = take_loaded_libraries();
    for (const std::string& library : taken_before_any_code) loaded.erase(library);
    EXPECT_EQ(loaded, std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Programs, PlantedLibraries, testing::ValuesIn(planting_cases),
                         [](const testing::TestParamInfo<PlantingCase>& info) { return info.param.program; });

} // namespace
