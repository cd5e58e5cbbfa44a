#include "ui/Timer.h"

#include "ui/Application.h"

namespace qel::ui {

namespace {
constexpr const wchar_t* kTimerClass = L"QelTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

Timer::Timer() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Timer::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerClass;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Timer::~Timer() {
    KillTimer(window_, kTimerId);
    DestroyWindow(window_);
}

void Timer::SetInterval(std::uint32_t milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Rearm();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Rearm();
}

void Timer::SetOnTimer(std::function<void()> handler) {
    onTimer_ = std::move(handler);
    Rearm();
}

void Timer::Rearm() {
    KillTimer(window_, kTimerId);
    armed_ = false;
    if (interval_ != 0 && enabled_ && onTimer_) armed_ = SetTimer(window_, kTimerId, interval_, nullptr) != 0;
}

void Timer::Tick() {
    if (!onTimer_) return;
    auto handler = onTimer_;
    if (application) {
        application->Guarded(handler);
        return;
    }
    try {
        handler();  // no application, no error box: the error ends the tick
    } catch (...) {
    }
}

LRESULT CALLBACK Timer::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == kTimerId) {
        if (auto* self = reinterpret_cast<Timer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) self->Tick();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qel::ui
