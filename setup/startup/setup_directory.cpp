#include "setup_directory.h"

#include <windows.h>

#include <vector>

std::string setup_directory()
{
    std::vector<char> buffer(4096);
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::string path(buffer.data(), length < buffer.size() ? length : 0);
    std::size_t separator = path.rfind('\\');
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}
