// Reading the files a manifest names into the description: texts, pictures, the files to
// install and their time stamps.
#pragma once

#include "manifest.h"
#include "setup_description.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace builder {

// Relative paths are taken from `base_directory`, the manifest's directory. Every time stamp
// is `source_date_epoch` when given, else the source file's modification time. Throws
// BuildError at the manifest line of a file that cannot be read or does not fit.
SetupDescription load_sources(const Manifest& manifest, const std::filesystem::path& base_directory,
                              std::optional<std::uint64_t> source_date_epoch);

// Every file the manifest names, as written there.
std::vector<SourceRef> manifest_sources(const Manifest& manifest);

} // namespace builder
