// Reading the setup description at the head of the inflated package.
#pragma once

#include "setup_description.h"

#include <cstdint>
#include <span>

// Walks the package once from its first byte and fills the description, whose offsets point into
// the package; the package stays the caller's. Returns false for a damaged package (a field past
// the end, a text over its limit, a name that breaks its rule in install_names.h: a file name,
// subdirectory, shortcut name or program group that would leave the chosen folders, an
// extension that is not one, a control character in a text that becomes a path, a key or a log
// line; an unknown target folder, an extension naming no file, a file's contents outside the
// package, a picture that is not a complete BMP image, a damaged registry section); the
// description is then left as it was.
bool read_setup_description(std::span<const std::uint8_t> package, SetupDescription& description);
