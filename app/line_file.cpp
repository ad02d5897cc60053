#include "line_file.h"

#include <cerrno>
#include <cstring>
#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace app {

LineFile::~LineFile() {
    if (file_ != nullptr) std::fclose(file_);
}

bool LineFile::open(const std::string& path, const std::string& what) {
    path_ = path;
    what_ = what;
    file_ = std::fopen(path.c_str(), "w");
    if (file_ == nullptr) {
        std::fprintf(stderr, "qorm: не удаётся записать %s в %s: %s\n", what.c_str(), path.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

void LineFile::write(const std::string& line) {
    if (file_ == nullptr || failed_) return;
    errno = 0;
    if (std::fprintf(file_, "%s\n", line.c_str()) < 0 || std::fflush(file_) != 0) fail(errno);
}

void LineFile::close() {
    if (file_ == nullptr) return;
    errno = 0;
    const bool flushed = std::fflush(file_) == 0;
    const int error = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) fail(flushed ? errno : error);
}

void LineFile::fail(int error) {
    if (failed_) return;
    failed_ = true;
    std::fprintf(stderr, "qorm: не удаётся дописать %s в %s: %s\n", what_.c_str(), path_.c_str(),
                 error != 0 ? std::strerror(error) : "ошибка записи");
}

void open_missing_standard_descriptors() {
#if !defined(_WIN32)
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor is the one closed, as 0 to fd - 1 are open by now.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            ::close(opened);
        }
    }
#endif
}

}  // namespace app
