// PNG through the Windows Imaging Component. Encoding goes into memory and
// the bytes are written as a staged file, so the destination holds either
// its old content or the whole new image. Decoding converts any PNG to
// 32-bit BGRA, which is then turned into the RGBA the callers expect.
#include "host/host_fs.h"
#include "host/host_png.h"
#include "host/win32/wide.h"

#include <wincodec.h>
#include <windows.h>

#include <cstring>
#include <limits>

namespace qor::host {
namespace {

// Holds one COM interface and releases it at scope end.
template <typename T> struct com {
    T* p = nullptr;
    com() = default;
    com(const com&) = delete;
    com& operator=(const com&) = delete;
    ~com() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
    T** out() { return &p; }
};

// COM for the calling thread for the duration of one call. A thread already
// in another apartment mode still works: WIC objects live in either.
struct com_apartment {
    bool owned;
    com_apartment() : owned(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;
    ~com_apartment() {
        if (owned) CoUninitialize();
    }
};

bool create_factory(com<IWICImagingFactory>* factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory->out())));
}

// Red and blue trade places: RGBA <-> BGRA, alpha untouched.
void swap_red_blue(uint8_t* pixels, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        uint8_t* px = pixels + i * 4;
        const uint8_t red = px[0];
        px[0] = px[2];
        px[2] = red;
    }
}

bool encode_bgra(IWICImagingFactory* factory, IStream* stream, int width, int height,
                 std::vector<uint8_t>& bgra) {
    com<IWICBitmapEncoder> encoder;
    com<IWICBitmapFrameEncode> frame;
    com<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    const UINT row_bytes = static_cast<UINT>(width) * 4;
    return SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) &&
           SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.out(), options.out())) &&
           SUCCEEDED(frame->Initialize(options.p)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), row_bytes,
                                        static_cast<UINT>(bgra.size()), bgra.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// The encoded bytes of a memory stream, written as a staged file.
bool write_stream_to(IStream* stream, const char* path) {
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(stream, &memory)) ||
        FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return false;
    const void* bytes = GlobalLock(memory);
    if (!bytes) return false;
    staged_file staged;
    bool written = stage_file(path, &staged) &&
                   write_staged(&staged, bytes, static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    if (!written) {
        discard_staged_file(&staged);
        return false;
    }
    return commit_staged_file(&staged);
}

} // namespace

bool write_png_rgba(const char* path, int width, int height, const uint8_t* rgba, size_t stride) {
    if (!path || !rgba || width <= 0 || height <= 0 || width > (1 << 20) || height > (1 << 20) ||
        stride < static_cast<size_t>(width) * 4)
        return false;
    const size_t row_bytes = static_cast<size_t>(width) * 4;
    if (row_bytes * static_cast<size_t>(height) > std::numeric_limits<UINT>::max()) return false;
    std::vector<uint8_t> bgra(row_bytes * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(bgra.data() + y * row_bytes, rgba + y * stride, row_bytes);
    swap_red_blue(bgra.data(), bgra.size() / 4);

    com_apartment apartment;
    com<IWICImagingFactory> factory;
    com<IStream> stream;
    return create_factory(&factory) &&
           SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out())) &&
           encode_bgra(factory.p, stream.p, width, height, bgra) && write_stream_to(stream.p, path);
}

bool read_png_rgba(const char* path, int* width, int* height, std::vector<uint8_t>* rgba) {
    const std::wstring wide = win32::widen(path);
    if (wide.empty()) return false;
    com_apartment apartment;
    com<IWICImagingFactory> factory;
    com<IWICBitmapDecoder> decoder;
    com<IWICBitmapFrameDecode> frame;
    com<IWICFormatConverter> converter;
    GUID container{};
    UINT w = 0, h = 0;
    if (!create_factory(&factory) ||
        FAILED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetContainerFormat(&container)) ||
        !IsEqualGUID(container, GUID_ContainerFormatPng) ||
        FAILED(decoder->GetFrame(0, frame.out())) || FAILED(frame->GetSize(&w, &h)) || w == 0 ||
        h == 0 || w > (1u << 20) || h > (1u << 20) ||
        uint64_t{w} * h * 4 > std::numeric_limits<UINT>::max() ||
        FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return false;
    std::vector<uint8_t> pixels(size_t{w} * h * 4);
    if (FAILED(
            converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size()), pixels.data())))
        return false;
    swap_red_blue(pixels.data(), pixels.size() / 4);
    *rgba = std::move(pixels);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

} // namespace qor::host
