#pragma once
// Test helpers that deal with windows as a user would: find a process's top-level windows, read a
// message box's caption and text, and press its OK button.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace qel::testing {

// Visible top-level windows of a process with the given class ("#32770" for message boxes).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className, bool visibleOnly = true);

struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
    bool hasIcon = false;
};

// Waits (up to the limit) for a message box of the process, reads it and presses OK. Meant to be
// run on a second thread while the tested thread sits in the box's modal loop.
bool CloseNextMessageBox(DWORD processId, MessageBoxSeen& seen,
                         std::chrono::milliseconds limit = std::chrono::seconds(20));

// The Windows path of a host path (Wine shows the host's root as drive Z:).
std::wstring HostPath(const std::string& unixPath);

}  // namespace qel::testing
