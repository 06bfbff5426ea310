#include "win32/Picture.h"

#include "core/RuntimeError.h"
#include "platform/windows/Utf16.h"
#include "win32/SystemHeaders.h"
// The imaging component and its smart pointer.
#include <wincodec.h>
#include <wrl/client.h>

namespace kelvora::win32 {

namespace {

using Microsoft::WRL::ComPtr;

// Made for each picture: pictures load once per click, and a factory kept in a
// static would be released after COM has gone at exit.
ComPtr<IWICImagingFactory> ImagingFactory() {
    ComPtr<IWICImagingFactory> factory;
    ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                       IID_PPV_ARGS(&factory));
    return factory;
}

// The first frame, as 32-bit BGRA; empty when the decoder cannot give it, or
// when it is larger than any button picture could sensibly be.
Picture FirstFrame(IWICImagingFactory& factory, IWICBitmapDecoder& decoder) {
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    Picture picture;
    if (FAILED(decoder.GetFrame(0, &frame)) || FAILED(factory.CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&picture.width, &picture.height)) ||
        !PictureSizeAllowed(picture.width, picture.height)) {
        return {};
    }
    picture.pixels.resize(std::size_t{picture.width} * picture.height);
    const UINT stride = picture.width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * picture.height,
                                     reinterpret_cast<BYTE*>(picture.pixels.data())))) {
        return {};
    }
    return picture;
}

}  // namespace

// A file's header names any size up to 65535 x 65535, 17 GB of pixels for a
// 1 KB file. The bound is the one the Linux build's image reader keeps (Qt's
// default allocation limit).
bool PictureSizeAllowed(UINT width, UINT height) {
    constexpr std::uint64_t kMaxBytes = std::uint64_t{128} * 1024 * 1024;
    return width != 0 && height != 0 &&
           std::uint64_t{width} * std::uint64_t{height} * 4 <= kMaxBytes;
}

Picture LoadPictureFile(const std::string& path) {
    const std::wstring name = platform::Utf8ToWide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) core::RaiseError(core::kFileNotFound);

    const ComPtr<IWICImagingFactory> factory = ImagingFactory();
    ComPtr<IWICBitmapDecoder> decoder;
    if (!factory ||
        FAILED(factory->CreateDecoderFromFilename(name.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder))) {
        core::RaiseError(core::kInvalidPicture);
    }
    Picture picture = FirstFrame(*factory.Get(), *decoder.Get());
    if (picture.Empty()) core::RaiseError(core::kInvalidPicture);
    return picture;
}

Picture LoadPictureResource(HMODULE module, int id) {
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};

    const ComPtr<IWICImagingFactory> factory = ImagingFactory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    // The stream only reads the bytes, which stay mapped with the executable.
    if (!factory || FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)),
                                            ::SizeofResource(module, found))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, &decoder))) {
        return {};
    }
    return FirstFrame(*factory.Get(), *decoder.Get());
}

void ApplyMaskColour(Picture& picture, COLORREF mask, COLORREF face) {
    const auto bgra = [](COLORREF colour) {
        return 0xFF000000u | (std::uint32_t{GetRValue(colour)} << 16) |
               (std::uint32_t{GetGValue(colour)} << 8) | GetBValue(colour);
    };
    const std::uint32_t masked = bgra(mask);
    const std::uint32_t replacement = bgra(face);
    for (std::uint32_t& pixel : picture.pixels) {
        const bool transparent = (pixel >> 24) < 0x80;
        if (transparent || (pixel | 0xFF000000u) == masked) pixel = replacement;
    }
}

}  // namespace kelvora::win32
