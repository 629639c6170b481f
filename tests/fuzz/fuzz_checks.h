// What every fuzz entry uses to say that a promise was broken: an abort, which libFuzzer and the
// replay program both report as a failure with the input that caused it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

inline void require(bool condition)
{
    if (!condition) std::abort();
}

// The fuzz input as text.
inline std::string_view text_of(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}
