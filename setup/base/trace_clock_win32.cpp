#include "trace_ring.h"

#include <windows.h>

std::uint32_t trace_tick_now() { return GetTickCount(); }

std::uint32_t trace_thread_now() { return GetCurrentThreadId(); }
