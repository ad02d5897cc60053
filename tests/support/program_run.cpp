#include "program_run.h"

#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>

#include "native.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

extern char** environ;
#endif

namespace test_support {

namespace {

std::string read_all(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path utf8_path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A fresh pair of output files in the temporary folder, removed when the run has been read.
struct OutputFiles {
    std::filesystem::path out = utf8_path(temp_path("out"));
    std::filesystem::path err = utf8_path(temp_path("err"));
    ~OutputFiles() {
        std::error_code ignored;
        std::filesystem::remove(out, ignored);
        std::filesystem::remove(err, ignored);
    }
};

bool named_in(const std::string& entry, const std::vector<std::string>& names, bool fold_case) {
    const std::size_t eq = entry.find('=', 1);  // Windows keeps "=C:=C:\..." entries
    const std::string name = entry.substr(0, eq);
    for (const std::string& n : names) {
        if (n.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < n.size() && same; ++i) {
            char a = n[i], b = name[i];
            if (fold_case) {
                a = static_cast<char>(std::tolower(static_cast<unsigned char>(a)));
                b = static_cast<char>(std::tolower(static_cast<unsigned char>(b)));
            }
            same = a == b;
        }
        if (same) return true;
    }
    return false;
}

}  // namespace

std::string temp_path(const std::string& name) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    const std::u8string folder = std::filesystem::temp_directory_path().u8string();
    return std::string(folder.begin(), folder.end()) + "/qorm_" + std::to_string(pid) + "_" +
           std::to_string(counter++) + "_" + name;
}

std::string quote_windows_argument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal except before a quote, where each of them is doubled and the
        // quote escaped.
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');  // before the closing quote
    out += '"';
    return out;
}

#ifdef _WIN32

namespace {

std::string crlf_as_lf(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

HANDLE inheritable_file(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::wstring environment_block(const std::vector<std::string>& unset) {
    std::wstring block;
    wchar_t* env = GetEnvironmentStringsW();
    if (env == nullptr) return block;
    for (const wchar_t* e = env; *e != L'\0'; e += wcslen(e) + 1) {
        if (named_in(platform::native::to_utf8(e), unset, true)) continue;
        block += e;
        block += L'\0';
    }
    FreeEnvironmentStringsW(env);
    if (block.empty()) block += L'\0';
    block += L'\0';
    return block;
}

}  // namespace

ProgramRun run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::vector<std::string>& unset) {
    ProgramRun run;
    OutputFiles files;
    std::string command_line = quote_windows_argument(program);
    for (const std::string& a : args) command_line += " " + quote_windows_argument(a);
    std::wstring command = platform::native::to_utf16(command_line);
    std::wstring env = environment_block(unset);

    HANDLE in = inheritable_file(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE out = inheritable_file(files.out.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = inheritable_file(files.err.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi{};
    const std::wstring wide_program = platform::native::to_utf16(program);
    const BOOL started = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE &&
                         err != INVALID_HANDLE_VALUE &&
                         CreateProcessW(wide_program.c_str(), command.data(), nullptr, nullptr,
                                        TRUE, CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW,
                                        env.data(), nullptr, &si, &pi);
    const DWORD start_error = GetLastError();
    for (HANDLE h : {in, out, err})
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (!started) {
        run.failure = "cannot start " + program + ": " + platform::native::error_text(start_error);
        return run;
    }
    // Far beyond any run of the suite; a program that hangs is ended instead of the test.
    constexpr DWORD kLimitMs = 5 * 60 * 1000;
    if (WaitForSingleObject(pi.hProcess, kLimitMs) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, INFINITE);
        run.failure = program + " did not end within 5 minutes";
    } else {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        // Exception codes (0xC0000005, ...) mean the program did not end by itself.
        if (code >= 0xC0000000u) {
            char text[32];
            std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
            run.failure = program + " ended by exception " + text;
        } else {
            run.status = static_cast<int>(code);
        }
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    run.out = crlf_as_lf(read_all(files.out));
    run.err = crlf_as_lf(read_all(files.err));
    return run;
}

#else

ProgramRun run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::vector<std::string>& unset) {
    ProgramRun run;
    OutputFiles files;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, files.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, files.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<std::string> argv_text = {program};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env_text;
    for (char** e = environ; *e != nullptr; ++e)
        if (!named_in(*e, unset, false)) env_text.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env_text) envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.failure = "cannot start " + program + ": " + std::strerror(spawned);
        return run;
    }
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid) {
        if (WIFEXITED(wstatus))
            run.status = WEXITSTATUS(wstatus);
        else if (WIFSIGNALED(wstatus))
            run.failure = program + " ended by signal " + std::to_string(WTERMSIG(wstatus));
    }
    run.out = read_all(files.out);
    run.err = read_all(files.err);
    return run;
}

#endif

}  // namespace test_support
