// The small window that shows how far unpacking has got. The user cannot close it: it has no
// system menu and handles nothing but its initialisation.
#pragma once

#include <windows.h>

#include <string>

class RProgressDialog {
public:
    explicit RProgressDialog(std::string title) : title_(std::move(title)) {}
    ~RProgressDialog() { close(); }
    RProgressDialog(const RProgressDialog&) = delete;
    RProgressDialog& operator=(const RProgressDialog&) = delete;

    // Creates the modeless dialog from template 951, without owner.
    bool create(HINSTANCE instance);
    void show();
    void set_range(int upper);
    void set_pos(int position);
    // Destroys the window once.
    void close();
    // Handles every message waiting for the window and repaints it at once.
    void pump_messages();

private:
    static INT_PTR CALLBACK dialog_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void initialise(HWND window);

    std::string title_;
    HWND window_ = nullptr;
    HWND bar_ = nullptr;
    bool closed_ = true;
};
