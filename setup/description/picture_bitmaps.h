// The display bitmaps made from the package's two pictures.
#pragma once

#include "setup_description.h"

#include <windows.h>

#include <cstdint>
#include <span>

// Owns the page picture and the welcome picture for the run; either may be absent.
class PictureBitmaps {
public:
    PictureBitmaps() = default;
    ~PictureBitmaps() { release(); }
    PictureBitmaps(const PictureBitmaps&) = delete;
    PictureBitmaps& operator=(const PictureBitmaps&) = delete;

    // Makes a device-dependent bitmap for the display from each picture the package holds,
    // where the description says they lie.
    void create(const SetupDescription& description, std::span<const std::uint8_t> package);
    // Deletes both bitmaps; a second call does nothing.
    void release();

    HBITMAP page_bitmap() const { return page_; }
    HBITMAP welcome_bitmap() const { return welcome_; }

private:
    HBITMAP page_ = nullptr;
    HBITMAP welcome_ = nullptr;
};
