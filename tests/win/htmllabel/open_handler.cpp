// Stand-in program registered in the label test's machine as the opener of a file type (and of ".htm"):
// it records the command line it was started with, one line per start, in C:\lqtest\opened.txt.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CreateDirectoryA("C:\\lqtest", nullptr);
    HANDLE hFile = CreateFileA("C:\\lqtest\\opened.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return 1;
    const char* pszCommandLine = GetCommandLineA();
    DWORD nWritten = 0;
    WriteFile(hFile, pszCommandLine, static_cast<DWORD>(strlen(pszCommandLine)), &nWritten, nullptr);
    WriteFile(hFile, "\r\n", 2, &nWritten, nullptr);
    CloseHandle(hFile);
    return 0;
}
