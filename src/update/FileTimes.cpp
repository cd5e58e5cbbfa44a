#include "update/FileTimes.h"

#include "common/WinText.h"
#include "update/DateTimeText.h"
#include "update/DosDateTime.h"
#include "update/ScreenCentredBox.h"

namespace qel::update {

namespace {

// Opens the file for reading and writing with no sharing; a read-only file counts as unopenable
// even where the file system would let this process write it (Wine run by root).
HANDLE OpenExclusive(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The DOS date and time, taken as local time, as a UTC file time.
bool DosToUtc(const DosDateTime& dos, FILETIME& utc) {
    FILETIME local{};
    return DosDateTimeToFileTime(dos.date, dos.time, &local) && LocalFileTimeToFileTime(&local, &utc);
}

}  // namespace

DateTime FileTimeToLocalDateTime(const FILETIME& utc) {
    FILETIME local{};
    SYSTEMTIME fields{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &fields);
    return DateTime{fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute, fields.wSecond,
                    fields.wMilliseconds};
}

std::string GetFileWriteTimeText(const std::string& path) {
    if (path.find_first_of("*?") != std::string::npos) return {};
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW(Widen(path).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return FormatTimeText(FileTimeToLocalDateTime(entry.ftLastWriteTime));
}

void SetFileTimesFromText(const std::string& path, const std::string& text) {
    const DosDateTime dos = ToDosDateTime(ParseDateTimeText(text));

    HANDLE file = OpenExclusive(Widen(path));
    if (file == INVALID_HANDLE_VALUE) {
        ShowScreenCentredErrorBox("Error", "日期修改操作失败！");
        return;
    }
    // Two conversions of the same instant: one for the creation time, one for access and write.
    FILETIME creation{}, written{};
    if (DosToUtc(dos, creation) && DosToUtc(dos, written)) SetFileTime(file, &creation, &written, &written);
    CloseHandle(file);
}

}  // namespace qel::update
