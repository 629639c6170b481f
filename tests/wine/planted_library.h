// What the planted library and the planting test agree on.
#pragma once

#include "text_case.h"

#include <string>

// The environment variable that names the directory for the markers.
inline constexpr char planted_library_markers_variable[] = "ZELMOR_PLANTED_LIBRARY_MARKERS";

// The marker that a copy of the planted library named `library` leaves when the program
// `program` (file names, without directory) loads it: in small letters, since the loader names a
// library as the program asked for it.
inline std::string planted_library_marker(const std::string& program, const std::string& library)
{
    return lower_case(program + "-" + library);
}

// The library a marker names (file names have no "-" here).
inline std::string marker_library(const std::string& marker) { return marker.substr(marker.rfind('-') + 1); }
