#include "debugger/file_bytes.h"

#include "platform/sys/file.h"

bool ReadFileBytes(const char* path, std::string& bytes)
{
    bytes.clear();
    HANDLE h = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    DWORD high = 0;
    DWORD low = GetFileSize(h, &high);
    if (high == 0 && low != 0xFFFFFFFFu)
        bytes.reserve(low);
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h, chunk, sizeof chunk, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    CloseHandle(h);
    return ok;
}
