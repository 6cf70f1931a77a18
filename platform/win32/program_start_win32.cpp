#include "platform/program_start.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

ProgramStart::ProgramStart(int argc, char** argv) {
    // The narrow argv went through the ANSI code page, where a Japanese name may not survive.
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) texts_.push_back(win32::Utf8FromWide(wide[i]));
        LocalFree(wide);
    } else {
        texts_.assign(argv, argv + argc);
    }
    Point();
    // Listings end their lines themselves and are UTF-8 on every platform.
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    DWORD mode = 0;
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) ||
        GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode)) {
        consoleCodePage_ = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
    }
}

ProgramStart::~ProgramStart() {
    std::fflush(stdout);
    std::fflush(stderr);
    if (consoleCodePage_ != 0) SetConsoleOutputCP(consoleCodePage_);
}

void ProgramStart::Point() {
    pointers_.clear();
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

}  // namespace pelmora::platform
