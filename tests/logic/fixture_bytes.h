// Test-side writer of package bytes, kept apart from the reader's code so that a mistake in
// the reader cannot be mirrored here: little-endian u32, NUL-ended texts padded with zeros to
// the next multiple of 4 after the NUL, raw blocks and plain bytes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class PackageBytes {
public:
    PackageBytes& u32(std::uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        return *this;
    }

    PackageBytes& text(std::string_view characters)
    {
        std::size_t start = bytes_.size();
        raw(characters);
        bytes_.push_back(0);
        while ((bytes_.size() - start) % 4 != 0) bytes_.push_back(0);
        return *this;
    }

    PackageBytes& raw(std::string_view characters)
    {
        bytes_.insert(bytes_.end(), characters.begin(), characters.end());
        return *this;
    }

    PackageBytes& raw(const std::vector<std::uint8_t>& bytes)
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }

    PackageBytes& raw_block(std::string_view characters)
    {
        return u32(static_cast<std::uint32_t>(characters.size())).raw(characters);
    }

    PackageBytes& zeros(std::size_t count)
    {
        bytes_.insert(bytes_.end(), count, 0);
        return *this;
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};
