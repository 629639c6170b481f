// Free bytes on the volume of a path, for the summary page's disk-space line.
#pragma once

#include <cstdint>
#include <string>

// The bytes available to this user on the path's volume: GetDiskFreeSpaceExA where the system
// has it, else free_disk_space_by_clusters. 0 when neither query succeeds.
std::uint64_t free_disk_space(const std::string& path);

// The older query of systems without GetDiskFreeSpaceExA: sectors per cluster times bytes per
// sector times free clusters, or 0 when it fails.
std::uint64_t free_disk_space_by_clusters(const std::string& path);
