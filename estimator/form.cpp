#include "form.h"

#include "form_layout.h"
#include "message_texts.h"
#include "program_path.h"
#include "program_title.h"
#include "resource.h"
#include "saved_entries.h"
#include "saved_entries_file.h"
#include "tax_computation.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr const char* window_class_name = "TForm1";
constexpr const char* window_caption = "Zelmor Federal Income Tax 2010 Quick Estimator 10";
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD window_ex_style = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

// Posted at the first activation, so that loading (which may show a message box) runs after
// the window has finished becoming active.
constexpr UINT WM_APP_LOAD_ENTRIES = WM_APP + 1;

constexpr int first_entry_id = IDC_EDIT1;
constexpr int entry_count = 9;
constexpr int first_box_id = IDC_CHECKBOX1;
constexpr int box_count = 4;

// The Swiss family hint makes a system without the face fall back to a font of like shape.
HFONT create_font(int pixel_height, int weight, const char* face)
{
    return CreateFontA(-pixel_height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
}

} // namespace

TForm1::TForm1(HINSTANCE instance)
    : instance_(instance),
      bold_font_(create_font(13, FW_BOLD, "MS Sans Serif")),
      label_font_(create_font(16, FW_BOLD, "@Arial Unicode MS")),
      aqua_brush_(CreateSolidBrush(colour_aqua)),
      yellow_brush_(CreateSolidBrush(colour_yellow)),
      lime_brush_(CreateSolidBrush(colour_lime)),
      red_brush_(CreateSolidBrush(colour_red))
{
}

bool TForm1::create()
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = window_procedure;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_ZELTAX));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_ZELTAX), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = aqua_brush_.get();
    wc.lpszClassName = window_class_name;
    if (!RegisterClassExA(&wc)) return false;

    RECT frame{0, 0, form_client_width, form_client_height};
    AdjustWindowRectEx(&frame, window_style, FALSE, window_ex_style);
    window_ = CreateWindowExA(window_ex_style, window_class_name, window_caption, window_style, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance_, this);
    return window_ != nullptr;
}

LRESULT CALLBACK TForm1::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wparam, lparam);
    return form->handle_message(message, wparam, lparam);
}

LRESULT TForm1::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        create_controls();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wparam) == BN_CLICKED && lparam != 0) command(LOWORD(wparam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = control_colours(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE && !activated_before_) {
            activated_before_ = true;
            PostMessageA(window_, WM_APP_LOAD_ENTRIES, 0, 0);
        }
        break;
    case WM_APP_LOAD_ENTRIES:
        FormActivate();
        return 0;
    case WM_CLOSE:
        FormClose();
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window_, message, wparam, lparam);
}

void TForm1::create_controls()
{
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    for (const ControlLayout& layout : form_controls()) {
        HWND child = CreateWindowExA(layout.ex_style, layout.window_class, layout.caption,
                                     WS_CHILD | WS_VISIBLE | layout.style, layout.left, layout.top, layout.width,
                                     layout.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                     instance_, nullptr);
        HFONT font = layout.font == FontKind::label ? label_font_.get() : bold_font_.get();
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (layout.tooltip && tooltip) add_tooltip(tooltip, child, layout.tooltip);
    }
}

