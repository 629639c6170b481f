#include "program_path.h"

#include <windows.h>

std::string running_program_path()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        // A path that fills the buffer may have been cut: ask again with twice the room.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
