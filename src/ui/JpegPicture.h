#pragma once
// A JPEG picture decoded by the Windows Imaging Component. Loading reads the JPEG header only;
// the image data is decoded the first time the picture is drawn.
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "ui/Picture.h"

namespace qel::ui {

// "JPEG error #%d", with the decoder's error number.
class JpegError : public std::runtime_error {
public:
    explicit JpegError(long code);
    long Code() const { return code_; }

private:
    long code_;
};

class JpegPicture : public Picture {
public:
    // An empty body gives an empty picture. Anything else must start with a valid JPEG header, or
    // JpegError is thrown. Needs COM initialised on the thread.
    static std::unique_ptr<JpegPicture> Load(const std::vector<std::uint8_t>& bytes);
    ~JpegPicture() override;

    bool Empty() const override { return !decoder_; }
    int Width() const override { return static_cast<int>(width_); }
    int Height() const override { return static_cast<int>(height_); }
    void Draw(HDC dc, const RECT& area) override;

private:
    JpegPicture() = default;
    bool Decode();

    IWICImagingFactory* factory_ = nullptr;
    IWICBitmapDecoder* decoder_ = nullptr;
    UINT width_ = 0;
    UINT height_ = 0;
    HBITMAP bitmap_ = nullptr;  // the decoded image, made at the first Draw
    bool decodeFailed_ = false;
};

}  // namespace qel::ui
