#include "manifest_lines.h"

#include "build_error.h"

namespace builder {

namespace {

constexpr std::string_view blanks = " \t";

std::string_view trim(std::string_view text)
{
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string unquote(std::string_view value, int line)
{
    if (value.empty() || value.front() != '"') return std::string(value);
    if (value.size() < 2 || value.back() != '"') throw BuildError(line, "a value that starts with \" must end with \"");
    return std::string(value.substr(1, value.size() - 2));
}

ManifestLine section_line(std::string_view text, int line)
{
    if (text.back() != ']') throw BuildError(line, "a section header must end with \"]\"");
    std::string_view name = trim(text.substr(1, text.size() - 2));
    if (name.empty()) throw BuildError(line, "a section header needs a name, as in [file]");
    return {ManifestLine::Kind::section, line, std::string(name), {}};
}

ManifestLine setting_line(std::string_view text, int line)
{
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        throw BuildError(line, "expected \"key = value\", a [section] or a comment");
    std::string_view key = trim(text.substr(0, equals));
    if (key.empty()) throw BuildError(line, "a setting needs a key before \"=\"");
    return {ManifestLine::Kind::setting, line, std::string(key), unquote(trim(text.substr(equals + 1)), line)};
}

} // namespace

std::vector<ManifestLine> split_manifest_lines(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        throw BuildError(1, "the manifest starts with a UTF-8 byte order mark; its texts are single-byte "
                            "(code page 1252), save it without one");
    std::vector<ManifestLine> lines;
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (raw.ends_with('\r')) raw.remove_suffix(1);
        if (raw.find('\0') != std::string_view::npos) throw BuildError(number, "the line holds a NUL byte");
        std::string_view content = trim(raw);
        if (content.empty() || content.front() == '#' || content.front() == ';') continue;
        lines.push_back(content.front() == '[' ? section_line(content, number) : setting_line(content, number));
    }
    return lines;
}

} // namespace builder
