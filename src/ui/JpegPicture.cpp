#include "ui/JpegPicture.h"

#include <shlwapi.h>

#include <cstdio>

namespace qel::ui {

namespace {

std::string JpegMessage(long code) {
    char text[48];
    std::snprintf(text, sizeof text, "JPEG error #%ld", code);
    return text;
}

template <typename T>
void Release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

}  // namespace

JpegError::JpegError(long code) : std::runtime_error(JpegMessage(code)), code_(code) {}

std::unique_ptr<JpegPicture> JpegPicture::Load(const std::vector<std::uint8_t>& bytes) {
    std::unique_ptr<JpegPicture> picture(new JpegPicture());
    if (bytes.empty()) return picture;

    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&picture->factory_));
    if (FAILED(hr)) throw JpegError(hr);

    IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    if (!stream) throw JpegError(E_OUTOFMEMORY);
    hr = picture->factory_->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &picture->decoder_);
    stream->Release();  // the decoder keeps its own reference
    if (FAILED(hr)) throw JpegError(hr);

    GUID format{};
    hr = picture->decoder_->GetContainerFormat(&format);
    if (SUCCEEDED(hr) && format != GUID_ContainerFormatJpeg) hr = WINCODEC_ERR_UNKNOWNIMAGEFORMAT;
    IWICBitmapFrameDecode* frame = nullptr;
    if (SUCCEEDED(hr)) hr = picture->decoder_->GetFrame(0, &frame);
    if (SUCCEEDED(hr)) hr = frame->GetSize(&picture->width_, &picture->height_);
    Release(frame);
    if (FAILED(hr)) throw JpegError(hr);
    return picture;
}

JpegPicture::~JpegPicture() {
    if (bitmap_) DeleteObject(bitmap_);
    Release(decoder_);
    Release(factory_);
}

bool JpegPicture::Decode() {
    if (bitmap_) return true;
    if (decodeFailed_ || !decoder_) return false;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    HRESULT hr = decoder_->GetFrame(0, &frame);
    if (SUCCEEDED(hr)) hr = factory_->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = static_cast<LONG>(width_);
        info.bmiHeader.biHeight = -static_cast<LONG>(height_);  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap_) hr = E_OUTOFMEMORY;
        else hr = converter->CopyPixels(nullptr, width_ * 4, width_ * 4 * height_, static_cast<BYTE*>(bits));
    }
    Release(converter);
    Release(frame);
    if (FAILED(hr)) {
        if (bitmap_) DeleteObject(bitmap_);
        bitmap_ = nullptr;
        decodeFailed_ = true;
        return false;
    }
    return true;
}

void JpegPicture::Draw(HDC dc, const RECT& area) {
    if (!Decode()) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    // Stretched with plain pixel replication, so colours of the picture stay exact (a pure
    // maroon pixel stays maroon and is see-through).
    int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0,
               static_cast<int>(width_), static_cast<int>(height_), SRCCOPY);
    SetStretchBltMode(dc, mode);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace qel::ui
