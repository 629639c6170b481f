#include "file_io.h"

#include "build_error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace builder {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& what)
{
    throw BuildError(path + ": " + what + ": " + std::strerror(errno));
}

// A file made with mkstemp that is removed again unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : name_(target + ".XXXXXX")
    {
        fd_ = mkstemp(name_.data());
        if (fd_ < 0) fail(target, "cannot create a temporary file beside it");
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0) close(fd_);
        if (!renamed_) unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write_all(std::span<const std::uint8_t> bytes)
    {
        for (std::size_t done = 0; done < bytes.size();) {
            ssize_t count = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) fail(name_, "cannot write");
            done += static_cast<std::size_t>(count);
        }
    }

    // mkstemp makes the file private; give it the permissions of any other new file.
    void rename_to(const std::string& target, FileKind kind)
    {
        mode_t mask = umask(0);
        umask(mask);
        mode_t mode = kind == FileKind::program ? 0777 : 0666;
        if (fchmod(fd_, mode & ~mask) != 0) fail(name_, "cannot set permissions");
        int closing = fd_;
        fd_ = -1;
        if (close(closing) != 0) fail(name_, "cannot write");
        if (std::rename(name_.c_str(), target.c_str()) != 0) fail(target, "cannot replace");
        renamed_ = true;
    }

private:
    std::string name_;
    int fd_ = -1;
    bool renamed_ = false;
};

} // namespace

Bytes read_whole_file(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) fail(path, "cannot open");
    Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) fail(path, "cannot read");
    return bytes;
}

void write_file_atomically(const std::string& path, std::span<const std::uint8_t> bytes, FileKind kind)
{
    TemporaryFile file(path);
    file.write_all(bytes);
    file.rename_to(path, kind);
}

} // namespace builder
