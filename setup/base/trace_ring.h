// The ring of the last 512 trace points, written out only by the fatal shutdown.
#pragma once

#include "critical_section.h"
#include "error_report.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string_view>

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

    // Hands `write_line` the 512 trace lines from the oldest slot to the newest, each
    // "tick source line thread " without its line end (format_trace_line), under the ring's
    // lock, so that no trace point comes between them. Never-written slots read "0  0 0 ". The
    // ring then stops recording, so that no later point changes what has been reported. Nothing
    // here allocates: the report is written when memory may have run out.
    template <typename WriteLine>
    void close_and_report(WriteLine write_line)
    {
        std::lock_guard<CriticalSection> guard(lock_);
        for (std::size_t i = 0; i < slot_count; ++i, ++count_) {
            const Slot& slot = slots_[count_ % slot_count];
            write_line(format_trace_line(slot.tick, slot.source.data(), slot.line, slot.thread).view());
        }
        recording_ = false;
    }

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

// Tick count and thread id of the running system, for trace_point().
std::uint32_t trace_tick_now();
std::uint32_t trace_thread_now();
