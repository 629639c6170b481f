#include "number_text.h"
#include "tax_computation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Scenario {
    const char* what;
    TaxInputs in;
    const char* exemptions;
    const char* standard_deduction;
    const char* total_tax;
    const char* refund;
    const char* owed;
};

TaxInputs inputs(int status, const char* income, const char* dependents = "0", const char* itemized = "0",
                 const char* withheld = "0")
{
    TaxInputs in;
    in.status = status;
    in.income = income;
    in.dependents = dependents;
    in.itemized = itemized;
    in.withheld = withheld;
    return in;
}

TaxInputs with_boxes(TaxInputs in, bool you_age, bool you_blind, bool spouse_age, bool spouse_blind)
{
    in.you_born_before_1945 = you_age;
    in.you_blind = you_blind;
    in.spouse_born_before_1945 = spouse_age;
    in.spouse_blind = spouse_blind;
    return in;
}

TEST(ComputeTax, Scenarios)
{
    const Scenario scenarios[] = {
        {"income at the single threshold keeps the full exemption", inputs(0, "166800", "1"), "3650", "6300",
         "37638", "0", "37638"},
        {"one dollar above the threshold takes one 2% step", inputs(0, "166801", "1"), "3577", "6300", "37659",
         "0", "37659"},
        {"an excess of 2499 is still one step", inputs(0, "169299", "1"), "3577", "6300", "38358", "0", "38358"},
        {"an excess of exactly 2500 is two steps", inputs(0, "169300", "1"), "3504", "6300", "38379", "0",
         "38379"},
        {"separately: an excess of 61250 is 25 steps", inputs(2, "186350", "1"), "1825", "6300", "47725", "0",
         "47725"},
        {"separately: one dollar more loses the exemption", inputs(2, "186351", "1"), "0", "6300", "48327", "0",
         "48327"},
        {"head of household: 49 steps leave 73 per exemption", inputs(3, "329500", "2"), "146", "8850", "87585",
         "0", "87585"},
        {"jointly: an excess of exactly 122500 leaves nothing", inputs(1, "372700", "1"), "0", "12400", "96720",
         "0", "96720"},
        {"single: taxable 8350 stays in the 10% bracket", inputs(0, "14650"), "0", "6300", "835", "0", "835"},
        {"single: taxable 8351 enters the 15% bracket", inputs(0, "14651"), "0", "6300", "835", "0", "835"},
        {"jointly: taxable 137050 shows the half rounded up", inputs(1, "149450"), "0", "12400", "26638", "0",
         "26638"},
        {"jointly: the unrounded tax decides what is owed", inputs(1, "149450", "0", "0", "26637"), "0", "12400",
         "26638", "0", "1"},
        {"itemized equal to the standard deduction", inputs(0, "50000", "0", "6300"), "0", "6300", "7113", "0",
         "7113"},
        {"itemized above the standard deduction is used", inputs(0, "50000", "0", "10000"), "0", "6300", "6188",
         "0", "6188"},
        {"deductions larger than the income", inputs(0, "5000", "1", "9000"), "3650", "6300", "0", "0", "0"},
        {"negative tax withheld: everything owed", inputs(0, "50000", "0", "0", "-5"), "0", "6300", "7113", "0",
         "7113"},
        {"tax withheld equal to the tax", inputs(0, "50000", "0", "0", "7112.5"), "0", "6300", "7113", "0", "0"},
        {"tax withheld above the tax is refunded", inputs(0, "50000", "0", "0", "9000"), "0", "6300", "7113",
         "1888", "0"},
        {"tax withheld below the tax leaves the rest owed", inputs(0, "50000", "0", "0", "7000"), "0", "6300",
         "7113", "0", "113"},
        {"a negative count of dependents raises the taxable income", inputs(0, "50000", "-1"), "-3650", "6300",
         "8025", "0", "8025"},
        {"jointly with all four boxes", with_boxes(inputs(1, "0"), true, true, true, true), "0", "16800", "0", "0",
         "0"},
        {"jointly with three boxes", with_boxes(inputs(1, "0"), true, false, true, true), "0", "15700", "0", "0",
         "0"},
        {"single with both own boxes", with_boxes(inputs(0, "0"), true, true, false, false), "0", "9000", "0", "0",
         "0"},
        {"single: spouse boxes do not count", with_boxes(inputs(0, "0"), true, false, true, true), "0", "7600", "0",
         "0", "0"},
        {"separately with one box", with_boxes(inputs(2, "0"), false, true, false, false), "0", "7300", "0", "0",
         "0"},
        {"head of household with one box", with_boxes(inputs(3, "0"), true, false, false, false), "0", "10250", "0",
         "0", "0"},
        {"head of household with two boxes", with_boxes(inputs(3, "0"), true, true, true, false), "0", "11650", "0",
         "0", "0"},
        {"no status selected computes as single", inputs(-1, "50000", "1"), "3650", "6300", "6200", "0", "6200"},
        {"every dependent of a huge count is deducted", inputs(0, "0", "2147483647"), "7838315311550", "6300", "0",
         "0", "0"},
        {"a huge income is shown in full", inputs(0, "1e30"), "0", "6300", "350000000000000000012079595520",
         "0", "350000000000000000012079595520"},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        TaxOutputs out = compute_tax(s.in);
        EXPECT_EQ(out.exemptions, s.exemptions);
        EXPECT_EQ(out.standard_deduction, s.standard_deduction);
        EXPECT_EQ(out.total_tax, s.total_tax);
        EXPECT_EQ(out.refund, s.refund);
        EXPECT_EQ(out.owed, s.owed);
        EXPECT_FALSE(out.income_failed || out.dependents_failed || out.itemized_failed || out.withheld_failed);
    }
}

