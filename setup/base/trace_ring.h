// The ring of the last 512 trace points, written out only by the fatal shutdown.
#pragma once

#include "critical_section.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TraceRing {
public:
    static constexpr std::size_t slot_count = 512;
    static constexpr std::size_t source_name_length = 16;

    // Empties every slot and starts recording (again).
    void init();
    // Stops recording for good; used at the normal end of the run.
    void teardown();

    // Stores the last 16 characters of the path, the line, the tick and the thread in the next
    // slot, unless the ring no longer records.
    void record(std::string_view source_path, std::int32_t line, std::uint32_t tick, std::uint32_t thread);

    // The 512 trace lines from the oldest slot to the newest, each "tick source line thread "
    // without its line end. Never-written slots read "0  0 0 ". The ring stops recording, so
    // that no later point changes what has been reported.
    std::vector<std::string> close_and_report();

    std::uint32_t count() const;

private:
    struct Slot {
        std::uint32_t tick = 0;
        std::array<char, source_name_length + 1> source{};
        std::int32_t line = 0;
        std::uint32_t thread = 0;
    };

    mutable CriticalSection lock_;
    std::array<Slot, slot_count> slots_{};
    std::uint32_t count_ = 0;
    std::atomic<bool> recording_{false};
};

// The process's one ring, as trace_point() uses it.
TraceRing& process_trace_ring();

// One trace line of the report, without its line end.
std::string format_trace_line(std::uint32_t tick, std::string_view source, std::int32_t line, std::uint32_t thread);

// Tick count and thread id of the running system, for trace_point().
std::uint32_t trace_tick_now();
std::uint32_t trace_thread_now();
