#include "package_inflater.h"

#include <algorithm>
#include <zlib.h>

namespace {

// Small enough for a smooth progress bar, large enough that the slicing costs nothing.
constexpr std::size_t slice_size = 256 * 1024;

} // namespace

InflateOutcome inflate_package(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> output,
                               std::atomic<std::uint32_t>& remaining_input)
{
    InflateOutcome outcome;
    remaining_input.store(static_cast<std::uint32_t>(compressed.size()), std::memory_order_relaxed);
    z_stream stream{};
    outcome.zlib_status = inflateInit(&stream);
    if (outcome.zlib_status != Z_OK) return outcome;

    // zlib refuses a null output even when no output is wanted.
    std::uint8_t no_output = 0;
    stream.next_out = output.empty() ? &no_output : output.data();
    stream.avail_out = static_cast<uInt>(output.size());
    std::size_t consumed = 0;
    for (;;) {
        std::size_t slice = std::min(slice_size, compressed.size() - consumed);
        bool last = consumed + slice == compressed.size();
        stream.next_in = const_cast<Bytef*>(compressed.data() + consumed);
        stream.avail_in = static_cast<uInt>(slice);
        outcome.zlib_status = inflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
        consumed += slice - stream.avail_in;
        remaining_input.store(static_cast<std::uint32_t>(compressed.size() - consumed), std::memory_order_relaxed);
        if (outcome.zlib_status != Z_OK || slice == 0) break;
    }

    outcome.produced = output.size() - stream.avail_out;
    inflateEnd(&stream);
    return outcome;
}

bool inflated_completely(const InflateOutcome& outcome, std::size_t expected_length)
{
    return outcome.zlib_status == Z_STREAM_END && outcome.produced == expected_length;
}
