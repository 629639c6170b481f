// The 2009 federal income tax arithmetic behind the estimator's Update button.
#pragma once

#include <cstdint>
#include <string>

enum FilingStatus : int {
    filing_none = -1,  // no item of the group selected (only a hand-edited saved file does this)
    filing_single = 0,
    filing_married_jointly = 1,
    filing_married_separately = 2,
    filing_head_of_household = 3,
};

// The amounts of one run, unrounded.
struct TaxAmounts {
    long double exemptions = 0;          // line 42
    long double standard_deduction = 0;  // line 40a
    long double total_tax = 0;           // line 46
    long double refund = 0;              // line 72
    long double owed = 0;                // line 75
};

// The arithmetic on plain numbers. `boxes` is the number of ticked age and blindness boxes that
// count for the status. A status of filing_none is computed as single.
TaxAmounts compute_amounts(int status, int boxes, long double income, std::int32_t dependents,
                           long double itemized, long double withheld);

// What the window holds when Update is pressed.
struct TaxInputs {
    int status = filing_single;
    bool you_born_before_1945 = false;
    bool you_blind = false;
    bool spouse_born_before_1945 = false;
    bool spouse_blind = false;
    std::string income;      // Edit1
    std::string dependents;  // Edit2
    std::string itemized;    // Edit5
    std::string withheld;    // Edit7
};

// What a run writes back into the window.
struct TaxOutputs {
    std::string exemptions;          // Edit3
    std::string standard_deduction;  // Edit4
    std::string total_tax;           // Edit6
    std::string refund;              // Edit8
    std::string owed;                // Edit9
    // Entries whose text did not convert; each is shown as "???" and counted as 0.
    bool income_failed = false;
    bool dependents_failed = false;
    bool itemized_failed = false;
    bool withheld_failed = false;
    // Spouse boxes never stay ticked after a run under a status other than married jointly.
    bool untick_spouse_boxes = false;
};

inline constexpr const char* failed_entry_text = "???";

TaxOutputs compute_tax(const TaxInputs& inputs);
