#pragma once
// Conversions at the Win32 boundary: the program keeps text as UTF-8 and talks to Windows in
// UTF-16 (the W functions); where bytes go on the wire, they are in the system's ANSI code page.
#include <optional>
#include <string>

namespace qel {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
// UTF-8 to the bytes of the system's ANSI code page (CP_ACP); a character the code page lacks
// becomes its default character ("?").
std::string ToAnsi(const std::string& utf8);
// UTF-8 to the bytes of a code page (CP_ACP: the system's), or nothing when a character has no
// bytes of its own there (no default character, no best-fit look-alike).
std::optional<std::string> ToCodePageExact(const std::string& utf8, unsigned codePage);
// Text for the screen: UTF-8, or, when the bytes are not UTF-8 (a server's reason phrase, say),
// bytes of the system's ANSI code page.
std::wstring WidenAnyText(const std::string& text);
// The system's text for a Win32 error code, without the trailing line break.
std::string SystemErrorText(unsigned long code);

}  // namespace qel
