#pragma once
// The application object: COM for the thread (single-threaded apartment), the title, the hidden
// top-level application window that owns the taskbar entry, the message loop, and the standard
// error box through which every error that ends a handler reaches the user.
//
// The application window's Close command (from the taskbar entry) closes the main form and ends
// the program. Settings-change broadcasts that reach it are passed to OnSettingChange.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace qel::ui {

class Form;

class Application {
public:
    static constexpr const wchar_t* kWindowClass = L"TApplication";

    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void SetTitle(const std::string& utf8Title);
    const std::string& Title() const { return title_; }
    HWND Handle() const { return window_; }

    // The first form created becomes the main form.
    void RegisterForm(Form* form);
    void UnregisterForm(Form* form);
    Form* MainForm() const { return mainForm_; }

    // Shows the main form, centred, then serves messages until Terminate.
    void Run();
    // Serves the messages that wait now, without blocking (for tests and modal-free waits).
    void ProcessMessages();
    void Terminate();

    // The standard error box: caption = title, the message with its full stop, OK, stop icon.
    void ShowException(const std::exception& error);
    // Runs a handler; an error that leaves it is shown in the standard error box.
    void Guarded(const std::function<void()>& handler);

    std::function<void()> OnSettingChange;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
    std::string title_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    bool comInitialised_ = false;
};

// The one application object of the program, set while it exists.
extern Application* application;

}  // namespace qel::ui
