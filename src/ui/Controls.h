#pragma once
// The window's components, painted by their form in creation order: a label, an image, a status
// bar strip, progress bars and a status pane. None has a window of its own; a control that must
// show a change at once paints itself straight into its form's window (RepaintNow).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/Picture.h"
#include "ui/ProgressModel.h"

namespace qel::ui {

class Form;

struct FontSpec {
    std::wstring face = L"MS Sans Serif";
    int height = 11;  // character height in pixels at 96 dpi
    bool bold = false;
};

// A GDI font of a FontSpec at the form's density; released with the object.
class Font {
public:
    Font(const FontSpec& spec, const Form& form);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT Handle() const { return font_; }

private:
    HFONT font_;
};

class Control {
public:
    virtual ~Control() = default;

    void SetBounds(int left, int top, int width, int height);  // in client pixels, already scaled
    RECT Bounds() const { return bounds_; }

    // Marks the control's area for the next repaint of the form.
    void Invalidate();
    // Paints the control straight into the form's window, now.
    void RepaintNow();
    // Carries out the form's pending repaints now.
    void Update();

    virtual void Paint(HDC dc) = 0;

protected:
    Form* parent_ = nullptr;
    RECT bounds_{};

private:
    friend class Form;
};

class Label : public Control {
public:
    void SetCaption(const std::string& utf8);
    const std::string& Caption() const { return caption_; }
    void SetFont(const FontSpec& font) { font_ = font; }
    void SetTextColor(COLORREF color) { color_ = color; }
    void Paint(HDC dc) override;

private:
    std::string caption_;
    FontSpec font_;
    COLORREF color_ = RGB(0, 0, 0);
};

class Image : public Control {
public:
    // Takes the picture; it shows at the next repaint. Null leaves no picture.
    void SetPicture(std::unique_ptr<Picture> picture);
    const Picture* GetPicture() const { return picture_.get(); }
    void Paint(HDC dc) override;

private:
    std::unique_ptr<Picture> picture_;
};

class StatusBar : public Control {
public:
    void SetColor(COLORREF color) { color_ = color; }
    void Paint(HDC dc) override;

private:
    COLORREF color_ = RGB(255, 255, 255);
};

// A gradient bar with its percentage written on it. The bar repaints itself at once whenever
// Percent changes.
class ProgressBar : public Control {
public:
    std::int32_t TotalParts() const { return model_.TotalParts(); }
    std::int32_t PartsComplete() const { return model_.PartsComplete(); }
    std::int16_t Percent() const { return model_.Percent(); }
    void SetTotalParts(std::int32_t value);
    void SetPartsComplete(std::int32_t value);
    void SetPercent(std::int16_t value);
    void Paint(HDC dc) override;

    // How often the bar painted itself because Percent changed (for tests).
    int ImmediateRepaints() const { return immediateRepaints_; }

private:
    void Changed(bool percentChanged);

    ProgressModel model_;
    FontSpec font_;
    int immediateRepaints_ = 0;
};

class StatusPane : public Control {
public:
    void SetCaption(const std::string& utf8);
    const std::string& Caption() const { return caption_; }
    void SetFont(const FontSpec& font) { font_ = font; }
    void Paint(HDC dc) override;

private:
    std::string caption_;
    FontSpec font_;
};

}  // namespace qel::ui
