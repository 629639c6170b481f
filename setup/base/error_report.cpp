#include "error_report.h"

ReportText& ReportText::add(std::string_view text)
{
    for (char c : text) {
        if (size_ == capacity) break;
        text_[size_++] = c;
    }
    return *this;
}

// Made by hand: in the setup program, printf would bring in the run-time library's whole
// formatter, floating point included, and std::to_string a heap string.
ReportText& ReportText::add_unsigned(std::uint32_t value, std::size_t width)
{
    char digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (; width > count; --width) add("0");
    while (count > 0) add(std::string_view(&digits[--count], 1));
    return *this;
}

ReportText& ReportText::add_signed(std::int32_t value, std::size_t width)
{
    if (value >= 0) return add_unsigned(static_cast<std::uint32_t>(value), width);
    add("-");
    return add_unsigned(0u - static_cast<std::uint32_t>(value), width > 0 ? width - 1 : 0);
}

ReportText error_report_header(const std::tm& t, std::uint32_t thread)
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    ReportText header;
    header.add(days[t.tm_wday % 7]).add(" ").add(months[t.tm_mon % 12]).add(" ");
    header.add_signed(t.tm_mday, 2).add(" ");
    header.add_signed(t.tm_hour, 2).add(":").add_signed(t.tm_min, 2).add(":").add_signed(t.tm_sec, 2).add(" ");
    header.add_signed(t.tm_year + 1900, 4).add("\n\r\n");
    header.add_unsigned(thread).add("\r\n");
    return header;
}

ReportText format_trace_line(std::uint32_t tick, std::string_view source, std::int32_t line, std::uint32_t thread)
{
    ReportText text;
    text.add_unsigned(tick).add(" ").add(source).add(" ").add_signed(line).add(" ").add_unsigned(thread).add(" ");
    return text;
}
