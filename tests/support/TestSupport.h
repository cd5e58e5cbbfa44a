#pragma once
// What the Windows tests share: build outputs seen from Wine, scratch folders, helper processes,
// the windows of a process, and a watcher that answers this process's message boxes.
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qel::testing {

// A host path of the build (/a/b) as Wine sees it (Z:\a\b); a Windows path is left as it is.
std::string WindowsPath(const std::string& hostPath);

// A fresh folder under the temp folder, with a Chinese name; removed with all its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }
    // Creates (or empties) a file in the folder; gives its UTF-8 path.
    std::string AddFile(const std::string& name, const std::string& content = "x");

private:
    std::string path_;
};

// A program started with a command line (UTF-8); ended and closed when the object goes.
class HelperProcess {
public:
    explicit HelperProcess(const std::string& commandLine);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;
    bool Started() const { return process_ != nullptr; }
    // Waits for the exit; the exit code, or -1 when it did not end in time.
    int Wait(DWORD milliseconds);
    HANDLE Handle() const { return process_; }

private:
    HANDLE process_ = nullptr;
};

// The visible top-level windows of a process with the given class name.
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className);

// One message box as the user saw it.
struct SeenBox {
    std::string caption;
    std::string text;
    bool errorIcon = false;
    std::vector<int> buttonIds;
    RECT rect{};
};

// From a second thread, finds the message boxes (#32770) of this process, notes what they show
// and presses OK on each, as a user would.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    std::vector<SeenBox> Seen();

private:
    void Watch();
    std::mutex mutex_;
    std::vector<SeenBox> seen_;
    HANDLE stop_ = nullptr;
    std::thread thread_;
};

// Serves this thread's messages until the condition holds or the time is up; the condition's last value.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT | QS_SENDMESSAGE);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

}  // namespace qel::testing
