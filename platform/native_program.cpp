// The parts of the native layer only a program needs (its command line, its console), apart
// from native.cpp so that a DLL holding the front panel does not import the shell for them.
#include "native.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#endif

namespace platform::native {

#ifdef _WIN32

namespace {
std::vector<std::string> utf8_arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    if (wide == nullptr) {
        for (int i = 0; i < argc; ++i) out.emplace_back(argv[i] ? argv[i] : "");
        return out;
    }
    for (int i = 0; i < count; ++i) out.push_back(to_utf8(wide[i]));
    LocalFree(wide);
    return out;
}
}  // namespace

namespace {
UINT console_code_page_at_start = 0;
void restore_console_code_page() {
    if (console_code_page_at_start != 0) SetConsoleOutputCP(console_code_page_at_start);
}
}  // namespace

void use_utf8_console() {
    // Only a real console has a code page; output into a file or a pipe is passed on as bytes.
    const UINT current = GetConsoleOutputCP();
    if (current == 0 || current == CP_UTF8) return;
    if (!SetConsoleOutputCP(CP_UTF8)) return;
    // The code page belongs to the console, which outlives the program (the operator's cmd
    // window): it is given back at exit.
    if (console_code_page_at_start == 0) {
        console_code_page_at_start = current;
        std::atexit(restore_console_code_page);
    }
}

#else

namespace {
std::vector<std::string> utf8_arguments(int argc, char** argv) {
    std::vector<std::string> out;
    for (int i = 0; i < argc; ++i) out.emplace_back(argv[i] ? argv[i] : "");
    return out;
}
}  // namespace

void use_utf8_console() {}

#endif

Arguments::Arguments(int argc, char** argv) : texts_(utf8_arguments(argc, argv)) {
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

}  // namespace platform::native
