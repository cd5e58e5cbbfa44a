// Test helper: hold_file_open <file> <ready event> <release event>
// Opens the file for reading and writing without sharing, signals the ready event, and keeps the
// file open until the release event is signalled (at most 60 s). Exit code 2: the file did not open.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 3;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (!ready || !release) return 3;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    CloseHandle(file);
    return 0;
}