struct Bracket {
    long double bound;  // upper bound of a bracket
    long double next_base;
    long double next_rate;
};

// Every upper bracket bound of the four schedules: at the bound the tax equals the next
// bracket's base; one dollar more adds that bracket's rate.
TEST(ComputeTax, EveryBracketBoundary)
{
    const Bracket schedules[4][5] = {
        {{8350, 835, 0.15L}, {33950, 4675, 0.25L}, {82250, 16750, 0.28L}, {171550, 41754, 0.33L},
         {372950, 108216, 0.35L}},
        {{16700, 1670, 0.15L}, {67900, 9350, 0.25L}, {137050, 26637.5L, 0.28L}, {208850, 46741.5L, 0.33L},
         {372950, 100894.5L, 0.35L}},
        {{8350, 835, 0.15L}, {33950, 4675, 0.25L}, {68525, 13318.75L, 0.28L}, {104425, 23370.75L, 0.33L},
         {186475, 50447.25L, 0.35L}},
        {{11950, 1195, 0.15L}, {45500, 6227.5L, 0.25L}, {117450, 24215, 0.28L}, {190200, 44585, 0.33L},
         {372950, 104892.5L, 0.35L}},
    };
    const long double standard_deduction[4] = {6300, 12400, 6300, 8850};
    for (int status = 0; status < 4; ++status) {
        for (const Bracket& b : schedules[status]) {
            SCOPED_TRACE("status " + std::to_string(status) + ", bound " + amount_to_text(b.bound));
            long double income = b.bound + standard_deduction[status];
            TaxAmounts at = compute_amounts(status, 0, income, 0, 0, 0);
            TaxAmounts above = compute_amounts(status, 0, income + 1, 0, 0, 0);
            EXPECT_NEAR(static_cast<double>(at.total_tax), static_cast<double>(b.next_base), 1e-6);
            EXPECT_NEAR(static_cast<double>(above.total_tax), static_cast<double>(b.next_base + b.next_rate), 1e-6);
        }
    }
}

TEST(ComputeTax, TopBracketBoundaryShowsTheRoundedHalf)
{
    EXPECT_EQ(compute_tax(inputs(1, "385350")).total_tax, "100895");
}

TEST(ComputeTax, FailedEntriesAreMarkedAndCountAsZero)
{
    TaxOutputs out = compute_tax(inputs(0, "50,000", "two", "", "$100"));
    EXPECT_TRUE(out.income_failed);
    EXPECT_TRUE(out.dependents_failed);
    EXPECT_TRUE(out.itemized_failed);
    EXPECT_TRUE(out.withheld_failed);
    EXPECT_EQ(out.exemptions, "0");
    EXPECT_EQ(out.standard_deduction, "6300");
    EXPECT_EQ(out.total_tax, "0");
    EXPECT_EQ(out.owed, "0");

    TaxOutputs empty_income = compute_tax(inputs(0, "", "1"));
    EXPECT_TRUE(empty_income.income_failed);
    EXPECT_FALSE(empty_income.dependents_failed);
    EXPECT_EQ(empty_income.exemptions, "3650");
}

TEST(ComputeTax, SpouseBoxesAreUntickedUnderEveryStatusButJointly)
{
    for (int status = -1; status <= 3; ++status) {
        SCOPED_TRACE(status);
        TaxInputs in = with_boxes(inputs(status, "0"), false, false, true, true);
        EXPECT_EQ(compute_tax(in).untick_spouse_boxes, status != filing_married_jointly);
    }
}

} // namespace
