// The saved entries file "zelTax.txt": 16 lines that restore the window at the next start.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* saved_entries_file_name = "zelTax.txt";
inline constexpr int saved_entries_line_count = 16;

struct SavedEntries {
    int filing_status = 0;                // -1 when no item is selected
    std::array<bool, 4> boxes{};          // CheckBox1 .. CheckBox4
    std::array<std::string, 9> entries;   // texts of Edit1 .. Edit9
    int window_top = 10;
    int window_left = 10;
};

// The file's bytes: the 16 lines, each ended by CR LF.
std::string compose_saved_entries(const SavedEntries& entries);

// Line numbers (1-based) of the file.
enum SavedEntriesLine {
    line_filing_status = 1,
    line_first_box = 2,
    line_first_entry = 6,
    line_window_top = 15,
    line_window_left = 16,
};

struct LoadedEntries {
    SavedEntries values;
    // Lines 1 .. lines_applied were read and take effect, in order; the rest keep what the
    // window has. Fewer than 16 only when a line that must hold an integer does not.
    int lines_applied = 0;
    // The text of the line that stopped loading, when one did.
    std::optional<std::string> bad_integer_text;
};

// Reads the file's bytes. A line ends at LF or CR LF; lines after the 16th are ignored; a
// missing entry line is an empty text, a missing or malformed integer line stops loading.
LoadedEntries parse_saved_entries(std::string_view bytes);

// "'%s' is not a valid integer value." for the line that stopped loading.
std::string invalid_integer_message(const std::string& text);

// "I/O error %d." for a system error code.
std::string io_error_message(unsigned long error);
