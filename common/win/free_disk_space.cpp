#include "free_disk_space.h"

#include "system_library.h"

#include <windows.h>

namespace {

using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// The first Windows 95 has no GetDiskFreeSpaceExA, so it is looked up rather than linked.
FreeSpaceEx find_free_space_ex()
{
    ScopedLibrary kernel(LoadLibraryA("kernel32.dll"));
    if (!kernel.valid()) return nullptr;
    // kernel32 stays loaded in every process, so the address outlives this reference.
    return library_function<FreeSpaceEx>(kernel.get(), "GetDiskFreeSpaceExA");
}

} // namespace

std::uint64_t free_disk_space(const std::string& path)
{
    if (FreeSpaceEx query = find_free_space_ex()) {
        ULARGE_INTEGER available{}, total{}, free{};
        if (query(path.c_str(), &available, &total, &free)) return available.QuadPart;
    }
    return free_disk_space_by_clusters(path);
}

std::uint64_t free_disk_space_by_clusters(const std::string& path)
{
    DWORD sectors_per_cluster = 0, bytes_per_sector = 0, free_clusters = 0, total_clusters = 0;
    if (!GetDiskFreeSpaceA(path.c_str(), &sectors_per_cluster, &bytes_per_sector, &free_clusters, &total_clusters))
        return 0;
    return static_cast<std::uint64_t>(sectors_per_cluster) * bytes_per_sector * free_clusters;
}
