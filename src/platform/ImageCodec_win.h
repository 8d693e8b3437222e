#pragma once
// Picture files through the Windows Imaging Component. Its factory (and
// with it COM and windowscodecs.dll) comes with the first picture read or
// written, never with the program: most runs of Tessivar show no picture file.
#include <windows.h>
#include <wincodec.h>

#include "platform/Handles_win.h"
#include "platform/ImageCodec.h"

namespace platform {

class WicImageCodec : public IImageCodec {
public:
    WicImageCodec() = default;
    ~WicImageCodec() override;
    WicImageCodec(const WicImageCodec&) = delete;
    WicImageCodec& operator=(const WicImageCodec&) = delete;

    Pixels Decode(std::string_view path, std::int32_t width, std::int32_t height) override;
    void EncodePng(std::string_view path, const Pixels& pixels) override;

    // Whether the factory has been made (for the tests of when it comes).
    bool FactoryMade() const { return static_cast<bool>(m_Factory); }

private:
    IWICImagingFactory& Factory();

    ComPtr<IWICImagingFactory> m_Factory;
    bool m_ComStarted = false;
};

}  // namespace platform
