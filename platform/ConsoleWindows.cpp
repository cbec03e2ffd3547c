#include "platform/Console.h"
#include "platform/WindowsText.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
// shellapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace platform {

Utf8Arguments::Utf8Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide) {
        for (int i = 0; i < count; ++i)
            texts_.push_back(windows::Narrow(wide[i]));
        LocalFree(wide);
    } else {
        texts_.assign(argv, argv + argc);
    }
    for (std::string& text : texts_)
        pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

namespace {
UINT consoleOutputBefore = 0;

void RestoreConsole()
{
    SetConsoleOutputCP(consoleOutputBefore);
}
} // namespace

void PrepareStandardStreams()
{
    // The console's code page is the console's, not the program's: it is
    // put back when the program ends.
    const UINT before = GetConsoleOutputCP();
    if (before != 0 && before != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        consoleOutputBefore = before;
        std::atexit(RestoreConsole);
    }
}

bool StandardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

bool StandardOutputReaderGone()
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == INVALID_HANDLE_VALUE || out == nullptr || GetFileType(out) != FILE_TYPE_PIPE)
        return false;
    // Nothing written, but a pipe whose reader closed it refuses even that.
    DWORD written = 0;
    if (WriteFile(out, "", 0, &written, nullptr))
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE;
}

void MakeStandardOutputBinary()
{
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace platform
