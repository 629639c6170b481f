// Inflating the package's zlib stream into a buffer of its final size, reporting progress.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

struct InflateOutcome {
    int zlib_status = 0;     // Z_STREAM_END when the stream ended properly
    std::size_t produced = 0;  // bytes written into the output
};

// Inflates `compressed` into `output` in one pass, feeding the input in slices so that
// `remaining_input` always holds the number of compressed bytes not yet consumed (another
// thread reads it to draw a progress bar).
InflateOutcome inflate_package(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> output,
                               std::atomic<std::uint32_t>& remaining_input);

// True when inflation gave exactly the expected package.
bool inflated_completely(const InflateOutcome& outcome, std::size_t expected_length);
