// Tick and thread for builds that run on the development machine (tests, fuzzing).
#include "trace_ring.h"

#include <chrono>
#include <functional>
#include <thread>

std::uint32_t trace_tick_now()
{
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::uint32_t trace_thread_now()
{
    return static_cast<std::uint32_t>(std::hash<std::thread::id>{}(std::this_thread::get_id()));
}
