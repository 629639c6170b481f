#include "bitmap_image.h"

#include "sample_package.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Image = std::vector<std::uint8_t>;

void set_u32(Image& image, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void set_u16(Image& image, std::size_t offset, std::uint16_t value)
{
    image[offset] = static_cast<std::uint8_t>(value);
    image[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Offsets in the file header (14 bytes) and the info header behind it.
constexpr std::size_t bits_offset_at = 10;
constexpr std::size_t header_size_at = 14;
constexpr std::size_t width_at = 18;
constexpr std::size_t height_at = 22;
constexpr std::size_t planes_at = 26;
constexpr std::size_t bit_count_at = 28;
constexpr std::size_t compression_at = 30;
constexpr std::size_t colours_used_at = 46;

// 32 bits per pixel with BI_BITFIELDS: the three masks follow the 40-byte header.
Image bitfields_image(std::uint16_t bits)
{
    Image image = make_bmp(2, 2, bits, 12);
    set_u32(image, compression_at, 3);
    return image;
}

TEST(BitmapImage, AcceptsCompleteImages)
{
    struct Case {
        const char* what;
        Image image;
    } cases[] = {
        {"1 bit", make_bmp(9, 3, 1)},
        {"4 bits", make_bmp(3, 2, 4)},
        {"8 bits", make_bmp(5, 5, 8)},
        {"16 bits", make_bmp(3, 3, 16)},
        {"24 bits, shipped welcome size", make_bmp(80, 281, 24)},
        {"32 bits, shipped page size", make_bmp(32, 32, 32)},
        {"top-down", make_bmp(4, -4, 24)},
        {"gap before the bits", make_bmp(2, 2, 24, 6)},
        {"bit fields 16", bitfields_image(16)},
        {"bit fields 32", bitfields_image(32)},
        {"extra bytes after the bits", [] { Image i = make_bmp(2, 2, 24); i.resize(i.size() + 5); return i; }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(is_well_formed_bmp_image(c.image));
    }
    EXPECT_EQ(make_bmp(32, 32, 32).size(), 4150u);
    EXPECT_EQ(make_bmp(80, 281, 24).size(), 67494u);
    EXPECT_EQ(bmp_pixel_bits_offset(make_bmp(2, 2, 8)), 14u + 40 + 1024);
}

TEST(BitmapImage, RefusesWhatTheBitmapCallWouldReadPast)
{
    struct Case {
        const char* what;
        std::function<void(Image&)> damage;
    } cases[] = {
        {"not BM", [](Image& i) { i[1] = 'A'; }},
        {"shorter than both headers", [](Image& i) { i.resize(53); }},
        {"last pixel row cut", [](Image& i) { i.pop_back(); }},
        {"taller than its bits", [](Image& i) { set_u32(i, height_at, 5); }},
        {"top-down, taller than its bits", [](Image& i) { set_u32(i, height_at, static_cast<std::uint32_t>(-5)); }},
        {"most negative height", [](Image& i) { set_u32(i, height_at, 0x80000000u); }},
        {"wider than its bits", [](Image& i) { set_u32(i, width_at, 0x7FFFFFFF); }},
        {"bits offset past the end", [](Image& i) { set_u32(i, bits_offset_at, 0xFFFFFFF0u); }},
        {"bits offset inside the header", [](Image& i) { set_u32(i, bits_offset_at, 20); }},
        {"core header", [](Image& i) { set_u32(i, header_size_at, 12); }},
        {"info header past the end", [](Image& i) { set_u32(i, header_size_at, 0x10000); }},
        {"no width", [](Image& i) { set_u32(i, width_at, 0); }},
        {"negative width", [](Image& i) { set_u32(i, width_at, static_cast<std::uint32_t>(-4)); }},
        {"no height", [](Image& i) { set_u32(i, height_at, 0); }},
        {"two planes", [](Image& i) { set_u16(i, planes_at, 2); }},
        {"7 bits", [](Image& i) { set_u16(i, bit_count_at, 7); }},
        {"RLE", [](Image& i) { set_u32(i, compression_at, 1); }},
        {"JPEG", [](Image& i) { set_u32(i, compression_at, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Image image = make_bmp(4, 4, 24);
        c.damage(image);
        EXPECT_FALSE(is_well_formed_bmp_image(image));
    }
}

TEST(BitmapImage, TheColourTableMustFit)
{
    Image palette = make_bmp(2, 2, 8);
    set_u32(palette, colours_used_at, 257);
    EXPECT_FALSE(is_well_formed_bmp_image(palette)) << "more colours than 8 bits can index";

    Image short_table = make_bmp(2, 2, 4);
    set_u32(short_table, colours_used_at, 2);  // 8 bytes of table; the bits may follow sooner
    set_u32(short_table, bits_offset_at, 14 + 40 + 8);
    EXPECT_TRUE(is_well_formed_bmp_image(short_table));

    Image table_over_bits = make_bmp(2, 2, 24);
    set_u32(table_over_bits, colours_used_at, 1);  // a 4-byte table where the bits already start
    EXPECT_FALSE(is_well_formed_bmp_image(table_over_bits));

    Image masks_over_bits = make_bmp(2, 2, 32);
    set_u32(masks_over_bits, compression_at, 3);  // the masks would overlap the bits
    EXPECT_FALSE(is_well_formed_bmp_image(masks_over_bits));

    Image huge_table = make_bmp(2, 2, 32);
    set_u32(huge_table, colours_used_at, 0xFFFFFFFFu);
    EXPECT_FALSE(is_well_formed_bmp_image(huge_table));
}

} // namespace
