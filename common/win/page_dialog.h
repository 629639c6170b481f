// The page protocol of the wizards: each page is a modeless dialog from a template, shown
// without owner with its own message loop, that ends itself by setting its result, destroying
// its window and posting the quit message. The page object outlives its window, so a page shown
// again starts from what the object still holds.
#pragma once

#include "page_results.h"

#include <windows.h>

#include <cstdint>

class PageDialog {
public:
    virtual ~PageDialog();
    PageDialog(const PageDialog&) = delete;
    PageDialog& operator=(const PageDialog&) = delete;

    // Creates the window from the template, gives it `icon` as its large icon, shows it and
    // handles the thread's messages through the dialog's keyboard handling until the page ends.
    // Returns page_result (result_leave when the window cannot be made).
    std::int32_t run(HINSTANCE instance, HICON icon);

    HWND window() const { return window_; }
    std::int32_t page_result() const { return page_result_; }

protected:
    explicit PageDialog(int template_id) : template_id_(template_id) {}

    void set_page_result(std::int32_t result) { page_result_ = result; }
    // Sets the result, destroys the window and ends the page's message loop.
    void end_page(std::int32_t result);

    // The handlers, called from the dialog procedure while the window exists.
    // WM_INITDIALOG; true lets the dialog manager give the focus to the first control.
    virtual bool on_init_dialog() = 0;
    virtual void on_command(int id, int notification) = 0;
    // WM_TIMER; the dialog manager always gets FALSE back.
    virtual void on_timer(UINT_PTR) {}

    // Hands one message of the dialog procedure to the handlers above. A program built with
    // exceptions overrides it to catch them (CatchingPageDialog): none may travel through the
    // system's code. The setup program has none: its failures end it where they happen.
    virtual INT_PTR handle(UINT message, WPARAM wparam);

private:
    static INT_PTR CALLBACK dialog_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void run_message_loop();

    int template_id_;
    HWND window_ = nullptr;
    std::int32_t page_result_ = result_leave;
};

#if __cpp_exceptions
// A page of a program built with exceptions: an exception that escapes a handler ends up in
// on_exception instead of the system's code. Header-only, so that it is compiled with the
// program's own options.
class CatchingPageDialog : public PageDialog {
protected:
    using PageDialog::PageDialog;

    // An exception escaped a handler.
    virtual void on_exception() noexcept = 0;

    INT_PTR handle(UINT message, WPARAM wparam) override
    {
        try {
            return PageDialog::handle(message, wparam);
        } catch (...) {
            on_exception();
            return FALSE;
        }
    }
};
#endif
