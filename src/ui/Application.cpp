#include "ui/Application.h"

#include <objbase.h>

#include <stdexcept>

#include "common/WinText.h"
#include "ui/ErrorText.h"
#include "ui/Form.h"

namespace qel::ui {

Application* application = nullptr;

Application::Application() {
    comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Application::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);

    // Zero-sized, so nothing of it shows; visible while the main form is, so the taskbar shows its
    // entry, which bears the title.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_ = CreateWindowExW(0, kWindowClass, L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, wc.hInstance, this);
    application = this;
}

Application::~Application() {
    if (window_) DestroyWindow(window_);
    if (application == this) application = nullptr;
    if (comInitialised_) CoUninitialize();
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    SetWindowTextW(window_, Widen(title).c_str());
}

void Application::RegisterForm(Form* form) {
    if (!mainForm_) mainForm_ = form;
}

void Application::UnregisterForm(Form* form) {
    if (mainForm_ == form) mainForm_ = nullptr;
}

void Application::Run() {
    if (mainForm_ && !terminated_) {
        mainForm_->Show();
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
    MSG msg;
    while (!terminated_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    terminated_ = true;
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Application::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::ShowException(const std::exception& error) {
    HWND owner = window_;
    if (mainForm_ && IsWindowVisible(mainForm_->Handle())) owner = mainForm_->Handle();
    std::wstring text = WidenAnyText(WithFullStop(error.what()));
    MessageBoxW(owner, text.c_str(), Widen(title_).c_str(), MB_OK | MB_ICONSTOP);
}

void Application::Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(std::runtime_error("Unknown error"));
    }
}

LRESULT CALLBACK Application::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Application*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Application*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = hwnd;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    self->Guarded([&] { result = self->Handle(msg, wp, lp); });
    return result;
}

LRESULT Application::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        // The taskbar entry's Close command: close the main form, which ends the program.
        if (mainForm_) mainForm_->Close();
        else Terminate();
        return 0;
    case WM_WININICHANGE:
        if (OnSettingChange) OnSettingChange();
        return 0;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_RESTORE || (wp & 0xFFF0) == SC_MINIMIZE) {
            if (mainForm_) ShowWindow(mainForm_->Handle(), (wp & 0xFFF0) == SC_RESTORE ? SW_SHOW : SW_HIDE);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window_, msg, wp, lp);
}

}  // namespace qel::ui
