// The texts of a post-mortem report in "PellwickErrorLog.txt". The report is written when the
// program may have run out of memory, so its lines are made in place, never on the heap, and
// its fixed texts are joined when the program is compiled.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string_view>

// The parts joined into one text with its terminating NUL, at compile time.
template <std::size_t... Sizes>
constexpr std::array<char, (Sizes + ...) - sizeof...(Sizes) + 1> joined_text(const char (&... parts)[Sizes])
{
    std::array<char, (Sizes + ...) - sizeof...(Sizes) + 1> text{};
    std::size_t at = 0;
    for (std::string_view part : {std::string_view(parts, Sizes - 1)...})
        for (char c : part) text[at++] = c;
    return text;
}

inline constexpr char error_log_name[] = "PellwickErrorLog.txt";
inline constexpr char support_email_address[] = "support@zelmorgraphics.com";

// What the user is told before the program ends.
inline constexpr auto fatal_message_text =
    joined_text("Please locate the PellwickErrorLog.txt file in this programs install directory and email it to ",
                support_email_address,
                ".  When the problem is resolved you will receive a fixed version of this program.");
inline constexpr char fatal_message_title[] = "Must Shutdown due to an error";

// One piece of the report, made in place. It holds more than any line of the report needs (a
// trace line has at most 51 characters); what would not fit is dropped.
class ReportText {
public:
    static constexpr std::size_t capacity = 64;

    ReportText& add(std::string_view text);
    // The number in decimal with at least `width` characters, zeros in front after any sign
    // (printf's "%0*u" and "%0*d").
    ReportText& add_unsigned(std::uint32_t value, std::size_t width = 0);
    ReportText& add_signed(std::int32_t value, std::size_t width = 0);

    std::string_view view() const { return {text_.data(), size_}; }

private:
    std::array<char, capacity> text_{};
    std::size_t size_ = 0;
};

// The report's first two lines: the time in the run-time library's asctime form ("Wed Jan 02
// 02:03:55 1980", 24 characters) with asctime's own line feed, then CR LF, the thread id and
// CR LF.
ReportText error_report_header(const std::tm& local_time, std::uint32_t thread);

// One trace line of the report without its line end: "tick source line thread ".
ReportText format_trace_line(std::uint32_t tick, std::string_view source, std::int32_t line, std::uint32_t thread);
