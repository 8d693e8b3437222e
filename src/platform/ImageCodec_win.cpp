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
    if (m_Factory) return *m_Factory;
    if (!m_ComStarted) {
        // S_FALSE: COM was running on this thread already; it is ended as often as it was started.
        const HRESULT started = Ole().InitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        m_ComStarted = SUCCEEDED(started);
    }
    const HRESULT hr = Ole().CreateInstance(kWicFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                                            reinterpret_cast<void**>(m_Factory.put()));
    Check(hr, ErrorNumber::NotSupported, texts::kImageNoCodec, "");
    return *m_Factory;
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
