#pragma once
// The user's date formats: reading the short date format and writing the launcher's formats
// (host/EnforcedDateFormats.h) into the user default locale. The results of the writes and of the
// broadcast are not looked at; nothing here throws.
#include <string>

namespace qel::host {

// The user's short date format (LOCALE_SSHORTDATE of LOCALE_USER_DEFAULT), UTF-8; empty when the
// locale cannot give it in 100 characters.
std::string GetShortDateFormat();

// Writes the short date, long date and time formats, in that order, then sends WM_WININICHANGE
// to every top-level window (SMTO_ABORTIFHUNG, 10 ms each). The program's own application window
// handles it within the call, so its date settings are reloaded when this returns.
void ApplyDateFormats();

// The enforcement at start: ApplyDateFormats unless the short date format is already the
// launcher's. True when it wrote.
bool EnforceDateFormats();

}  // namespace qel::host
