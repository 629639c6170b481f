#include "trace_ring.h"

#include "trace.h"

#include <algorithm>
#include <cstring>

void TraceRing::init()
{
    std::lock_guard<CriticalSection> guard(lock_);
    slots_ = {};
    count_ = 0;
    recording_ = true;
}

void TraceRing::teardown() { recording_ = false; }

void TraceRing::record(std::string_view source_path, std::int32_t line, std::uint32_t tick, std::uint32_t thread)
{
    if (!recording_) return;  // read without the lock: a racing point only changes what the ring holds
    std::lock_guard<CriticalSection> guard(lock_);
    if (!recording_) return;
    Slot& slot = slots_[count_ % slot_count];
    std::string_view tail =
        source_path.size() > source_name_length ? source_path.substr(source_path.size() - source_name_length)
                                                : source_path;
    slot.source = {};
    std::memcpy(slot.source.data(), tail.data(), tail.size());
    slot.line = line;
    slot.tick = tick;
    slot.thread = thread;
    ++count_;
}

std::uint32_t TraceRing::count() const
{
    std::lock_guard<CriticalSection> guard(lock_);
    return count_;
}

TraceRing& process_trace_ring()
{
    // On the heap, made at first use and kept to the end of the process: a static ring would be
    // made at compile time, and the mutex's non-zero initial value would put all 16 KB of slots
    // into the program image.
    static TraceRing* const ring = new TraceRing;
    return *ring;
}

void trace_point(const char* source_path, int line)
{
    process_trace_ring().record(source_path, line, trace_tick_now(), trace_thread_now());
}
