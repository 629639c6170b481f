#include "picture_bitmaps.h"

#include "bitmap_image.h"
#include "trace.h"

namespace {

// The reader accepted the image only when every byte CreateDIBitmap reads lies inside it.
HBITMAP make_bitmap(std::span<const std::uint8_t> package, std::uint32_t offset, std::uint32_t size)
{
    if (size == 0) return nullptr;
    TRACE_POINT();
    std::span<const std::uint8_t> image(package.data() + offset, size);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(image.data() + bmp_file_header_size);
    const std::uint8_t* bits = image.data() + bmp_pixel_bits_offset(image);
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HBITMAP bitmap = CreateDIBitmap(display, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
    DeleteDC(display);
    return bitmap;
}

} // namespace

void PictureBitmaps::create(const SetupDescription& d, std::span<const std::uint8_t> package)
{
    release();
    page_ = make_bitmap(package, d.page_bitmap_offset, d.page_bitmap_size);
    welcome_ = make_bitmap(package, d.welcome_bitmap_offset, d.welcome_bitmap_size);
}

void PictureBitmaps::release()
{
    if (page_) DeleteObject(page_);
    if (welcome_) DeleteObject(welcome_);
    page_ = welcome_ = nullptr;
}
