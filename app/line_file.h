// A text file the program writes line by line while it runs: the session recording, the trace.
// Each line is written through at once, so an interrupted run keeps what was done up to then.
// A line that cannot be written (a full disk, /dev/full, a closed pipe) is told once on standard
// error, and the file writes nothing more; the program asks failed() at its end.
#pragma once

#include <cstdio>
#include <string>

namespace app {

class LineFile {
  public:
    LineFile() = default;
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;
    ~LineFile();

    // Creates or empties the file. False, with one line on standard error, when it cannot be
    // opened; `what` names what it holds in the messages, as the object of "записать"
    // ("сценарий", "трассировку").
    bool open(const std::string& path, const std::string& what);
    bool is_open() const { return file_ != nullptr; }
    void write(const std::string& line);
    // Closes the file; a write that failed only now (a buffer written at closing) counts too.
    void close();
    bool failed() const { return failed_; }

  private:
    void fail(int error);

    std::FILE* file_ = nullptr;
    std::string path_, what_;
    bool failed_ = false;
};

// A descriptor 0, 1 or 2 that is closed at start is opened on /dev/null, so that no file the
// program opens later takes its place and receives what was meant for standard input, output or
// error (the trace going into the recording, say).
void open_missing_standard_descriptors();

}  // namespace app
