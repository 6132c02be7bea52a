#include "toolkit/Png_win.h"

#include <windows.h>
#include <wincodec.h>

#include <climits>
#include <cstring>
#include <utility>

#include "common/Win32Error_win.h"
#include "toolkit/BmpFile.h"

namespace toolkit {
namespace {

// One reference to a COM object, released at the end.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const noexcept { return p_; }
    T* get() const noexcept { return p_; }
    T** put() noexcept { return &p_; }

private:
    T* p_ = nullptr;
};

void Check(HRESULT result, const char* doing) {
    if (FAILED(result)) throw common::Win32Error(static_cast<DWORD>(result), doing);
}

ComRef<IWICImagingFactory> Factory(const char* doing) {
    ComRef<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           reinterpret_cast<void**>(factory.put())),
          doing);
    return factory;
}

constexpr const char* kEncoding = "图片无法压缩为 PNG";
constexpr const char* kDecoding = "PNG 图片无法读取";
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool PlainLayout(const BmpFormat& format) {
    if (format.bitsPerPixel == 24) return true;
    return format.bitsPerPixel == 32 && (format.masks == BmpMasks{} || format.masks == DefaultMasks(32));
}

}  // namespace

bool IsPng(std::span<const uint8_t> bytes) {
    return bytes.size() >= sizeof kPngSignature && std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

bool CanBePng(std::span<const uint8_t> bmpFile) {
    try {
        return PlainLayout(ParseBmp(bmpFile).format);
    } catch (const BmpError&) {
        return false;
    }
}

std::vector<uint8_t> PngOfBmp(std::span<const uint8_t> bmpFile) {
    BmpImage image = ReadBmp(bmpFile);
    if (!PlainLayout(image.format)) throw BmpError(BmpProblem::UnsupportedDepth);
    const UINT width = static_cast<UINT>(image.format.width), height = static_cast<UINT>(image.format.height);
    const size_t stride = BmpRowStride(image.format.width, image.format.bitsPerPixel);
    // WIC takes rows top-down: the DIB's last row first.
    std::vector<uint8_t> topDown(image.pixels.size());
    for (UINT row = 0; row < height; ++row)
        std::memcpy(&topDown[row * stride], &image.pixels[(height - 1 - row) * stride], stride);
    WICPixelFormatGUID format = image.format.bitsPerPixel == 24 ? GUID_WICPixelFormat24bppBGR : GUID_WICPixelFormat32bppBGRA;

    ComRef<IWICImagingFactory> factory = Factory(kEncoding);
    ComRef<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), kEncoding);
    ComRef<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()), kEncoding);
    Check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache), kEncoding);
    ComRef<IWICBitmapFrameEncode> frame;
    Check(encoder->CreateNewFrame(frame.put(), nullptr), kEncoding);
    Check(frame->Initialize(nullptr), kEncoding);
    Check(frame->SetSize(width, height), kEncoding);
    WICPixelFormatGUID wanted = format;
    Check(frame->SetPixelFormat(&wanted), kEncoding);
    if (wanted != format) throw common::Win32Error(static_cast<DWORD>(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT), kEncoding);
    Check(frame->WritePixels(height, static_cast<UINT>(stride), static_cast<UINT>(topDown.size()), topDown.data()),
          kEncoding);
    Check(frame->Commit(), kEncoding);
    Check(encoder->Commit(), kEncoding);

    STATSTG stat{};
    Check(stream->Stat(&stat, STATFLAG_NONAME), kEncoding);
    std::vector<uint8_t> png(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start{};
    Check(stream->Seek(start, STREAM_SEEK_SET, nullptr), kEncoding);
    ULONG read = 0;
    Check(stream->Read(png.data(), static_cast<ULONG>(png.size()), &read), kEncoding);
    png.resize(read);
    return png;
}

std::vector<uint8_t> BmpOfPng(std::span<const uint8_t> png) {
    if (!IsPng(png)) throw common::Win32Error(static_cast<DWORD>(WINCODEC_ERR_UNKNOWNIMAGEFORMAT), kDecoding);
    ComRef<IWICImagingFactory> factory = Factory(kDecoding);
    ComRef<IWICStream> stream;
    Check(factory->CreateStream(stream.put()), kDecoding);
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size())), kDecoding);
    ComRef<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromStream(stream.get(), &GUID_VendorMicrosoft, WICDecodeMetadataCacheOnDemand,
                                           decoder.put()),
          kDecoding);
    ComRef<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.put()), kDecoding);
    UINT width = 0, height = 0;
    Check(frame->GetSize(&width, &height), kDecoding);
    WICPixelFormatGUID format{};
    Check(frame->GetPixelFormat(&format), kDecoding);
    const bool rgb = format == GUID_WICPixelFormat24bppBGR;

    ComRef<IWICFormatConverter> converter;
    IWICBitmapSource* source = frame.get();
    if (!rgb && format != GUID_WICPixelFormat32bppBGRA) {
        Check(factory->CreateFormatConverter(converter.put()), kDecoding);
        Check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                    WICBitmapPaletteTypeCustom),
              kDecoding);
        source = converter.get();
    }
    BmpFormat bmp;
    bmp.width = static_cast<int32_t>(width);
    bmp.height = static_cast<int32_t>(height);
    bmp.bitsPerPixel = rgb ? 24 : 32;
    const size_t stride = BmpRowStride(bmp.width, bmp.bitsPerPixel);
    if (stride == 0 || height == 0 || stride > UINT_MAX / height) throw BmpError(BmpProblem::ImageTooLarge);
    std::vector<uint8_t> topDown(stride * height);
    Check(source->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(topDown.size()), topDown.data()),
          kDecoding);
    std::vector<uint8_t> bottomUp(topDown.size());
    for (UINT row = 0; row < height; ++row)
        std::memcpy(&bottomUp[row * stride], &topDown[(height - 1 - row) * stride], stride);
    return WriteBmp(bmp, bottomUp);
}

}  // namespace toolkit
