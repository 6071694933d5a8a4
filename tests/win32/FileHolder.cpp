// file_holder PATH EVENT: another program that holds PATH open without sharing until the named
// event is set, as a program that locks a painter's file does.  The tests start it, wait until
// the file is locked, run, then set the event.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!release || file == INVALID_HANDLE_VALUE)
        return 1;
    WaitForSingleObject(release, INFINITE);
    CloseHandle(file);
    CloseHandle(release);
    return 0;
}
