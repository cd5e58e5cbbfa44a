#pragma once
// A window timer. Whenever the interval, the enabled flag or the tick handler is set to a new
// value, the system timer is stopped and armed again, with the current interval, only if the
// interval is not 0, the timer is enabled and a handler is attached. Ticks are ordinary window
// messages, so they are also served inside modal message loops. An error that leaves the handler
// is shown in the application's standard error box.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace qel::ui {

class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::uint32_t Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    bool Armed() const { return armed_; }
    void SetInterval(std::uint32_t milliseconds);
    void SetEnabled(bool enabled);
    void SetOnTimer(std::function<void()> handler);

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Rearm();
    void Tick();

    HWND window_ = nullptr;
    std::uint32_t interval_ = 1000;
    bool enabled_ = true;
    bool armed_ = false;
    std::function<void()> onTimer_;
};

}  // namespace qel::ui
