// What every setup wizard page shares: the header band with its formatted text, the small page
// picture, hidden controls, and the Back, Next and Cancel buttons with the page result.
#pragma once

#include "page_dialog.h"
#include "wizard_context.h"

#include <windows.h>

#include <cstdint>

// Disables the control and takes away its visibility; a window already on screen is updated
// without being moved, sized, re-ordered or activated.
void hide_control(HWND page, int control_id);

// The package's page picture in control 216, or 216 hidden when the package has none.
void show_page_picture(HWND page, const WizardContext& context);

// The band across the top of a page: the header text in a rich-edit control from the top left
// corner to the small picture, white from there to the right edge, the picture at its end.
// Returns the rich-edit control, null when it cannot be made.
HWND make_header_band(HWND page, HINSTANCE instance, const char* header_text);

// A bordered read-only rich-edit control over `area` of the page with the RTF text in it; the
// text stays invisible when the control cannot be made.
void show_rich_text(HWND page, HINSTANCE instance, const RECT& area, const std::string& text);

// The control's rectangle in the page's client area.
RECT control_rect(HWND page, int control_id);

class SetupPage : public PageDialog {
protected:
    SetupPage(const WizardContext& context, int template_id) : PageDialog(template_id), context_(context) {}

    const WizardContext& context() const { return context_; }
    const SetupDescription& description() const { return *context_.description; }

    // The common start of every page's initialisation, after its trace point: result_leave, the page
    // picture, and the header band unless `header_text` is null.
    void begin_page(const char* header_text);

    // The page's own handlers. Each records a trace point of the page's source file when it does
    // more than end the page.
    virtual void initialise() = 0;
    virtual void next() { end_page(result_next); }
    virtual void back() { end_page(result_back); }
    // A command of one of the page's own controls.
    virtual void own_command(int, int) {}

private:
    bool on_init_dialog() final;
    void on_command(int id, int notification) final;

    const WizardContext& context_;
};
