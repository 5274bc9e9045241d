// Stands in for the running game in the Windows end-to-end check: run under a name like the
// game's executable, it holds a package open as the game does: others may read it, but not
// write, rename, replace or delete it.
//   HoldFile FILE READY STOP   holds FILE, creates READY, and lets go once STOP exists
//                              (after two minutes at most)
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: HoldFile FILE READY STOP\n", stderr);
        return 64;
    }
    HANDLE held = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the file (error %lu)\n", GetLastError());
        return 1;
    }
    HANDLE ready = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    for (int waited = 0; waited < 120000; waited += 50) {
        if (GetFileAttributesW(argv[3]) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(50);
    }
    CloseHandle(held);
    return 0;
}
