// Running a built program from a test, as an operator or a script would start it: arguments and
// paths in UTF-8, no input, both outputs captured. posix_spawn on Linux, CreateProcessW on Windows.
#pragma once

#include <string>
#include <vector>

namespace test_support {

struct ProgramRun {
    int status = -1;       // the exit status; -1 when the program did not end by itself
    std::string out, err;  // what it wrote, with Windows line ends (CR LF) read as LF
    std::string failure;   // why it could not be started, or how it ended when not by itself
};

// Runs `program` with `args`, its input empty, in this process's environment without the
// variables named in `unset`, and waits for it to end.
ProgramRun run_program(const std::string& program, const std::vector<std::string>& args,
                       const std::vector<std::string>& unset = {});

// A path in the temporary folder (UTF-8) that no other process or call gets: the folder, then
// "qorm_<process>_<count>_" and `name`.
std::string temp_path(const std::string& name);

// How a Windows command line quotes one argument so that the program's C runtime (and
// CommandLineToArgvW) reads it back unchanged.
std::string quote_windows_argument(const std::string& arg);

}  // namespace test_support
