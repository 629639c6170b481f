// Owner of a kernel handle (file, process, thread, semaphore), closed with CloseHandle.
#pragma once

#include "scoped_resource.h"

#include <windows.h>

struct KernelHandleTraits {
    using Value = HANDLE;
    static Value none() noexcept { return nullptr; }
    // CreateFileA reports failure with INVALID_HANDLE_VALUE, most other calls with null.
    static bool is_none(Value handle) noexcept { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    static void close(Value handle) noexcept { CloseHandle(handle); }
};

using ScopedHandle = ScopedResource<KernelHandleTraits>;
