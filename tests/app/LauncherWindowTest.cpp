#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/LauncherWindow.h"
#include "common/WinText.h"
#include "support/TestSupport.h"
#include "ui/Application.h"

namespace qel {
namespace {

const char* const kTitle = "系统安装/升级中";

Site TestSite() {
    Site site;
    site.installFolder = "c:\\qel-test";
    site.serverAddress = "127.0.0.1";
    return site;
}

TEST(LauncherWindow, ClosingTheApplicationWindowEndsTheProcess) {
    std::wstring demo = Widen(testing::WindowsPath(QEL_BINARY_DIR "/tests/app/window_demo.exe"));
    std::wstring commandLine = L"\"" + demo + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(demo.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));

    HWND appWindow = nullptr;
    HWND form = nullptr;
    for (int i = 0; i < 300 && !(appWindow && form); ++i) {
        auto apps = testing::TopLevelWindows(pi.dwProcessId, ui::Application::kWindowClass);
        auto forms = testing::TopLevelWindows(pi.dwProcessId, ui::Form::kWindowClass);
        if (!apps.empty()) appWindow = apps.front();
        if (!forms.empty()) form = forms.front();
        Sleep(100);
    }
    ASSERT_TRUE(appWindow && form) << "the demo's windows did not show";

    wchar_t caption[64] = {};
    GetWindowTextW(appWindow, caption, 64);
    EXPECT_EQ(Narrow(caption), kTitle);  // the taskbar entry bears the title
    EXPECT_EQ(GetWindow(form, GW_OWNER), appWindow);  // so the form has no entry of its own
    EXPECT_TRUE(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(GetWindowLongW(form, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));

    // The taskbar entry's Close command.
    PostMessageW(appWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

class WindowInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        app.SetTitle(kTitle);
        window = std::make_unique<Tf_inst>(TestSite(), Tf_inst::StartUp::Skip);
    }

    ui::Application app;
    std::unique_ptr<Tf_inst> window;
};

TEST_F(WindowInProcess, IsArmedForOneSecondAndLaidOutAsStored) {
    EXPECT_EQ(window->Timer1.Interval(), 1000u);
    EXPECT_TRUE(window->Timer1.Armed());
    EXPECT_EQ(window->connectionKind(), 0);
    EXPECT_EQ(f_inst, window.get());
    RECT client;
    GetClientRect(window->Handle(), &client);
    EXPECT_EQ(client.right, window->Scale(601));
    EXPECT_EQ(client.bottom, window->Scale(362));
}

TEST_F(WindowInProcess, ErrorInAHandlerShowsTheStandardErrorBox) {
    struct Case { std::string message, shown; };
    const Case cases[] = {
        {"Disk full", "Disk full."},
        {"Stop!", "Stop!"},
        {"未能建立文件夹c:\\qel.请可手工建立.", "未能建立文件夹c:\\qel.请可手工建立."},
        {"日期修改操作失败", "日期修改操作失败."},
    };
    testing::MessageBoxWatcher watcher;
    for (const auto& c : cases) {
        const std::size_t before = watcher.Seen().size();
        bool ticked = false;
        window->Timer1.SetInterval(10);
        window->Timer1.SetOnTimer([&] {
            window->Timer1.SetEnabled(false);
            ticked = true;
            throw std::runtime_error(c.message);
        });
        // The tick returns once the box it raised has been answered.
        ASSERT_TRUE(testing::PumpUntil([&] { return ticked && watcher.Seen().size() > before; }, 20000))
            << "no error box for " << c.message;
        const testing::SeenBox box = watcher.Seen().back();
        EXPECT_EQ(box.caption, kTitle);
        EXPECT_EQ(box.text, c.shown);
        EXPECT_TRUE(box.errorIcon);
        EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
        window->Timer1.SetEnabled(true);
    }
}

TEST_F(WindowInProcess, ProgressBarRepaintsWhenPercentChangesOnly) {
    ui::ProgressBar& bar = window->rpb1;
    bar.SetTotalParts(1000);          // 0 % still
    EXPECT_EQ(bar.ImmediateRepaints(), 0);
    bar.SetPartsComplete(4);          // 0.4 % rounds to 0: no change
    EXPECT_EQ(bar.ImmediateRepaints(), 0);
    bar.SetPartsComplete(500);
    EXPECT_EQ(bar.ImmediateRepaints(), 1);
    bar.SetPartsComplete(500);
    bar.SetTotalParts(1000);
    EXPECT_EQ(bar.ImmediateRepaints(), 1);
    bar.SetTotalParts(2000);          // drop to 0 %
    EXPECT_EQ(bar.ImmediateRepaints(), 2);
    EXPECT_EQ(bar.Percent(), 0);
}

TEST(Timer, ArmsOnlyWithIntervalEnabledAndHandler) {
    ui::Application app;
    ui::Timer timer;
    EXPECT_FALSE(timer.Armed());  // no handler yet
    timer.SetOnTimer([] {});
    EXPECT_TRUE(timer.Armed());
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Armed());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Armed());
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Armed());
    timer.SetInterval(500);
    EXPECT_TRUE(timer.Armed());
}

}  // namespace
}  // namespace qel

namespace qel {
namespace {

std::wstring VersionValue(const std::vector<BYTE>& info, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return L"";
    return value;
}

TEST(LauncherProgram, CarriesItsVersionRecord) {
    std::wstring exe = Widen(testing::WindowsPath(QEL_BINARY_DIR "/qel-launcher.exe"));
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000005u);  // .0.5
    EXPECT_EQ(VersionValue(info, L"ProductVersion"), L"1.0.0.0");
}

}  // namespace
}  // namespace qel
