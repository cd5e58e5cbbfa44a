#include "host/DateFormats.h"

#include <windows.h>

#include <iterator>

#include "common/WinText.h"
#include "host/EnforcedDateFormats.h"

namespace qel::host {

std::string GetShortDateFormat() {
    wchar_t buffer[100] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, static_cast<int>(std::size(buffer)));
    buffer[std::size(buffer) - 1] = L'\0';
    return Narrow(buffer);
}

void ApplyDateFormats() {
    // Written as UTF-16, so the Chinese characters land intact whatever the ANSI code page.
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, Widen(std::string(kEnforcedShortDateFormat)).c_str());
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, Widen(std::string(kEnforcedLongDateFormat)).c_str());
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, Widen(std::string(kEnforcedTimeFormat)).c_str());
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, 10, &result);
}

bool EnforceDateFormats() {
    if (!NeedsDateFormatEnforcement(GetShortDateFormat())) return false;
    ApplyDateFormats();
    return true;
}

}  // namespace qel::host
