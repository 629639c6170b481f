// Reading and writing whole files for the command line. An output appears complete or not at
// all, so that a failed build never leaves a setup file that looks usable.
#pragma once

#include "setup_description.h"

#include <span>
#include <string>

namespace builder {

// Throws BuildError naming the file.
Bytes read_whole_file(const std::string& path);

enum class FileKind { data, program };

// Writes a temporary file beside `path` and renames it over `path`; on any failure the
// temporary file is removed and `path` is left as it was. A program gets execute permission,
// as a linker's output would. Throws BuildError naming the file.
void write_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes, FileKind kind);

} // namespace builder
