#include "ui/Controls.h"

#include <algorithm>

#include "common/WinText.h"
#include "ui/Form.h"

namespace qel::ui {

Font::Font(const FontSpec& spec, const Form& form)
    : font_(CreateFontW(-form.Scale(spec.height), 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, spec.face.c_str())) {}

Font::~Font() { DeleteObject(font_); }

void Control::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    bounds_ = RECT{left, top, left + width, top + height};
    Invalidate();
}

void Control::Invalidate() {
    if (parent_) parent_->InvalidateArea(bounds_);
}

void Control::Update() {
    if (parent_) parent_->Update();
}

void Control::RepaintNow() {
    // The form paints the control's area with everything that lies there, in painting order.
    if (parent_) parent_->RepaintNow(bounds_);
}

void Label::SetCaption(const std::string& text) {
    caption_ = text;
    Invalidate();
}

void Label::Paint(HDC dc) {
    if (!parent_) return;
    Font font(font_, *parent_);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color_);
    std::wstring text = Widen(caption_);
    RECT r = bounds_;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
}

void Image::SetPicture(std::unique_ptr<Picture> picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void Image::Paint(HDC dc) {
    if (picture_ && !picture_->Empty()) picture_->Draw(dc, bounds_);
}

void StatusBar::Paint(HDC dc) {
    HBRUSH brush = CreateSolidBrush(color_);
    FillRect(dc, &bounds_, brush);
    DeleteObject(brush);
}

void ProgressBar::SetTotalParts(std::int32_t value) { Changed(model_.SetTotalParts(value)); }
void ProgressBar::SetPartsComplete(std::int32_t value) { Changed(model_.SetPartsComplete(value)); }
void ProgressBar::SetPercent(std::int16_t value) { Changed(model_.SetPercent(value)); }

void ProgressBar::Changed(bool percentChanged) {
    if (!percentChanged) return;
    ++immediateRepaints_;
    RepaintNow();
}

void ProgressBar::Paint(HDC dc) {
    if (!parent_) return;
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &bounds_, white);
    DeleteObject(white);

    int width = bounds_.right - bounds_.left;
    int shown = std::clamp<int>(model_.Percent(), 0, 100);
    int filled = width * shown / 100;
    COLORREF from = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF to = GetSysColor(COLOR_HOTLIGHT);
    RECT bar{bounds_.left, bounds_.top, bounds_.left + filled, bounds_.bottom};
    if (filled > 0) {
        TRIVERTEX vertices[2] = {
            {bar.left, bar.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
             static_cast<COLOR16>(GetBValue(from) << 8), 0},
            {bar.right, bar.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
             static_cast<COLOR16>(GetBValue(to) << 8), 0}};
        GRADIENT_RECT rect{0, 1};
        GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H);
    }

    // The percentage, centred, in the highlight colour.
    Font font(font_, *parent_);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, from);
    std::wstring text = std::to_wstring(model_.Percent()) + L"%";
    RECT all = bounds_;
    DrawTextW(dc, text.c_str(), -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

void StatusPane::SetCaption(const std::string& text) {
    caption_ = text;
    Invalidate();
}

void StatusPane::Paint(HDC dc) {
    if (!parent_) return;
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &bounds_, white);
    DeleteObject(white);
    Font font(font_, *parent_);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    std::wstring text = Widen(caption_);
    RECT r = bounds_;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

}  // namespace qel::ui
