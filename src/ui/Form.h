#pragma once
// A borderless top-level form owned by the application window (so it has no taskbar entry of its
// own), optionally layered with a colour key. It owns no controls: the derived form declares them
// and adds them with AddControl in creation order, which is also their painting order.
#include <windows.h>

#include <string>
#include <vector>

namespace qel::ui {

class Control;

class Form {
public:
    static constexpr const wchar_t* kWindowClass = L"QelForm";

    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return window_; }

    void SetCaption(const std::string& utf8);
    void SetColor(COLORREF color);
    // Layered window whose pixels of exactly this colour are see-through (LWA_COLORKEY alone).
    void SetTransparentColor(COLORREF key);
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    // A stored 96-dpi size scaled to the density the form is laid out for.
    int Scale(int value) const;

    void AddControl(Control* control);

    // Shows the form; centred on the desktop the first time.
    void Show();
    // Hides the form; closing the main form ends the application.
    void Close();
    // Carries out pending repaints now.
    void Update();
    void InvalidateArea(const RECT& area);
    // Paints an area straight into the window, now, without waiting for the message loop.
    void RepaintNow(const RECT& area);

    // Paints the whole form into a device context in client coordinates (also for tests).
    void PaintTo(HDC dc, const RECT& clip);

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT, WPARAM, LPARAM);
    void OnPaint();
    // Paints an area through an off-screen bitmap into a device context of the window.
    void PaintArea(HDC dc, const RECT& area);

    HWND window_ = nullptr;
    COLORREF color_ = RGB(240, 240, 240);
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int dpi_ = 96;
    bool shownOnce_ = false;
    std::vector<Control*> controls_;
};

}  // namespace qel::ui
