// Where the package's files go on this system, and starting them.
#pragma once

#include "install_context.h"

#include <cstddef>
#include <string>

// The base directory of the entry's target folder (Windows, System, Common Files or the
// destination), "\", the subdirectory and "\" when used, then the name; between double quotes
// when `quoted`.
std::string installed_path(const InstallContext& install, std::size_t entry, bool quoted);

// With a program: runs it with the command line "program" [blank arguments]. Without one: runs
// the entry's installed file with its quoted path [blank arguments]. Never waits.
bool start_program(const InstallContext& install, std::size_t entry, const std::string* program,
                   const std::string& arguments);
