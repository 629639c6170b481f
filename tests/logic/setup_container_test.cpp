#include "crc.h"
#include "package_container.h"
#include "package_format.h"
#include "package_inflater.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes marker(package_format::container_marker.begin(), package_format::container_marker.end());

void append_u32(Bytes& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A program image of `prefix_size` bytes followed by a container around `stream`.
Bytes packaged(std::size_t prefix_size, const Bytes& stream, std::uint32_t compressed_length,
               std::uint32_t inflated_length = 1000)
{
    Bytes image(prefix_size, 0xCC);
    image.insert(image.end(), marker.begin(), marker.end());
    append_u32(image, 0);
    append_u32(image, compressed_length);
    append_u32(image, inflated_length);
    append_u32(image, compute_crc(stream));
    image.insert(image.end(), stream.begin(), stream.end());
    return image;
}

TEST(Crc, CheckValues)
{
    EXPECT_EQ(compute_crc(bytes_of("123456789")), 0xFC891918u);
    EXPECT_EQ(compute_crc({}), 0u);
    EXPECT_EQ(compute_crc(bytes_of("a")), 0x19939B6Bu);
}

// CRC-32/BZIP2 one bit at a time, straight from its definition.
std::uint32_t crc_bit_by_bit(const std::uint8_t* bytes, std::size_t size)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<std::uint32_t>(bytes[i]) << 24;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return ~crc;
}

TEST(Crc, AgreesWithTheDefinitionAtEveryLengthAndAlignment)
{
    Bytes data(4096 + 16);
    std::uint32_t state = 99;
    for (std::uint8_t& b : data) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    for (std::size_t start = 0; start < 8; ++start) {
        for (std::size_t size = 0; size <= 40; ++size) {
            EXPECT_EQ(compute_crc({data.data() + start, size}), crc_bit_by_bit(data.data() + start, size))
                << "start " << start << ", size " << size;
        }
    }
    EXPECT_EQ(compute_crc({data.data() + 3, 4096 + 5}), crc_bit_by_bit(data.data() + 3, 4096 + 5));
}

TEST(FindContainer, ReadsTheHeaderAtAnyOffset)
{
    Bytes stream = bytes_of("compressed!");
    for (std::size_t prefix : {0u, 1u, 7u, 4096u}) {
        SCOPED_TRACE(prefix);
        Bytes image = packaged(prefix, stream, static_cast<std::uint32_t>(stream.size()), 0x01020304);
        ContainerLocation found = find_container(image);
        ASSERT_EQ(found.result, ContainerSearch::found);
        EXPECT_EQ(found.header.offset, prefix);
        EXPECT_EQ(found.header.compressed_length, stream.size());
        EXPECT_EQ(found.header.inflated_length, 0x01020304u);
        EXPECT_EQ(found.header.checksum, compute_crc(stream));
        EXPECT_EQ(Bytes(found.compressed.begin(), found.compressed.end()), stream);
    }
}

TEST(FindContainer, TheFirstTwentyThreeBytesAloneAreNoMarker)
{
    Bytes image(100, 0);
    image.insert(image.end(), marker.begin(), marker.end() - 1);
    image.push_back(0x00);
    image.resize(image.size() + 40, 0);
    EXPECT_EQ(find_container(image).result, ContainerSearch::not_found);
    EXPECT_EQ(find_container({}).result, ContainerSearch::not_found);
}

TEST(FindContainer, PassesOverPartialMarkersToTheFirstFullOne)
{
    Bytes stream = bytes_of("compressed!");
    Bytes image;
    image.push_back(marker[0]);
    image.insert(image.end(), marker.begin(), marker.end() - 1);  // 23 bytes, then a wrong byte
    image.push_back(0x02);
    image.insert(image.end(), marker.begin(), marker.begin() + 12);  // a prefix, cut short
    image.push_back(marker[0]);
    std::size_t prefix = image.size();
    Bytes rest = packaged(0, stream, static_cast<std::uint32_t>(stream.size()));
    image.insert(image.end(), rest.begin(), rest.end());
    image.insert(image.end(), marker.begin(), marker.end());  // a second marker is not looked at

    ContainerLocation found = find_container(image);
    ASSERT_EQ(found.result, ContainerSearch::found);
    EXPECT_EQ(found.header.offset, prefix);
    EXPECT_EQ(Bytes(found.compressed.begin(), found.compressed.end()), stream);
}

