// TForm1: the estimator's one window with its entries, results and buttons.
#pragma once

#include "saved_entries.h"
#include "scoped_handles.h"

#include <windows.h>

#include <string>

class TForm1 {
public:
    explicit TForm1(HINSTANCE instance);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Registers the window class and creates the window with its controls, hidden.
    bool create();
    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    void create_controls();
    void add_tooltip(HWND tooltip, HWND control, const char* text);
    HBRUSH control_colours(HDC dc, HWND control);
    void command(int id);

    // Handlers of the window's events.
    void Button1Click();  // Help
    void Button2Click();  // Update
    void Button3Click();  // Clear
    void Button4Click();  // home page
    void Button5Click();  // Child Tax Credit
    void FormActivate();
    void FormClose();
    void updateAll();

    // The saved entries file.
    void load_saved_entries();
    void apply_saved_line(int line, const SavedEntries& values);
    void save_entries();

    // Access to the controls.
    HWND control(int id) const { return GetDlgItem(window_, id); }
    std::string text_of(int id) const;
    void set_text(int id, const std::string& text);
    bool is_ticked(int id) const;
    void set_ticked(int id, bool ticked);
    int filing_status() const;
    void select_filing_status(int index);
    void move_window(int left, int top);
    void show_message(const std::string& text, UINT icon);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    ScopedGdiObject<HFONT> bold_font_;
    ScopedGdiObject<HFONT> label_font_;
    ScopedGdiObject<HBRUSH> aqua_brush_;
    ScopedGdiObject<HBRUSH> yellow_brush_;
    ScopedGdiObject<HBRUSH> lime_brush_;
    ScopedGdiObject<HBRUSH> red_brush_;
    std::string saved_entries_path_;  // worked out at activation, written to at close
    bool activated_before_ = false;
};
