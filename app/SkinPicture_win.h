#pragma once
// The skin as the exe carries it: a PNG in the resources, decoded by the
// Windows Imaging Component (part of Windows since Vista, and of Wine).
#include <windows.h>

#include <cstdint>
#include <span>

#include "app/Image.h"
#include "win32/SystemLibrary.h"

struct IWICImagingFactory;

namespace zv::win {

// Holds COM, the imaging component and its factory for its lifetime: made
// for a decode and dropped after, so the clock keeps no COM apartment and no
// decoder it does not use.
class TSkinPicture {
  public:
    // Throws zv::Exception when COM or the imaging factory cannot be had.
    TSkinPicture();
    ~TSkinPicture();
    TSkinPicture(const TSkinPicture&) = delete;
    TSkinPicture& operator=(const TSkinPicture&) = delete;

    // The picture in 0x00RRGGBB pixels, top row first. Throws zv::Exception
    // naming the failed step when the data is no picture WIC can decode.
    Image Decode(std::span<const uint8_t> encoded) const;

    // The RCDATA resource ID of this exe, decoded.
    Image FromResource(int id) const;

  private:
    bool uninitialize_ = false;
    // Loaded here, not through COM, so that it goes with the factory: COM
    // keeps a DLL that says it cannot be unloaded (Wine's does) for good.
    TSystemLibrary codecs_;
    IWICImagingFactory* factory_ = nullptr;
};

}  // namespace zv::win
