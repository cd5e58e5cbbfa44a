#include "host/LocaleDateSettings.h"

#include <windows.h>

#include <iterator>
#include <string>

#include "common/WinText.h"
#include "ui/Application.h"

namespace qel::host {

namespace {

std::string ThreadLocaleItem(LCTYPE item) {
    wchar_t buffer[100] = {};
    GetLocaleInfoW(GetThreadLocale(), item, buffer, static_cast<int>(std::size(buffer)));
    buffer[std::size(buffer) - 1] = L'\0';
    return Narrow(buffer);
}

}  // namespace

DateSettings ReadDateSettings() {
    return MakeDateSettings(ThreadLocaleItem(LOCALE_SSHORTDATE), ThreadLocaleItem(LOCALE_SDATE),
                            ThreadLocaleItem(LOCALE_STIME), ThreadLocaleItem(LOCALE_SDECIMAL));
}

void LoadDateSettings() { SetCurrentDateSettings(ReadDateSettings()); }

void ReloadDateSettings() {
    SetThreadLocale(LOCALE_USER_DEFAULT);
    LoadDateSettings();
}

void FollowSettingChanges(ui::Application& application) {
    application.OnSettingChange = [] { ReloadDateSettings(); };
}

}  // namespace qel::host
