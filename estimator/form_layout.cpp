#include "form_layout.h"

#include "resource.h"

#include <algorithm>

namespace {

constexpr DWORD push_button = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD input_edit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD output_edit = ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP;
constexpr DWORD check_box = BS_AUTOCHECKBOX | WS_TABSTOP;
// A caption wider than its label is cut at the right edge, not wrapped.
constexpr DWORD label = SS_LEFTNOWORDWRAP | SS_NOPREFIX;

// Places inside a group box are given relative to it, as the layout of the window states them.
constexpr int radio_group_left = 6, radio_group_top = 40;
constexpr int group_box_left = 264, group_box_top = 40;

// The radio group lays out its four items in one column the way such groups do for a 16-pixel
// font: 8 pixels in, 17 pixels below the group's top edge, 23 pixels apart, 207 pixels wide.
constexpr int radio_left = radio_group_left + 8, radio_top = radio_group_top + 17;
constexpr int radio_pitch = 23, radio_width = 207, radio_height = 23;

constexpr ControlLayout controls[] = {
    {IDC_BUTTON1, "BUTTON", "Help", 94, 8, 75, 25, push_button, 0, FontKind::bold13, colour_system,
     colour_aqua, "Click for Step by Step Help."},
    {IDC_BUTTON2, "BUTTON", "Update", 7, 8, 75, 25, push_button, 0, FontKind::bold13, colour_black,
     colour_aqua, "Click to Estimate your Federal Tax."},

    {IDC_RADIOGROUP1, "BUTTON", "Filing Status", radio_group_left, radio_group_top, 217, 113, BS_GROUPBOX, 0,
     FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_RADIO_SINGLE, "BUTTON", "Single", radio_left, radio_top, radio_width, radio_height,
     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_RADIO_JOINTLY, "BUTTON", "Married filing jointly", radio_left, radio_top + radio_pitch, radio_width,
     radio_height, BS_AUTORADIOBUTTON, 0, FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_RADIO_SEPARATELY, "BUTTON", "Married filing separately", radio_left, radio_top + 2 * radio_pitch,
     radio_width, radio_height, BS_AUTORADIOBUTTON, 0, FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_RADIO_HEAD, "BUTTON", "Head of Household", radio_left, radio_top + 3 * radio_pitch, radio_width,
     radio_height, BS_AUTORADIOBUTTON, 0, FontKind::bold13, colour_blue, colour_aqua, nullptr},

    {IDC_GROUPBOX1, "BUTTON", "Check all that are true", group_box_left, group_box_top, 329, 113,
     BS_GROUPBOX | WS_GROUP, 0, FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_CHECKBOX1, "BUTTON", "You were born before Jan 2, 1945", group_box_left + 16, group_box_top + 16, 289,
     17, check_box, 0, FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_CHECKBOX2, "BUTTON", "You are blind", group_box_left + 16, group_box_top + 40, 257, 17, check_box, 0,
     FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_CHECKBOX3, "BUTTON", "Spouse was born before Jan 2, 1945", group_box_left + 16, group_box_top + 64,
     281, 17, check_box, 0, FontKind::bold13, colour_blue, colour_aqua, nullptr},
    {IDC_CHECKBOX4, "BUTTON", "Spouse is blind", group_box_left + 16, group_box_top + 88, 265, 17, check_box, 0,
     FontKind::bold13, colour_blue, colour_aqua, nullptr},

    {IDC_EDIT1, "EDIT", "", 493, 159, 83, 24, input_edit | WS_GROUP, WS_EX_CLIENTEDGE, FontKind::bold13,
     colour_blue, colour_yellow, nullptr},
    {IDC_EDIT2, "EDIT", "", 493, 187, 43, 24, input_edit, WS_EX_CLIENTEDGE, FontKind::bold13, colour_blue,
     colour_yellow, nullptr},
    {IDC_EDIT3, "EDIT", "", 493, 216, 83, 24, output_edit, WS_EX_CLIENTEDGE, FontKind::bold13,
     colour_window_text, colour_lime, nullptr},
    {IDC_EDIT4, "EDIT", "", 493, 244, 83, 24, input_edit, WS_EX_CLIENTEDGE, FontKind::bold13,
     colour_window_text, colour_lime, nullptr},
    {IDC_EDIT5, "EDIT", "", 493, 273, 83, 24, input_edit, WS_EX_CLIENTEDGE, FontKind::bold13, colour_blue,
     colour_yellow, nullptr},
    {IDC_EDIT6, "EDIT", "", 493, 301, 83, 24, input_edit, WS_EX_CLIENTEDGE, FontKind::bold13,
     colour_window_text, colour_red, nullptr},
    {IDC_EDIT7, "EDIT", "", 493, 330, 83, 24, input_edit, WS_EX_CLIENTEDGE, FontKind::bold13, colour_blue,
     colour_yellow, nullptr},
    {IDC_EDIT8, "EDIT", "", 493, 358, 83, 24, output_edit, WS_EX_CLIENTEDGE, FontKind::bold13,
     colour_window_text, colour_lime, nullptr},
    {IDC_EDIT9, "EDIT", "", 493, 387, 83, 24, output_edit, WS_EX_CLIENTEDGE, FontKind::bold13,
     colour_window_text, colour_red, nullptr},

    {IDC_BUTTON3, "BUTTON", "Clear", 518, 8, 75, 25, push_button, 0, FontKind::bold13, colour_system,
     colour_aqua, "Click to Clear all Entries."},
    {IDC_BUTTON4, "BUTTON", "&Zelmor Home Page", 350, 8, 152, 25, push_button, 0, FontKind::bold13,
     colour_system, colour_aqua, "Click to go to Zelmor Graphics Home Page."},
    {IDC_BUTTON5, "BUTTON", "Child Tax Credit", 182, 8, 153, 25, push_button, 0, FontKind::bold13,
     colour_system, colour_aqua, nullptr},

    {IDC_LABEL2, "STATIC", "1- Adjusted Gross Income ( line 37 )   ...........................", 29, 164, 457,
     21, label, 0, FontKind::label, colour_blue, colour_aqua, nullptr},
    {IDC_LABEL2 + 1, "STATIC", "2- Total  Number of Dependents ( line 6d )   .................", 29, 192, 456,
     21, label, 0, FontKind::label, colour_blue, colour_aqua, nullptr},
    {IDC_LABEL2 + 2, "STATIC", "3- Deduction for Exemptions ( line 42 )   .......................", 29, 220,
     456, 21, label, 0, FontKind::label, colour_black, colour_aqua, nullptr},
    {IDC_LABEL2 + 3, "STATIC", "4- Standard Deduction ( line 40a)   .................................", 29,
     248, 465, 21, label, 0, FontKind::label, colour_black, colour_aqua, nullptr},
    {IDC_LABEL2 + 4, "STATIC", "5- Itemized Deductions ( optional ) (line 40a )   ..........", 29, 277, 464,
     21, label, 0, FontKind::label, colour_blue, colour_aqua, nullptr},
    {IDC_LABEL2 + 5, "STATIC", "6- Total Federal Income Tax ( line 46 )   .......................", 29, 305,
     456, 21, label, 0, FontKind::label, colour_black, colour_aqua, nullptr},
    {IDC_LABEL2 + 6, "STATIC", "7- Total Federal Tax Withheld ( line 71 )   .....................", 29, 333,
     456, 21, label, 0, FontKind::label, colour_blue, colour_aqua, nullptr},
    {IDC_LABEL2 + 7, "STATIC", "8- Federal Income Tax Refund (line 72)   .....................", 29, 361, 454,
     21, label, 0, FontKind::label, colour_black, colour_aqua, nullptr},
    {IDC_LABEL2 + 8, "STATIC", "9- Federal Income Tax Owed ( line 75)   ......................", 29, 390, 452,
     21, label, 0, FontKind::label, colour_black, colour_aqua, nullptr},
};

} // namespace

std::span<const ControlLayout> form_controls() { return controls; }

const ControlLayout* find_control_layout(int id)
{
    auto it = std::find_if(std::begin(controls), std::end(controls),
                           [id](const ControlLayout& c) { return c.id == id; });
    return it == std::end(controls) ? nullptr : &*it;
}
