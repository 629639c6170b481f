// What the installation tests look at: the install log, links, registry values, file times,
// removing what an installation left outside its scratch directory, and taking an installation
// back through its uninstaller.
#pragma once

#include "uninstall_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The shell's path of a CSIDL folder (no trailing "\").
std::string shell_folder(int csidl);

// The lines of a text whose lines end in CR LF; a last line without CR LF is kept as it is.
std::vector<std::string> crlf_lines(const std::string& text);

// A template's lines (LF or CR LF ends) with every ${NAME} replaced by its value.
std::vector<std::string> expanded_lines(const std::string& text,
                                        const std::vector<std::pair<std::string, std::string>>& values);

// Compares two line lists one line at a time, naming the first difference.
::testing::AssertionResult same_lines(const std::vector<std::string>& expected, const std::vector<std::string>& actual);

struct LinkInfo {
    std::string target, working_directory, description;
};
// Reads a shell link through IShellLinkA; none when it cannot be loaded.
std::optional<LinkInfo> read_link(const std::string& path);

// A value of the registry: its type and bytes; none when the key or value is missing.
struct RegistryData {
    DWORD type = 0;
    std::string bytes;
};
std::optional<RegistryData> registry_value(HKEY root, const std::string& key, const std::string& name);
bool registry_key_exists(HKEY root, const std::string& key);
// Removes the key with everything below it (nothing when it is missing).
void delete_registry_tree(HKEY root, const std::string& key);

// The file's last-write time in seconds since 1970; 0 when the file is missing.
std::uint64_t write_time(const std::string& path);
bool set_write_time(const std::string& path, std::uint64_t seconds);

// Uninstall on the uninstaller's first page (titled `title`), then Exit once the removal is
// complete; no message and no reported failure on the way.
::testing::AssertionResult uninstall_to_the_end(UninstallerRun& run, const std::string& title);
