#include "saved_entries.h"

#include "number_text.h"

#include <vector>

namespace {

std::string box_text(bool ticked) { return ticked ? "-1" : "0"; }

// The first `saved_entries_line_count` lines; the last one may lack its line end.
std::vector<std::string> split_lines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size() && lines.size() < saved_entries_line_count) {
        std::size_t end = bytes.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(pos, next - pos);
        if (line.ends_with('\n')) line.remove_suffix(1);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        pos = next;
    }
    return lines;
}

int clamp_filing_status(int index)
{
    if (index > 3) return 3;
    if (index < -1) return -1;
    return index;
}

bool is_integer_line(int line)
{
    return line < line_first_entry || line >= line_window_top;
}

// Stores one integer line into `values`.
void apply_integer(SavedEntries& values, int line, int value)
{
    if (line == line_filing_status)
        values.filing_status = clamp_filing_status(value);
    else if (line < line_first_entry)
        values.boxes[line - line_first_box] = value != 0;
    else if (line == line_window_top)
        values.window_top = value;
    else
        values.window_left = value;
}

} // namespace

std::string compose_saved_entries(const SavedEntries& e)
{
    std::string text;
    auto add_line = [&text](const std::string& line) { text += line + "\r\n"; };
    add_line(std::to_string(e.filing_status));
    for (bool ticked : e.boxes) add_line(box_text(ticked));
    for (const std::string& entry : e.entries) add_line(entry);
    add_line(std::to_string(e.window_top));
    add_line(std::to_string(e.window_left));
    return text;
}

LoadedEntries parse_saved_entries(std::string_view bytes)
{
    std::vector<std::string> lines = split_lines(bytes);
    LoadedEntries loaded;
    for (int line = 1; line <= saved_entries_line_count; ++line) {
        std::string text = line <= static_cast<int>(lines.size()) ? lines[line - 1] : std::string();
        if (is_integer_line(line)) {
            std::optional<std::int32_t> value = text_to_integer(text);
            if (!value) {
                loaded.bad_integer_text = text;
                return loaded;
            }
            apply_integer(loaded.values, line, *value);
        } else {
            loaded.values.entries[line - line_first_entry] = text;
        }
        loaded.lines_applied = line;
    }
    return loaded;
}

std::string invalid_integer_message(const std::string& text)
{
    return "'" + text + "' is not a valid integer value.";
}

std::string io_error_message(unsigned long error)
{
    return "I/O error " + std::to_string(error) + ".";
}
