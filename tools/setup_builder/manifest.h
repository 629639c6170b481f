// A manifest: the hand-written text that says what a setup package holds. Parsing checks
// everything that can be checked without opening a file; the files it names are read by
// the source loader.
#pragma once

#include "defines.h"
#include "setup_description.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace builder {

// A file named by the manifest, as written there (relative to the manifest's directory unless
// absolute), and the line that names it.
struct SourceRef {
    std::string path;
    int line = 0;
};

struct Manifest {
    // Everything but what comes from files: texts, pictures, contents and time stamps.
    SetupDescription description;
    std::optional<SourceRef> welcome_text_file;
    std::optional<SourceRef> license_text_file;
    std::optional<SourceRef> page_picture_file;
    std::optional<SourceRef> welcome_picture_file;
    std::vector<SourceRef> file_sources;  // one per entry of description.files
};

// Throws BuildError with the line of the first problem.
Manifest parse_manifest(std::string_view text, const Defines& defines);

} // namespace builder
