#pragma once
// The program's date settings (host/DateSettings.h) read from the locale of the calling thread:
// LOCALE_SSHORTDATE, and the first character of LOCALE_SDATE, LOCALE_STIME and LOCALE_SDECIMAL.
// An item the locale cannot give counts as empty (see MakeDateSettings). Nothing here throws.
#include "host/DateSettings.h"

namespace qel::ui {
class Application;
}

namespace qel::host {

// The settings of the calling thread's locale, as they stand now.
DateSettings ReadDateSettings();
// Makes them the program's settings: once at start, before any window exists.
void LoadDateSettings();
// Makes the user default locale the thread's locale, then loads the settings anew.
void ReloadDateSettings();
// Reloads the settings on every settings-change message that reaches the application window.
void FollowSettingChanges(ui::Application& application);

}  // namespace qel::host
