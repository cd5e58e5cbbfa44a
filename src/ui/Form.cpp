#include "ui/Form.h"

#include "common/WinText.h"
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Scaling.h"

namespace qel::ui {

Form::Form() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Form::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);

    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    HWND owner = application ? application->Handle() : nullptr;
    window_ = CreateWindowExW(0, kWindowClass, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, owner, nullptr,
                              instance, this);
    if (application) application->RegisterForm(this);
}

Form::~Form() {
    if (application) application->UnregisterForm(this);
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

int Form::Scale(int value) const { return ScaleForDpi(value, dpi_); }

void Form::SetCaption(const std::string& text) { SetWindowTextW(window_, Widen(text).c_str()); }

void Form::SetColor(COLORREF color) {
    color_ = color;
    InvalidateRect(window_, nullptr, FALSE);
}

void Form::SetTransparentColor(COLORREF key) {
    SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window_, key, 0, LWA_COLORKEY);
}

void Form::SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::AddControl(Control* control) {
    controls_.push_back(control);
    control->parent_ = this;
}

void Form::Show() {
    if (!shownOnce_) {
        RECT r;
        GetWindowRect(window_, &r);
        int width = r.right - r.left;
        int height = r.bottom - r.top;
        int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        shownOnce_ = true;
    }
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void Form::Close() {
    ShowWindow(window_, SW_HIDE);
    if (application && application->MainForm() == this) application->Terminate();
}

void Form::Update() { UpdateWindow(window_); }

void Form::InvalidateArea(const RECT& area) { InvalidateRect(window_, &area, FALSE); }

void Form::PaintTo(HDC dc, const RECT& clip) {
    HBRUSH background = CreateSolidBrush(color_);
    FillRect(dc, &clip, background);
    DeleteObject(background);
    for (Control* control : controls_) {
        RECT overlap;
        RECT bounds = control->Bounds();
        if (IntersectRect(&overlap, &bounds, &clip)) control->Paint(dc);
    }
}

void Form::PaintArea(HDC dc, const RECT& area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    // Painted off screen first, so the picture and the controls never flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
    PaintTo(memory, area);
    SetViewportOrgEx(memory, 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void Form::RepaintNow(const RECT& area) {
    HDC dc = GetDC(window_);
    PaintArea(dc, area);
    ReleaseDC(window_, dc);
    // What was just painted is current: no need to paint it again later.
    ValidateRect(window_, &area);
}

void Form::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    PaintArea(dc, ps.rcPaint);
    EndPaint(window_, &ps);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = hwnd;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    // Nothing may unwind through the system's message dispatch: an error that reaches the loop is
    // shown like any other.
    if (!application) return self->HandleMessage(msg, wp, lp);
    LRESULT result = 0;
    application->Guarded([&] { result = self->HandleMessage(msg, wp, lp); });
    return result;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    default:
        return DefWindowProcW(window_, msg, wp, lp);
    }
}

}  // namespace qel::ui
