// Reading a setup file back the way the setup program does, for the `list` command.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace builder {

struct SetupFileListing {
    std::string text;                  // what was read, even when reading stopped part way
    std::optional<std::string> error;  // why the file could not be read in full
};

// Finds the container, checks its checksum, inflates the package and reads the setup
// description with the setup program's own code, listing each part as it is read. Stops at
// the first problem: no container, a container cut short or with a wrong checksum, a package
// that does not inflate to the header's length, a description the setup program refuses.
SetupFileListing list_setup_file(std::span<const std::uint8_t> file_image);

// Why the setup program would refuse the file, found as list_setup_file finds it; nothing when
// it takes it. The builder reads every setup file it writes back this way before keeping it.
std::optional<std::string> setup_file_problem(std::span<const std::uint8_t> file_image);

} // namespace builder
