#include "error_report.h"
#include "trace_ring.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace {

// Every allocation of this test program, counted: the report is written when memory may have run
// out, so making it must allocate nothing.
std::size_t allocations = 0;

} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
    throw std::bad_alloc();
}
// Not inlined: the compiler would take the free() in place of a delete for a mismatch.
[[gnu::noinline]] void operator delete(void* memory) noexcept { std::free(memory); }
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

// The report's trace lines, as the ring hands them out.
std::vector<std::string> report_lines(TraceRing& ring)
{
    std::vector<std::string> lines;
    ring.close_and_report([&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(TraceRing, ReportsTheNeverWrittenSlotsFirstThenThePointsInOrder)
{
    TraceRing ring;
    ring.init();
    ring.record("src/a.cpp", 10, 1000, 7);
    ring.record("src/b.cpp", -3, 4294967295u, 8);
    std::vector<std::string> lines = report_lines(ring);
    ASSERT_EQ(lines.size(), 512u);
    for (std::size_t i = 0; i < 510; ++i) EXPECT_EQ(lines[i], "0  0 0 ") << i;
    EXPECT_EQ(lines[510], "1000 src/a.cpp 10 7 ");
    EXPECT_EQ(lines[511], "4294967295 src/b.cpp -3 8 ");
}

TEST(TraceRing, KeepsTheLast512PointsAndTheLast16CharactersOfEachPath)
{
    TraceRing ring;
    ring.init();
    for (int point = 1; point <= 1000; ++point) ring.record("setup/startup/Setup.cpp", point, 5, 6);
    std::vector<std::string> lines = report_lines(ring);
    ASSERT_EQ(lines.size(), 512u);
    EXPECT_EQ(lines.front(), "5 tartup/Setup.cpp 489 6 ");
    EXPECT_EQ(lines.back(), "5 tartup/Setup.cpp 1000 6 ");
}

TEST(TraceRing, RecordsNothingAfterAReportOrTheTeardown)
{
    TraceRing ring;
    ring.record("before.cpp", 1, 1, 1);  // not yet initialised
    EXPECT_EQ(ring.count(), 0u);
    ring.init();
    ring.record("x.cpp", 1, 1, 1);
    report_lines(ring);
    std::uint32_t after_report = ring.count();
    ring.record("x.cpp", 2, 2, 2);
    EXPECT_EQ(ring.count(), after_report);

    ring.init();
    ring.teardown();
    ring.record("x.cpp", 3, 3, 3);
    EXPECT_EQ(ring.count(), 0u);
}

TEST(ErrorReport, HeaderInTheRunTimeLibrarysAsctimeForm)
{
    std::tm t{};
    t.tm_year = 80;
    t.tm_mon = 0;
    t.tm_mday = 2;
    t.tm_wday = 3;
    t.tm_hour = 2;
    t.tm_min = 3;
    t.tm_sec = 55;
    EXPECT_EQ(error_report_header(t, 42).view(), "Wed Jan 02 02:03:55 1980\n\r\n42\r\n");
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_wday = 4;
    t.tm_hour = 23;
    EXPECT_EQ(error_report_header(t, 4294967295u).view(), "Thu Dec 31 23:03:55 2026\n\r\n4294967295\r\n");
}

TEST(ErrorReport, TheLongestTraceLineIsMadeWhole)
{
    EXPECT_EQ(format_trace_line(4294967295u, "0123456789abcdef", INT32_MIN, 4294967295u).view(),
              "4294967295 0123456789abcdef -2147483648 4294967295 ");
    EXPECT_EQ(format_trace_line(0, "", 0, 0).view(), "0  0 0 ");
}

TEST(ErrorReport, IsMadeWithoutAllocating)
{
    TraceRing ring;
    ring.init();
    for (int point = 1; point <= 600; ++point) ring.record("setup/startup/Setup.cpp", point, 4294967295u, 7);
    std::tm t{};
    std::size_t before = allocations;
    EXPECT_EQ(error_report_header(t, 4294967295u).view().size(), 39u);
    std::size_t lines = 0;
    ring.close_and_report([&lines](std::string_view) { ++lines; });
    EXPECT_EQ(allocations, before);
    EXPECT_EQ(lines, 512u);
}

TEST(ErrorReport, FatalMessage)
{
    EXPECT_STREQ(fatal_message_text.data(),
                 "Please locate the PellwickErrorLog.txt file in this programs install directory and email it to "
                 "support@zelmorgraphics.com.  When the problem is resolved you will receive a fixed version of "
                 "this program.");
}

} // namespace