TEST(FindContainer, AMarkerEndingTheFileIsFoundAndOneCutShortIsNot)
{
    Bytes image(50, marker[0]);
    image.insert(image.end(), marker.begin(), marker.end());
    ContainerLocation at_end = find_container(image);
    EXPECT_EQ(at_end.result, ContainerSearch::damaged);  // found, but no room for the header
    EXPECT_EQ(at_end.header.offset, 50u);

    image.pop_back();
    EXPECT_EQ(find_container(image).result, ContainerSearch::not_found);
    EXPECT_EQ(find_container(Bytes(marker.begin(), marker.end())).result, ContainerSearch::damaged);
    EXPECT_EQ(find_container(Bytes(marker.begin(), marker.end() - 1)).result, ContainerSearch::not_found);
}

TEST(FindContainer, AHeaderOrStreamPastTheEndIsDamaged)
{
    Bytes stream = bytes_of("0123456789");
    Bytes whole = packaged(33, stream, static_cast<std::uint32_t>(stream.size()));
    struct Case {
        const char* what;
        Bytes image;
    } cases[] = {
        {"marker in the last 40 bytes", Bytes(whole.begin(), whole.begin() + 33 + 30)},
        {"stream one byte short", Bytes(whole.begin(), whole.end() - 1)},
        {"length one past the end", packaged(33, stream, static_cast<std::uint32_t>(stream.size() + 1))},
        {"length that would wrap around", packaged(33, stream, 0xFFFFFFF0u)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(find_container(c.image).result, ContainerSearch::damaged);
    }
}

Bytes compress(const Bytes& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

Bytes sample_package(std::size_t size)
{
    Bytes data(size);
    std::uint32_t state = 12345;
    for (std::uint8_t& b : data) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>((state >> 16) % 7);  // compressible, not trivial
    }
    return data;
}

TEST(InflatePackage, InflatesInSlicesAndCountsDownTheInput)
{
    for (std::size_t size : {0u, 1u, 1000u, 3u * 1024 * 1024}) {
        SCOPED_TRACE(size);
        Bytes package = sample_package(size);
        Bytes stream = compress(package);
        Bytes output(package.size());
        std::atomic<std::uint32_t> remaining{12345};
        InflateOutcome outcome = inflate_package(stream, output, remaining);
        EXPECT_TRUE(inflated_completely(outcome, package.size()));
        EXPECT_EQ(output, package);
        EXPECT_EQ(remaining.load(), 0u);
    }
}

TEST(InflatePackage, FailsOnDamagedStreamsAndWrongLengths)
{
    Bytes package = sample_package(600000);
    Bytes stream = compress(package);
    std::atomic<std::uint32_t> remaining{0};

    Bytes output(package.size());
    Bytes truncated(stream.begin(), stream.end() - 10);
    EXPECT_FALSE(inflated_completely(inflate_package(truncated, output, remaining), package.size()));

    Bytes flipped = stream;
    flipped[flipped.size() / 2] ^= 0x10;
    EXPECT_FALSE(inflated_completely(inflate_package(flipped, output, remaining), package.size()));

    Bytes too_small(package.size() - 1);
    EXPECT_FALSE(inflated_completely(inflate_package(stream, too_small, remaining), too_small.size()));

    Bytes too_large(package.size() + 1);
    EXPECT_FALSE(inflated_completely(inflate_package(stream, too_large, remaining), too_large.size()));

    EXPECT_FALSE(inflated_completely(inflate_package({}, output, remaining), package.size()));
}

} // namespace
