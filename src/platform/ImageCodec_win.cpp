#include "platform/ImageCodec_win.h"

#include <string>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/ComLibrary_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

// Spelt out here rather than taken from a library: the program links no
// import of windowscodecs.dll, which COM loads when the factory is made.
constexpr CLSID kWicFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kBgra32 = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};
constexpr GUID kPngContainer = {0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};

// The pixel formats that can hold transparency: most are of one family
// and differ in their last byte (the indexed ones by their palette).
constexpr GUID kFormatFamily = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x00}};
constexpr unsigned char kFamilyWithAlpha[] = {0x01, 0x02, 0x03, 0x04, 0x0f, 0x10, 0x16, 0x17, 0x19, 0x1a, 0x3a};
constexpr GUID kOthersWithAlpha[] = {
    {0xf5c7ad2d, 0x6a8d, 0x43dd, {0xa7, 0xa8, 0xa2, 0x99, 0x35, 0x26, 0x1a, 0xe9}},  // 32bppRGBA
    {0x3cc4a650, 0xa527, 0x4d37, {0xa9, 0x16, 0x31, 0x42, 0xc7, 0xeb, 0xed, 0xba}},  // 32bppPRGBA
    {0x1562ff7c, 0xd352, 0x46f9, {0x97, 0x9e, 0x42, 0x97, 0x6b, 0x79, 0x22, 0x46}},  // 64bppBGRA
    {0x8c518e8e, 0xa4ec, 0x468b, {0xae, 0x70, 0xc9, 0xa3, 0x5a, 0x9c, 0x55, 0x30}},  // 64bppPBGRA
};

bool MayBeTransparent(const GUID& format) {
    GUID family = format;
    family.Data4[7] = 0;
    if (IsEqualGUID(family, kFormatFamily)) {
        for (unsigned char last : kFamilyWithAlpha) {
            if (format.Data4[7] == last) return true;
        }
        return false;
    }
    for (const GUID& other : kOthersWithAlpha) {
        if (IsEqualGUID(format, other)) return true;
    }
    return false;
}

// Pictures far beyond a button's are refused before memory is taken for them.
constexpr std::int32_t kMaxSide = 4096;

std::string Hex(HRESULT hr) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

void Check(HRESULT hr, std::int32_t number, std::string_view what, std::string_view path) {
    if (SUCCEEDED(hr)) return;
    std::string description(what);
    description += path;
    description += texts::kImageSystemError;
    description += Hex(hr);
    description += ")";
    Raise(number, description);
}

}  // namespace

WicImageCodec::~WicImageCodec() {
    m_Factory.reset();
    if (m_ComStarted) Ole().Uninitialize();
}

IWICImagingFactory& WicImageCodec::Factory() {
    if (m_Factory) return *m_Factory.get();
    if (!m_ComStarted) {
        // S_FALSE: COM was running on this thread already; it is ended as often as it was started.
        const HRESULT started = Ole().InitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        m_ComStarted = SUCCEEDED(started);
    }
    const HRESULT hr = Ole().CreateInstance(kWicFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                                            reinterpret_cast<void**>(m_Factory.put()));
    Check(hr, ErrorNumber::NotSupported, texts::kImageNoCodec, "");
    return *m_Factory.get();
}

Pixels WicImageCodec::Decode(std::string_view path, std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) Raise(ErrorNumber::InvalidCall);
    IWICImagingFactory& factory = Factory();
    const std::wstring wide = Widen(path);
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory.CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            decoder.put()),
          ErrorNumber::BadFileFormat, texts::kImageNotRead, path);
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.put()), ErrorNumber::BadFileFormat, texts::kImageNotRead, path);
    ComPtr<IWICFormatConverter> converter;
    Check(factory.CreateFormatConverter(converter.put()), ErrorNumber::BadFileFormat, texts::kImageNotRead, path);
    Check(
        converter->Initialize(frame.get(), kBgra32, WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom),
        ErrorNumber::BadFileFormat, texts::kImageNotRead, path);
    UINT ownWidth = 0, ownHeight = 0;
    Check(converter->GetSize(&ownWidth, &ownHeight), ErrorNumber::BadFileFormat, texts::kImageNotRead, path);

    IWICBitmapSource* source = converter.get();
    ComPtr<IWICBitmapScaler> scaler;
    if (ownWidth != static_cast<UINT>(width) || ownHeight != static_cast<UINT>(height)) {
        Check(factory.CreateBitmapScaler(scaler.put()), ErrorNumber::BadFileFormat, texts::kImageNotRead, path);
        Check(scaler->Initialize(converter.get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                 WICBitmapInterpolationModeFant),
              ErrorNumber::BadFileFormat, texts::kImageNotRead, path);
        source = scaler.get();
    }
    Pixels pixels{width, height, {}};
    const UINT stride = static_cast<UINT>(width) * 4;
    pixels.bgra.resize(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    Check(source->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.bgra.size()), pixels.bgra.data()),
          ErrorNumber::BadFileFormat, texts::kImageNotRead, path);
    // A picture without transparency is opaque: Wine's converter leaves the
    // unused fourth byte of a 32-bit bitmap as it is (0), which would make
    // every pixel transparent.
    WICPixelFormatGUID format{};
    if (SUCCEEDED(frame->GetPixelFormat(&format)) && !MayBeTransparent(format)) {
        for (std::size_t alpha = 3; alpha < pixels.bgra.size(); alpha += 4) pixels.bgra[alpha] = 255;
    }
    return pixels;
}

void WicImageCodec::EncodePng(std::string_view path, const Pixels& pixels) {
    const std::size_t expected = static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height) * 4;
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.bgra.size() != expected) Raise(ErrorNumber::InvalidCall);
    IWICImagingFactory& factory = Factory();
    const std::wstring wide = Widen(path);
    const auto check = [path](HRESULT hr) { Check(hr, ErrorNumber::FileAccess, texts::kImageNotWritten, path); };
    ComPtr<IWICStream> stream;
    check(factory.CreateStream(stream.put()));
    check(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE));
    ComPtr<IWICBitmapEncoder> encoder;
    check(factory.CreateEncoder(kPngContainer, nullptr, encoder.put()));
    check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
    ComPtr<IWICBitmapFrameEncode> frame;
    check(encoder->CreateNewFrame(frame.put(), nullptr));
    check(frame->Initialize(nullptr));
    check(frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height)));
    WICPixelFormatGUID format = kBgra32;
    check(frame->SetPixelFormat(&format));
    // The encoder may choose another format; this one it is given only as it was asked.
    if (!IsEqualGUID(format, kBgra32)) check(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
    const UINT stride = static_cast<UINT>(pixels.width) * 4;
    check(frame->WritePixels(static_cast<UINT>(pixels.height), stride, static_cast<UINT>(pixels.bgra.size()),
                             const_cast<BYTE*>(pixels.bgra.data())));
    check(frame->Commit());
    check(encoder->Commit());
}

}  // namespace platform
