// What the Wine tests get from ctest, and scratch space for them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

// Takes the NAME=PATH arguments (Unix paths) that name the programs under test.
void register_test_programs(int argc, char** argv);
// Windows path of a program registered by name; empty when there is none.
std::string test_program_path(const std::string& name);

// A new empty directory under the temporary directory, removed with everything in it when the
// object goes.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// A file or a directory tree that a test puts outside its scratch directories, removed with
// everything in it when the object goes.
class RemovedAtEnd {
public:
    explicit RemovedAtEnd(std::string path) : path_(std::move(path)) {}
    ~RemovedAtEnd();
    RemovedAtEnd(const RemovedAtEnd&) = delete;
    RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A program run to its end: its exit code, and what it wrote to its standard output and error,
// without trailing blanks and line ends.
struct ProgramRun {
    DWORD exit_code = 0xFFFFFFFF;
    std::string output;
};

// Runs the command line (console programs without a console window) and waits for its end.
ProgramRun run_and_capture(std::string command_line);

// The value of an environment variable of this process, or none when it is not set.
std::optional<std::string> environment_variable(const std::string& name);

// An environment variable of this process, and so of the programs it starts, set for the life of
// the object and restored after.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(std::string name, const std::string& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// Copies a file; false when it fails.
bool copy_file(const std::string& from, const std::string& to);
std::string read_file(const std::string& path);
bool write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);
// Removes a directory tree (files first).
void remove_tree(const std::string& path);

// Makes the directory refuse new files, even to an administrator; false when this system offers
// no way to. make_directory_writable() undoes it.
bool make_directory_unwritable(const std::string& directory);
void make_directory_writable(const std::string& directory);
