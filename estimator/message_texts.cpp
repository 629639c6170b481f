#include "message_texts.h"

#include <initializer_list>

namespace {

std::string join_with_cr(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines) {
        if (&line != lines.begin()) text += '\r';
        text += line;
    }
    return text;
}

std::string blanks(std::size_t count) { return std::string(count, ' '); }

} // namespace

std::string help_text()
{
    return join_with_cr({
        blanks(3) + "ZELMOR FEDERAL INCOME TAX 2010 QUICK ESTIMATOR",
        blanks(28) + "- for tax year 2009 -",
        blanks(28) + "(by Zelmor Graphics)",
        "",
        "Programs Steps:",
        "-Select filing status radio button.",
        "-Check all exemptions that apply.",
        "",
        "Yellow boxes are for user input.",
        "-Enter adjusted gross income in 1st yellow box.",
        "-Enter total dependents claimed in 2nd yellow box.",
        "-Click [Update] to estimate tax item 6.",
        "-Enter itemized deductions in 3rd yellow box.",
        "-Re-click [Update] to revise tax item 6.",
        "-Enter federal tax withheld in 4th yellow box.",
        "-Re-click [Update] to estimate tax refund or due.",
        "-Revise entries at any time and click [Update].",
        "",
        "For more information:",
        "",
        "ZELMOR GRAPHICS HOME PAGE:",
        home_page_address,
        "",
        "ZELMOR GRAPHICS EMAIL:",
        contact_email_address,
    });
}

std::string child_tax_credit_text()
{
    return join_with_cr({
        blanks(15) + "CHILD TAX CREDIT ( line 52 )",
        blanks(22) + "- for tax year 2009 -",
        "",
        "",
        "The Zelmor Federal Income Tax Estimator does not account",
        "for the Child Tax Credit. If you had dependent childern",
        "under 17 during calendar year 2009 and your adjusted",
        "gross income is less than $75,000 filing single or less",
        "than $110,000 filing jointly you may be eligible for",
        "up to a $1,000 Child Tax Credit for each qualifying",
        "child. This credit reduces your Total Federal Tax ",
        "( line 46 ) directly and is in addition to the normal",
        "dependent deduction. However, if the credit exceeds",
        "line 46 the Total Federal Tax is only reduced to zero.",
        "There are other provisions for determining eligibility ",
        "see IRS 1040 instructions page 42 and IRS Publication 972",
        "for 2009. Even if you earn more than the AGI limits",
        "above you may still be eligibile for a partial credit",
        "",
        "For more information:",
        "",
        "ZELMOR GRAPHICS HOME PAGE:",
        home_page_address,
        "",
        "ZELMOR GRAPHICS EMAIL:",
        contact_email_address,
    });
}
