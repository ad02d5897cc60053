// The operating system's side of texts, paths, arguments and the console, in UTF-8 everywhere.
// Linux speaks UTF-8 natively, so most of this is a pass-through there; Windows speaks UTF-16 at
// its API and an ANSI code page in the C runtime, so paths, arguments and system messages are
// converted at this one place.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform::native {

// A path named in UTF-8 (a command-line argument, a file named in a script), for the C++ library.
std::filesystem::path path_from_utf8(std::string_view utf8);
// fopen with a UTF-8 path. Null and errno set when the file cannot be opened.
std::FILE* open_file(const std::string& utf8_path, const char* mode);

// The program's arguments in UTF-8, as argc and argv for a parser that takes them so. On Windows
// they are read again from the wide command line, because argv holds them in the ANSI code page,
// where letters outside it are lost.
class Arguments {
  public:
    Arguments(int argc, char** argv);
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    int argc() const { return static_cast<int>(texts_.size()); }
    char** argv() { return pointers_.data(); }

  private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;  // into texts_, with a null at the end
};

// Console output in UTF-8 (Windows: the console's output code page, restored when the program
// ends). Text written to files and pipes is unaffected.
void use_utf8_console();

// An environment variable in UTF-8; empty when unset.
std::string environment(const char* name);

#ifdef _WIN32
// The folder of the running program, and of the module (program or DLL) holding this code; with
// no separator at the end. Empty where it cannot be told.
std::string program_folder();
std::string module_folder();

// UTF-8 and UTF-16. A byte sequence that is not UTF-8 becomes U+FFFD.
std::wstring to_utf16(std::string_view utf8);
std::string to_utf8(std::wstring_view utf16);
// The system's text for a Windows error code, in the user's language, in UTF-8, without the line
// end FormatMessage puts after it; "ошибка Windows N" when the system has none.
std::string error_text(unsigned long code);
#endif

}  // namespace platform::native
