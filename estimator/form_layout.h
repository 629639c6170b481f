// Placement, captions and looks of the controls of the estimator window.
#pragma once

#include <windows.h>

#include <span>

inline constexpr int form_client_width = 600;
inline constexpr int form_client_height = 420;
inline constexpr COLORREF colour_aqua = RGB(0, 255, 255);
inline constexpr COLORREF colour_yellow = RGB(255, 255, 0);
inline constexpr COLORREF colour_lime = RGB(0, 255, 0);
inline constexpr COLORREF colour_red = RGB(255, 0, 0);
inline constexpr COLORREF colour_blue = RGB(0, 0, 255);
inline constexpr COLORREF colour_black = RGB(0, 0, 0);
// Two values that are no RGB colour: the system's window-text colour, looked up when painting,
// and no colour of our own (the control paints as the system does).
inline constexpr COLORREF colour_window_text = 0xFF000000;
inline constexpr COLORREF colour_system = 0xFF000001;

enum class FontKind {
    bold13,  // "MS Sans Serif", 13 pixels, bold
    label,   // "@Arial Unicode MS", 16 pixels, bold
};

struct ControlLayout {
    int id;
    const char* window_class;
    const char* caption;
    int left, top, width, height;  // in the window's client area
    DWORD style;                   // added to WS_CHILD | WS_VISIBLE
    DWORD ex_style;
    FontKind font;
    COLORREF text_colour;
    COLORREF background;
    const char* tooltip;  // null: none
};

// Every control of the window, in tab order.
std::span<const ControlLayout> form_controls();

// The layout of one control, or null for an id that is not in the table.
const ControlLayout* find_control_layout(int id);
