// Fuzz entry of the estimator's saved entries file: any bytes must load as far as their integer
// lines allow, say which line stopped loading, and a file that loads whole must be saved back to
// bytes that load to the same entries.
#include "fuzz_checks.h"
#include "saved_entries.h"

#include <string>

namespace {

bool is_integer_line(int line)
{
    return line < line_first_entry || line >= line_window_top;
}

void check_partial_load(const LoadedEntries& loaded)
{
    require(loaded.lines_applied >= 0 && loaded.lines_applied < saved_entries_line_count);
    require(loaded.bad_integer_text.has_value() && is_integer_line(loaded.lines_applied + 1));
    require(invalid_integer_message(*loaded.bad_integer_text).find(*loaded.bad_integer_text) != std::string::npos);
}

void check_values(const SavedEntries& values)
{
    require(values.filing_status >= -1 && values.filing_status <= 3);
    for (const std::string& entry : values.entries) require(entry.find('\n') == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LoadedEntries loaded = parse_saved_entries(text_of(data, size));
    check_values(loaded.values);
    if (loaded.lines_applied != saved_entries_line_count) {
        check_partial_load(loaded);
        return 0;
    }
    require(!loaded.bad_integer_text);
    std::string saved = compose_saved_entries(loaded.values);
    LoadedEntries reloaded = parse_saved_entries(saved);
    require(reloaded.lines_applied == saved_entries_line_count && !reloaded.bad_integer_text);
    require(compose_saved_entries(reloaded.values) == saved);
    return 0;
}
