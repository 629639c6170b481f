#include "tax_computation.h"

#include "number_text.h"

#include <cmath>

namespace {

struct PhaseOut {
    long double threshold;
    long double range;
};

// Indexed by filing status 0..3.
constexpr PhaseOut phase_outs[4] = {
    {166800, 122500}, {250200, 122500}, {125100, 61250}, {208500, 122500},
};

constexpr std::int64_t amount_per_exemption = 3650;
constexpr long double phase_out_step = 2500;
constexpr long double reduction_per_step = 0.02L;

// Standard deduction by status and by number of ticked boxes (0..4; three and four boxes only
// occur for married filing jointly).
constexpr long double standard_deductions[4][5] = {
    {6300, 7600, 9000, 9000, 9000},
    {12400, 13500, 14600, 15700, 16800},
    {6300, 7300, 8400, 8400, 8400},
    {8850, 10250, 11650, 11650, 11650},
};

struct Bracket {
    long double lower;
    long double upper;  // the last bracket has none
    long double rate;
    long double base;
};

constexpr long double no_upper_bound = HUGE_VALL;

constexpr Bracket rate_schedules[4][6] = {
    {{0, 8350, 0.10L, 0},
     {8350, 33950, 0.15L, 835},
     {33950, 82250, 0.25L, 4675},
     {82250, 171550, 0.28L, 16750},
     {171550, 372950, 0.33L, 41754},
     {372950, no_upper_bound, 0.35L, 108216}},
    {{0, 16700, 0.10L, 0},
     {16700, 67900, 0.15L, 1670},
     {67900, 137050, 0.25L, 9350},
     {137050, 208850, 0.28L, 26637.5L},
     {208850, 372950, 0.33L, 46741.5L},
     {372950, no_upper_bound, 0.35L, 100894.5L}},
    {{0, 8350, 0.10L, 0},
     {8350, 33950, 0.15L, 835},
     {33950, 68525, 0.25L, 4675},
     {68525, 104425, 0.28L, 13318.75L},
     {104425, 186475, 0.33L, 23370.75L},
     {186475, no_upper_bound, 0.35L, 50447.25L}},
    {{0, 11950, 0.10L, 0},
     {11950, 45500, 0.15L, 1195},
     {45500, 117450, 0.25L, 6227.5L},
     {117450, 190200, 0.28L, 24215},
     {190200, 372950, 0.33L, 44585},
     {372950, no_upper_bound, 0.35L, 104892.5L}},
};

int status_index(int status)
{
    return status >= filing_single && status <= filing_head_of_household ? status : filing_single;
}

long double exemption_deduction(int status, long double income, std::int32_t dependents)
{
    const PhaseOut& phase_out = phase_outs[status];
    if (!(income > phase_out.threshold)) {
        // In 64 bits, so that no count of dependents can overflow the product.
        return static_cast<long double>(amount_per_exemption * dependents);
    }
    long double excess = income - phase_out.threshold;
    if (excess > phase_out.range) return 0;
    long double steps = std::trunc(excess / phase_out_step) + 1;
    return (1 - reduction_per_step * steps) * amount_per_exemption * dependents;
}

long double tax_on(int status, long double taxable)
{
    for (const Bracket& bracket : rate_schedules[status]) {
        if (bracket.upper >= taxable) {
            if (bracket.lower == 0) return bracket.rate * taxable;
            return bracket.base + bracket.rate * (taxable - bracket.lower);
        }
    }
    return 0;  // not reached: the last bracket has no upper bound
}

long double real_or_zero(const std::string& text, bool& failed)
{
    std::optional<long double> value = text_to_real(text);
    failed = !value;
    return value.value_or(0);
}

std::int32_t integer_or_zero(const std::string& text, bool& failed)
{
    std::optional<std::int32_t> value = text_to_integer(text);
    failed = !value;
    return value.value_or(0);
}

} // namespace

TaxAmounts compute_amounts(int status, int boxes, long double income, std::int32_t dependents,
                           long double itemized, long double withheld)
{
    status = status_index(status);
    TaxAmounts amounts;
    amounts.exemptions = exemption_deduction(status, income, dependents);
    amounts.standard_deduction = standard_deductions[status][boxes];

    long double deduction = itemized > amounts.standard_deduction ? itemized : amounts.standard_deduction;
    long double taxable = income - deduction - amounts.exemptions;
    if (taxable < 0) taxable = 0;
    amounts.total_tax = tax_on(status, taxable);

    if (withheld <= 0)
        amounts.owed = amounts.total_tax;
    else if (withheld - amounts.total_tax > 0)
        amounts.refund = withheld - amounts.total_tax;
    else
        amounts.owed = amounts.total_tax - withheld;
    return amounts;
}

TaxOutputs compute_tax(const TaxInputs& in)
{
    TaxOutputs out;
    int boxes = in.you_born_before_1945 + in.you_blind;
    if (in.status == filing_married_jointly)
        boxes += in.spouse_born_before_1945 + in.spouse_blind;
    else
        out.untick_spouse_boxes = true;

    long double income = real_or_zero(in.income, out.income_failed);
    std::int32_t dependents = integer_or_zero(in.dependents, out.dependents_failed);
    long double itemized = real_or_zero(in.itemized, out.itemized_failed);
    long double withheld = real_or_zero(in.withheld, out.withheld_failed);

    TaxAmounts amounts = compute_amounts(in.status, boxes, income, dependents, itemized, withheld);
    out.exemptions = amount_to_text(amounts.exemptions);
    out.standard_deduction = amount_to_text(amounts.standard_deduction);
    out.total_tax = amount_to_text(amounts.total_tax);
    out.refund = amount_to_text(amounts.refund);
    out.owed = amount_to_text(amounts.owed);
    return out;
}
