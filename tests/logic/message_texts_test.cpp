#include "message_texts.h"
#include "program_title.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> split_at_cr(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\r')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

TEST(MessageTexts, HelpHasTwentyFiveLinesSeparatedByCarriageReturnsOnly)
{
    std::string text = help_text();
    EXPECT_EQ(text.find('\n'), std::string::npos);
    std::vector<std::string> lines = split_at_cr(text);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "   ZELMOR FEDERAL INCOME TAX 2010 QUICK ESTIMATOR");
    EXPECT_EQ(lines[1], std::string(28, ' ') + "- for tax year 2009 -");
    EXPECT_EQ(lines[2], std::string(28, ' ') + "(by Zelmor Graphics)");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "Programs Steps:");
    EXPECT_EQ(lines[16], "-Revise entries at any time and click [Update].");
    EXPECT_EQ(lines[21], home_page_address);
    EXPECT_EQ(lines[24], contact_email_address);
}

TEST(MessageTexts, ChildTaxCreditHasTwentySixLines)
{
    std::string text = child_tax_credit_text();
    EXPECT_EQ(text.find('\n'), std::string::npos);
    std::vector<std::string> lines = split_at_cr(text);
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[0], std::string(15, ' ') + "CHILD TAX CREDIT ( line 52 )");
    EXPECT_EQ(lines[1], std::string(22, ' ') + "- for tax year 2009 -");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[10], "child. This credit reduces your Total Federal Tax ");
    EXPECT_EQ(lines[14], "There are other provisions for determining eligibility ");
    EXPECT_EQ(lines[17], "above you may still be eligibile for a partial credit");
    EXPECT_EQ(lines[22], home_page_address);
    EXPECT_EQ(lines[25], contact_email_address);
}

TEST(ProgramTitle, NameWithoutFolderAndExtensionInLowerCaseAfterTheFirstLetter)
{
    EXPECT_EQ(program_title("C:\\Program Files\\Zelmor\\zeltax.exe"), "zeltax");
    EXPECT_EQ(program_title("C:\\TOOLS\\ZELTAX.EXE"), "Zeltax");
    EXPECT_EQ(program_title("C:\\a.dir\\Tax"), "Tax");
    EXPECT_EQ(program_title("zelTax.v2.exe"), "zeltax.v2");
}

} // namespace
