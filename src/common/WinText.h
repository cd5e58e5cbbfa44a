#pragma once
// Conversions at the Win32 boundary: the program keeps text as UTF-8 and talks to Windows in
// UTF-16 (the W functions); where bytes go on the wire, they are in the system's ANSI code page.
#include <string>

namespace qel {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
// UTF-8 to the bytes of the system's ANSI code page (CP_ACP).
std::string ToAnsi(const std::string& utf8);
// The system's text for a Win32 error code, without the trailing line break.
std::string SystemErrorText(unsigned long code);

}  // namespace qel
