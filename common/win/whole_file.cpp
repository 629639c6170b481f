#include "whole_file.h"

#include "crc.h"
#include "scoped_handle.h"
#include "try_resize.h"

#include <utility>

namespace {

// The file's size, when it has one that a single ReadFile can cover.
bool file_size(HANDLE file, DWORD& size)
{
    DWORD high = 0;
    // A size whose low half is 0xFFFFFFFF is told from a failure by the error code alone.
    SetLastError(NO_ERROR);
    size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    return high == 0;
}

// `size` bytes from the file into `bytes`, in one call.
bool read_exactly(HANDLE file, DWORD size, std::vector<std::uint8_t>& bytes)
{
    // One byte more than the file, so an empty file still has a buffer to read into.
    if (!try_resize(bytes, static_cast<std::size_t>(size) + 1)) return false;
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), size, &read, nullptr) || read != size) return false;
    bytes.resize(size);
    return true;
}

} // namespace

bool read_whole_file(const std::string& path, std::vector<std::uint8_t>& data, DWORD* size,
                     std::uint32_t* checksum)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) return false;

    DWORD file_bytes = 0;
    std::vector<std::uint8_t> bytes;
    if (!file_size(file.get(), file_bytes) || !read_exactly(file.get(), file_bytes, bytes)) return false;

    if (size) *size = file_bytes;
    if (checksum) *checksum = compute_crc(bytes);
    data = std::move(bytes);
    return true;
}