void TForm1::add_tooltip(HWND tooltip, HWND control, const char* text)
{
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every version of the common controls
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

HBRUSH TForm1::control_colours(HDC dc, HWND control)
{
    const ControlLayout* layout = find_control_layout(GetDlgCtrlID(control));
    if (!layout || layout->background == colour_system) return nullptr;

    if (layout->text_colour == colour_window_text)
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    else if (layout->text_colour != colour_system)
        SetTextColor(dc, layout->text_colour);
    SetBkColor(dc, layout->background);
    switch (layout->background) {
    case colour_yellow: return yellow_brush_.get();
    case colour_lime: return lime_brush_.get();
    case colour_red: return red_brush_.get();
    default: return aqua_brush_.get();
    }
}

void TForm1::command(int id)
{
    switch (id) {
    case IDC_BUTTON1: Button1Click(); break;
    case IDC_BUTTON2: Button2Click(); break;
    case IDC_BUTTON3: Button3Click(); break;
    case IDC_BUTTON4: Button4Click(); break;
    case IDC_BUTTON5: Button5Click(); break;
    }
}

void TForm1::Button1Click() { show_message(help_text(), 0); }

void TForm1::Button2Click() { updateAll(); }

void TForm1::Button3Click()
{
    for (int i = 0; i < box_count; ++i) set_ticked(first_box_id + i, false);
    for (int i = 0; i < entry_count; ++i) set_text(first_entry_id + i, "0");
    select_filing_status(filing_single);
}

void TForm1::Button4Click()
{
    ShellExecuteA(window_, "open", home_page_address, nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::Button5Click() { show_message(child_tax_credit_text(), 0); }

void TForm1::FormActivate() { load_saved_entries(); }

void TForm1::FormClose()
{
    // Before the first activation nothing was loaded: saving now would overwrite the file
    // with an empty window.
    if (!saved_entries_path_.empty()) save_entries();
}

void TForm1::updateAll()
{
    TaxInputs in;
    in.status = filing_status();
    in.you_born_before_1945 = is_ticked(IDC_CHECKBOX1);
    in.you_blind = is_ticked(IDC_CHECKBOX2);
    in.spouse_born_before_1945 = is_ticked(IDC_CHECKBOX3);
    in.spouse_blind = is_ticked(IDC_CHECKBOX4);
    in.income = text_of(IDC_EDIT1);
    in.dependents = text_of(IDC_EDIT2);
    in.itemized = text_of(IDC_EDIT5);
    in.withheld = text_of(IDC_EDIT7);

    TaxOutputs out = compute_tax(in);
    if (out.untick_spouse_boxes) {
        set_ticked(IDC_CHECKBOX3, false);
        set_ticked(IDC_CHECKBOX4, false);
    }
    if (out.income_failed) set_text(IDC_EDIT1, failed_entry_text);
    if (out.dependents_failed) set_text(IDC_EDIT2, failed_entry_text);
    if (out.itemized_failed) set_text(IDC_EDIT5, failed_entry_text);
    if (out.withheld_failed) set_text(IDC_EDIT7, failed_entry_text);
    set_text(IDC_EDIT3, out.exemptions);
    set_text(IDC_EDIT4, out.standard_deduction);
    set_text(IDC_EDIT6, out.total_tax);
    set_text(IDC_EDIT8, out.refund);
    set_text(IDC_EDIT9, out.owed);
}

void TForm1::load_saved_entries()
{
    saved_entries_path_ = saved_entries_path();
    if (!saved_entries_exist(saved_entries_path_)) {
        Button3Click();
        move_window(10, 10);
        return;
    }

    std::string bytes;
    if (DWORD error = read_saved_entries(saved_entries_path_, bytes)) {
        show_message(io_error_message(error), MB_ICONERROR);
        return;
    }
    LoadedEntries loaded = parse_saved_entries(bytes);
    for (int line = 1; line <= loaded.lines_applied; ++line) apply_saved_line(line, loaded.values);
    if (loaded.bad_integer_text) {
        show_message(invalid_integer_message(*loaded.bad_integer_text), MB_ICONERROR);
        return;
    }
    if (text_of(IDC_EDIT1) != "0") updateAll();
}

void TForm1::apply_saved_line(int line, const SavedEntries& values)
{
    RECT frame{};
    if (line == line_filing_status) {
        select_filing_status(values.filing_status);
    } else if (line < line_first_entry) {
        int box = line - line_first_box;
        set_ticked(first_box_id + box, values.boxes[box]);
    } else if (line < line_window_top) {
        int entry = line - line_first_entry;
        set_text(first_entry_id + entry, values.entries[entry]);
    } else if (GetWindowRect(window_, &frame)) {
        if (line == line_window_top)
            move_window(frame.left, values.window_top);
        else
            move_window(values.window_left, frame.top);
    }
}

void TForm1::save_entries()
{
    SavedEntries values;
    values.filing_status = filing_status();
    for (int i = 0; i < box_count; ++i) values.boxes[i] = is_ticked(first_box_id + i);
    for (int i = 0; i < entry_count; ++i) values.entries[i] = text_of(first_entry_id + i);
    RECT frame{};
    GetWindowRect(window_, &frame);
    values.window_top = frame.top;
    values.window_left = frame.left;

    if (DWORD error = write_saved_entries(saved_entries_path_, compose_saved_entries(values)))
        show_message(io_error_message(error), MB_ICONERROR);
}

std::string TForm1::text_of(int id) const
{
    HWND edit = control(id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TForm1::set_text(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }

bool TForm1::is_ticked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

void TForm1::set_ticked(int id, bool ticked) { CheckDlgButton(window_, id, ticked ? BST_CHECKED : BST_UNCHECKED); }

int TForm1::filing_status() const
{
    for (int index = filing_single; index <= filing_head_of_household; ++index)
        if (is_ticked(IDC_RADIO_SINGLE + index)) return index;
    return filing_none;
}

void TForm1::select_filing_status(int index)
{
    for (int item = filing_single; item <= filing_head_of_household; ++item)
        set_ticked(IDC_RADIO_SINGLE + item, item == index);
}

void TForm1::move_window(int left, int top)
{
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::show_message(const std::string& text, UINT icon)
{
    MessageBoxA(window_, text.c_str(), program_title(running_program_path()).c_str(), MB_OK | icon);
}
