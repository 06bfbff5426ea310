#include "win32/Picture.h"

#include <climits>
#include <cstring>

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
    // A bitmap resource is the bitmap file without its file header. Read here
    // rather than through the imaging component, which would bring COM and
    // half a dozen libraries into every start for two small pictures.
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const auto* bytes =
        static_cast<const BYTE*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
    const DWORD size = found != nullptr ? ::SizeofResource(module, found) : 0;
    BITMAPINFOHEADER header{};
    if (bytes == nullptr || size < sizeof(header)) return {};
    std::memcpy(&header, bytes, sizeof(header));
    // Only what the build puts there: uncompressed 24-bit rows.
    if (header.biSize < sizeof(header) || header.biPlanes != 1 || header.biBitCount != 24 ||
        header.biCompression != BI_RGB || header.biClrUsed != 0 || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biHeight == LONG_MIN) {
        return {};
    }
    Picture picture;
    picture.width = static_cast<UINT>(header.biWidth);
    picture.height = static_cast<UINT>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    const std::uint64_t stride = (std::uint64_t{picture.width} * 3 + 3) / 4 * 4;
    if (!PictureSizeAllowed(picture.width, picture.height) ||
        header.biSize + stride * picture.height > size) {
        return {};
    }
    picture.pixels.resize(std::size_t{picture.width} * picture.height);
    for (UINT y = 0; y < picture.height; ++y) {
        // Rows run from the bottom unless the height is negative.
        const UINT row = header.biHeight > 0 ? picture.height - 1 - y : y;
        const BYTE* source = bytes + header.biSize + stride * row;
        std::uint32_t* target = picture.pixels.data() + std::size_t{picture.width} * y;
        for (UINT x = 0; x < picture.width; ++x, source += 3) {
            target[x] = 0xFF000000u | (std::uint32_t{source[2]} << 16) |
                        (std::uint32_t{source[1]} << 8) | source[0];
        }
    }
    return picture;
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
