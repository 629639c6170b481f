#include "source_loader.h"

#include "build_error.h"
#include "file_checks.h"
#include "package_encoding.h"
#include "package_format.h"
#include "time_stamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace builder {

using namespace package_format;

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

struct SourceFile {
    Bytes bytes;
    std::int64_t modified = 0;  // seconds since 1970
};

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

class SourceLoader {
public:
    SourceLoader(const std::filesystem::path& base, std::optional<std::uint64_t> source_date_epoch)
        : base_(base), source_date_epoch_(source_date_epoch)
    {
    }

    SourceFile read(const SourceRef& ref, std::string_view key)
    {
        std::string path = (base_ / ref.path).string();
        FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat status {};
        if (file.get() < 0 || fstat(file.get(), &status) != 0) fail(ref, key, "cannot be read: " + system_error());
        if (!S_ISREG(status.st_mode)) fail(ref, key, "is not a regular file");
        reserve(ref, key, static_cast<std::uint64_t>(status.st_size));

        SourceFile source{Bytes(static_cast<std::size_t>(status.st_size)), status.st_mtim.tv_sec};
        for (std::size_t done = 0; done < source.bytes.size();) {
            ssize_t count = ::read(file.get(), source.bytes.data() + done, source.bytes.size() - done);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) fail(ref, key, "cannot be read: " + system_error());
            if (count == 0) fail(ref, key, "became shorter while it was read");
            done += static_cast<std::size_t>(count);
        }
        return source;
    }

    std::string text(const std::optional<SourceRef>& ref, std::string_view key)
    {
        if (!ref) return {};
        Bytes bytes = read(*ref, key).bytes;
        if (std::optional<std::string> problem = text_problem(bytes))
            fail(*ref, key, "cannot be a package text: " + *problem);
        return std::string(bytes.begin(), bytes.end());
    }

    Bytes picture(const std::optional<SourceRef>& ref, std::string_view key)
    {
        if (!ref) return {};
        Bytes bytes = read(*ref, key).bytes;
        if (std::optional<std::string> problem = bitmap_problem(bytes))
            fail(*ref, key, "is not a BMP file: " + *problem);
        return bytes;
    }

    TimeStamp time_stamp(const SourceRef& ref, const SourceFile& file)
    {
        if (source_date_epoch_) return split_time_stamp(*source_date_epoch_);
        if (file.modified < 0) fail(ref, "source", "was modified before 1970, which a package cannot record");
        return split_time_stamp(static_cast<std::uint64_t>(file.modified));
    }

private:
    // Every length and offset of the package is 32 bits; stop before reading what cannot fit.
    void reserve(const SourceRef& ref, std::string_view key, std::uint64_t size)
    {
        if (size > largest_package_size)
            fail(ref, key, "is " + std::to_string(size) + " bytes, more than the " +
                               std::to_string(largest_package_size) + " a package can hold");
        total_ += size;
        if (total_ > largest_package_size)
            fail(ref, key, "brings the package over the " + std::to_string(largest_package_size) + " bytes it can hold");
    }

    static std::string system_error()
    {
        return std::strerror(errno);
    }

    [[noreturn]] static void fail(const SourceRef& ref, std::string_view key, const std::string& problem)
    {
        throw BuildError(ref.line, std::string(key) + ": " + quoted(ref.path) + " " + problem);
    }

    std::filesystem::path base_;
    std::optional<std::uint64_t> source_date_epoch_;
    std::uint64_t total_ = 0;
};

} // namespace

SetupDescription load_sources(const Manifest& manifest, const std::filesystem::path& base_directory,
                              std::optional<std::uint64_t> source_date_epoch)
{
    SourceLoader loader(base_directory, source_date_epoch);
    SetupDescription d = manifest.description;
    d.welcome_text = loader.text(manifest.welcome_text_file, "welcome_text_file");
    d.license_text = loader.text(manifest.license_text_file, "license_text_file");
    d.page_bitmap = loader.picture(manifest.page_picture_file, "page_picture_file");
    d.welcome_bitmap = loader.picture(manifest.welcome_picture_file, "welcome_picture_file");
    for (std::size_t i = 0; i < d.files.size(); ++i) {
        const SourceRef& ref = manifest.file_sources.at(i);
        SourceFile source = loader.read(ref, "source");
        TimeStamp stamp = loader.time_stamp(ref, source);
        d.files[i].time_high = stamp.time_high;
        d.files[i].time_low = stamp.time_low;
        d.files[i].contents = std::move(source.bytes);
    }
    return d;
}

std::vector<SourceRef> manifest_sources(const Manifest& manifest)
{
    std::vector<SourceRef> sources;
    for (const std::optional<SourceRef>* ref : {&manifest.welcome_text_file, &manifest.license_text_file,
                                                &manifest.page_picture_file, &manifest.welcome_picture_file})
        if (*ref) sources.push_back(**ref);
    sources.insert(sources.end(), manifest.file_sources.begin(), manifest.file_sources.end());
    return sources;
}

} // namespace builder
