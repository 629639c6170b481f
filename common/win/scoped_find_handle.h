// Owner of a file search started with FindFirstFileA, ended with FindClose.
#pragma once

#include "scoped_resource.h"

#include <windows.h>

struct FindHandleTraits {
    using Value = HANDLE;
    static Value none() noexcept { return INVALID_HANDLE_VALUE; }
    static bool is_none(Value handle) noexcept { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    static void close(Value handle) noexcept { FindClose(handle); }
};

using ScopedFindHandle = ScopedResource<FindHandleTraits>;
