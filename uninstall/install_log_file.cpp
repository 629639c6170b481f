#include "install_log_file.h"

#include "scoped_handle.h"
#include "text_lines.h"

namespace {

class FileLines : public LineSource {
public:
    explicit FileLines(HANDLE file) : file_(file) {}
    bool read_line(std::string& line) override { return ::read_line(file_, line); }

private:
    HANDLE file_;
};

} // namespace

std::optional<std::vector<UninstallEntry>> read_install_log_file(const std::string& path)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    FileLines lines(file.get());
    return read_log_entries(lines);
}
