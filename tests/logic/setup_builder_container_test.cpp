#include "build_error.h"
#include "container_writer.h"
#include "crc.h"
#include "package_format.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

using namespace builder;
using namespace package_format;

namespace {

std::uint32_t u32_at(const Bytes& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Inflates one zlib stream that must use up `compressed` exactly.
Bytes inflate_one_stream(const Bytes& compressed, std::size_t expected_size)
{
    Bytes out(expected_size + 1);
    z_stream stream{};
    EXPECT_EQ(inflateInit(&stream), Z_OK);
    stream.next_in = const_cast<Bytef*>(compressed.data());
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END);
    EXPECT_EQ(stream.avail_in, 0u) << "bytes after the stream";
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return out;
}

Bytes sample_package()
{
    Bytes package;
    for (int i = 0; i < 5000; ++i) package.push_back(static_cast<std::uint8_t>(i * 7 % 251));
    return package;
}

// An odd-sized stub, so the container starts at an odd offset.
const Bytes stub = {'M', 'Z', 0x90, 0x00, 0x03};

TEST(ContainerWriter, AppendsMarkerHeaderAndOneZlibStreamAfterTheStub)
{
    Bytes package = sample_package();
    Bytes file = write_container(stub, package);

    ASSERT_GT(file.size(), stub.size() + container_header_size);
    EXPECT_TRUE(std::equal(stub.begin(), stub.end(), file.begin()));
    EXPECT_EQ(find_container_marker(file), stub.size());
    std::size_t header = stub.size();
    Bytes after_first(file.begin() + header + 1, file.end());
    EXPECT_EQ(find_container_marker(after_first), std::nullopt) << "the marker occurs once";

    EXPECT_EQ(u32_at(file, header + reserved_offset), 0u);
    std::uint32_t compressed_length = u32_at(file, header + compressed_length_offset);
    EXPECT_EQ(compressed_length, file.size() - header - container_header_size) << "nothing follows the stream";
    EXPECT_EQ(u32_at(file, header + inflated_length_offset), package.size());

    Bytes compressed(file.begin() + header + container_header_size, file.end());
    EXPECT_EQ(u32_at(file, header + checksum_offset), compute_crc(compressed));
    EXPECT_EQ(compressed[0], 0x78);
    EXPECT_EQ(compressed[1], 0xDA) << "the strongest level";
    EXPECT_EQ(inflate_one_stream(compressed, package.size()), package);
}

TEST(ContainerWriter, WritesTheSameBytesEveryTime)
{
    EXPECT_EQ(write_container(stub, sample_package()), write_container(stub, sample_package()));
}

TEST(ContainerWriter, RefusesAStubThatHoldsTheMarkerOrIsNoProgramImage)
{
    Bytes with_marker = stub;
    with_marker.insert(with_marker.end(), container_marker.begin(), container_marker.end());
    with_marker.push_back(0);
    EXPECT_THROW(write_container(with_marker, sample_package()), BuildError);

    // The setup program keeps the marker with its last byte 0; that copy must not count.
    Bytes with_program_copy = stub;
    with_program_copy.insert(with_program_copy.end(), container_marker.begin(), container_marker.end() - 1);
    with_program_copy.push_back(0);
    EXPECT_NO_THROW(write_container(with_program_copy, sample_package()));

    EXPECT_THROW(write_container(Bytes{'P', 'K', 3, 4}, sample_package()), BuildError);
    EXPECT_THROW(write_container(Bytes{}, sample_package()), BuildError);
}

} // namespace
