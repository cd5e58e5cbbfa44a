#pragma once
// A file's time stamps as the update pass reads and sets them. Paths are UTF-8; texts are read and
// written under the program's date settings (update/DateTimeText.h).
#include <windows.h>

#include <string>

#include "update/DateTime.h"

namespace qel::update {

// A UTC file time as a local date-time, converted with the time-zone offset in force now.
DateTime FileTimeToLocalDateTime(const FILETIME& utc);

// The time text of the last-write time of the file or directory at the path; the empty text when
// nothing is found there (a path with wildcard characters names nothing). Does not throw.
std::string GetFileWriteTimeText(const std::string& path);

// Sets the creation, last-access and last-write times of an existing file to the local date-time
// the text holds, to the even second below (the DOS form). A text that cannot be read throws
// DateTimeConversionError before the file is touched. A year outside 1980-2107 leaves the times
// unchanged. A file that cannot be opened for exclusive reading and writing (missing, read-only,
// open elsewhere, denied) gets the modal box "日期修改操作失败！" (caption "Error"), after which the
// routine returns normally with the times unchanged.
void SetFileTimesFromText(const std::string& path, const std::string& text);

}  // namespace qel::update
