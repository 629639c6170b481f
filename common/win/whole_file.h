// Reading a file whole into memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Opens the file for reading (no sharing, sequential), reads it in one ReadFile call and closes
// it. On success `data` holds exactly the file's bytes, `size` (when given) their count and
// `checksum` (when given) their CRC-32/BZIP2. False when the file cannot be opened, its size
// taken or its memory allocated, or the read fails or comes back short; the outputs are then
// left as they were.
bool read_whole_file(const std::string& path, std::vector<std::uint8_t>& data, DWORD* size = nullptr,
                     std::uint32_t* checksum = nullptr);
