// The wizard pages' dialog templates as setup.exe carries them: sizes, controls, captions,
// places and styles, read from the program's resources.
#include "setup_resource.h"
#include "test_environment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct ControlTemplate {
    int id = 0;
    std::string window_class;  // "Button", "Edit", "Static", ... or the class name
    std::string caption;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    int cx = 0, cy = 0;
    std::string caption;
    int point_size = 0;
    std::string font;
    std::vector<ControlTemplate> controls;
};

// Reads a DLGTEMPLATE (the DIALOG statement's form) word by word.
class TemplateReader {
public:
    explicit TemplateReader(const std::uint8_t* bytes) : start_(bytes), at_(bytes) {}

    DWORD dword()
    {
        DWORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    WORD word()
    {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    short coordinate() { return static_cast<short>(word()); }
    std::string text()
    {
        std::string result;
        for (WORD c = word(); c != 0; c = word()) result += static_cast<char>(c);
        return result;
    }
    // A text, or 0xFFFF and an ordinal.
    std::string text_or_ordinal(std::string (*ordinal_name)(WORD))
    {
        WORD first;
        std::memcpy(&first, at_, sizeof first);
        if (first == 0xFFFF) {
            word();
            return ordinal_name(word());
        }
        return text();
    }
    void align()
    {
        while ((at_ - start_) % 4 != 0) ++at_;
    }
    void skip(std::size_t bytes) { at_ += bytes; }

private:
    const std::uint8_t* start_;
    const std::uint8_t* at_;
};

std::string predefined_class(WORD atom)
{
    switch (atom) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    }
    return "#" + std::to_string(atom);
}

std::string ordinal(WORD value) { return "#" + std::to_string(value); }

DialogTemplate parse(const std::uint8_t* bytes)
{
    TemplateReader reader(bytes);
    DialogTemplate dialog;
    dialog.style = reader.dword();
    reader.dword();  // extended style
    WORD count = reader.word();
    reader.coordinate();
    reader.coordinate();
    dialog.cx = reader.coordinate();
    dialog.cy = reader.coordinate();
    reader.text_or_ordinal(ordinal);  // menu
    reader.text_or_ordinal(ordinal);  // class
    dialog.caption = reader.text();
    if (dialog.style & DS_SETFONT) {
        dialog.point_size = reader.word();
        dialog.font = reader.text();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.align();
        ControlTemplate control;
        control.style = reader.dword();
        reader.dword();
        control.x = reader.coordinate();
        control.y = reader.coordinate();
        control.cx = reader.coordinate();
        control.cy = reader.coordinate();
        control.id = static_cast<short>(reader.word());
        control.window_class = reader.text_or_ordinal(predefined_class);
        control.caption = reader.text_or_ordinal(ordinal);
        reader.skip(reader.word());
        dialog.controls.push_back(control);
    }
    return dialog;
}

// The template from setup.exe's resources.
DialogTemplate load_template(int id)
{
    HMODULE image = LoadLibraryExA(test_program_path("setup_stub").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_TRUE(image);
    if (!image) return {};
    DialogTemplate dialog;
    if (HRSRC resource = FindResourceA(image, MAKEINTRESOURCEA(id), RT_DIALOG)) {
        if (HGLOBAL loaded = LoadResource(image, resource))
            dialog = parse(static_cast<const std::uint8_t*>(LockResource(loaded)));
    }
    FreeLibrary(image);
    return dialog;
}

struct Expected {
    int id;
    const char* window_class;
    const char* caption;
    int x, y, cx, cy;
    DWORD style;  // the bits that must be set; the type bits of buttons and statics are compared whole
};

constexpr DWORD page_style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Class names are compared without regard to case: a template may name "STATIC" where an
// ordinal stands for "Static".
bool same_class(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                  b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

const ControlTemplate* find_control(const DialogTemplate& dialog, int id, const char* window_class, int x, int y)
{
    for (const ControlTemplate& control : dialog.controls)
        if (control.id == id && same_class(control.window_class, window_class) && control.x == x && control.y == y)
            return &control;
    return nullptr;
}

void expect_page(int template_id, int cx, int cy, const std::vector<Expected>& controls)
{
    SCOPED_TRACE("template " + std::to_string(template_id));
    DialogTemplate dialog = load_template(template_id);
    EXPECT_EQ(dialog.style & page_style, page_style);
    EXPECT_EQ(dialog.style & WS_VISIBLE, 0u) << "the driver shows the page";
    EXPECT_EQ(dialog.cx, cx);
    EXPECT_EQ(dialog.cy, cy);
    EXPECT_EQ(dialog.caption, "Setup");
    EXPECT_EQ(dialog.point_size, 8);
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ(dialog.controls.size(), controls.size());
    for (const Expected& e : controls) {
        SCOPED_TRACE("control " + std::to_string(e.id) + " at " + std::to_string(e.x) + "," + std::to_string(e.y));
        const ControlTemplate* control = find_control(dialog, e.id, e.window_class, e.x, e.y);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->caption, e.caption);
        EXPECT_EQ(control->cx, e.cx);
        if (e.cy) {
            EXPECT_EQ(control->cy, e.cy);
        }
        EXPECT_EQ(control->style & e.style, e.style);
        if (std::string(e.window_class) == "Button" || std::string(e.window_class) == "Static") {
            EXPECT_EQ(control->style & 0x1F, e.style & 0x1F) << "the control's kind";
        }
        EXPECT_EQ(control->style & WS_VISIBLE, static_cast<DWORD>(WS_VISIBLE));
    }
}

const Expected next_button = {IDOK, "Button", "&Next >>", 210, 175, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP};
const Expected cancel_button = {IDCANCEL, "Button", "&Cancel", 265, 175, 50, 14, BS_PUSHBUTTON | WS_TABSTOP};
const Expected back_button = {IDC_BACK, "Button", "<< &Back", 155, 175, 50, 15, BS_PUSHBUTTON | WS_TABSTOP};
const Expected page_picture = {IDC_PAGE_PICTURE, "Static", "", 280, 5, 15, 13, SS_BITMAP};
const Expected separator = {IDC_SEPARATOR, "Static", "", 3, 160, 310, 0, SS_ETCHEDHORZ};

// The white rectangle's bottom edge is that of the header band.
void expect_white_rectangle(int template_id)
{
    DialogTemplate dialog = load_template(template_id);
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id != IDC_HEADER_WHITE) continue;
        EXPECT_EQ(control.y + control.cy, 40) << template_id;
        EXPECT_EQ(control.style & 0x1F, static_cast<DWORD>(SS_WHITERECT)) << template_id;
        EXPECT_GT(control.x, 200) << template_id << ": near the top right corner";
        return;
    }
    ADD_FAILURE() << "no white rectangle in " << template_id;
}

constexpr int any_id = -1;
constexpr DWORD frame = SS_ETCHEDFRAME;

TEST(SetupTemplates, Welcome)
{
    expect_page(IDD_WELCOME, 307, 186,
                {{IDC_WELCOME_PICTURE, "Static", "", 0, 0, 15, 13, SS_BITMAP},
                 {IDC_PAGE_PICTURE, "Static", "", 5, 5, 15, 13, SS_BITMAP},
                 {IDC_SEPARATOR, "Static", "", 3, 160, 300, 0, SS_ETCHEDHORZ},
                 {IDOK, "Button", "&Next >>", 200, 170, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
                 {IDCANCEL, "Button", "&Cancel", 255, 170, 50, 14, BS_PUSHBUTTON | WS_TABSTOP}});
}

TEST(SetupTemplates, License)
{
    expect_page(IDD_LICENSE, 317, 191,
                {page_picture,
                 {IDC_HEADER_WHITE, "Static", "", 255, 0, 62, 40, SS_WHITERECT},
                 {IDC_AGREE, "Button",
                  "&Yes, I agree with all the terms and conditions of the license agreement.", 65, 150, 235, 15,
                  BS_AUTOCHECKBOX | WS_TABSTOP},
                 {IDC_SEPARATOR, "Static", "", 3, 165, 310, 0, SS_ETCHEDHORZ},
                 back_button, next_button, cancel_button});
    expect_white_rectangle(IDD_LICENSE);
}

TEST(SetupTemplates, Users)
{
    expect_page(IDD_USERS, 315, 191,
                {page_picture,
                 {IDC_HEADER_WHITE, "Static", "", 255, 0, 60, 40, SS_WHITERECT},
                 {any_id, "Static", "", 5, 45, 305, 115, frame},
                 {IDC_USERS_GROUP, "Button", "This installation is for", 15, 55, 260, 35, BS_GROUPBOX},
                 {IDC_ONLY_YOU, "Button", "&Only you", 21, 65, 195, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
                 {IDC_ALL_USERS, "Button", "Al&l users on this computer", 21, 75, 200, 10, BS_AUTORADIOBUTTON},
                 separator, back_button, next_button, cancel_button});
    expect_white_rectangle(IDD_USERS);
}

TEST(SetupTemplates, Destination)
{
    expect_page(IDD_DESTINATION, 317, 191,
                {page_picture,
                 {IDC_HEADER_WHITE, "Static", "", 255, 0, 62, 40, SS_WHITERECT},
                 {any_id, "Static", "", 5, 75, 305, 40, frame},
                 {any_id, "Static", "&Destination Directory", 10, 80, 85, 10, SS_LEFT},
                 {IDC_DESTINATION, "Edit", "", 10, 90, 240, 15, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
                 {IDC_BROWSE, "Button", "... B&rowse", 255, 90, 50, 15, BS_PUSHBUTTON | WS_TABSTOP},
                 separator, back_button, next_button, cancel_button});
    expect_white_rectangle(IDD_DESTINATION);
}

TEST(SetupTemplates, Preferences)
{
    expect_page(IDD_PREFERENCES, 315, 191,
                {page_picture,
                 {IDC_HEADER_WHITE, "Static", "", 255, 0, 60, 40, SS_WHITERECT},
                 {any_id, "Static", "", 5, 45, 305, 115, frame},
                 {IDC_DESKTOP_ICON, "Button", "Create &Desktop Icon", 10, 50, 215, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
                 {IDC_PROGRAM_GROUP, "Button", "Create &Program Group (Start Button Menu)", 10, 65, 215, 10,
                  BS_AUTOCHECKBOX | WS_TABSTOP},
                 {IDC_ASSOCIATE, "Button", "Associate file &extensions ", 10, 80, 290, 10,
                  BS_AUTOCHECKBOX | WS_TABSTOP},
                 {IDC_START_AT_LOGIN, "Button", "&Automatically start program at login", 10, 95, 215, 10,
                  BS_AUTOCHECKBOX | WS_TABSTOP},
                 separator, back_button, next_button, cancel_button});
    expect_white_rectangle(IDD_PREFERENCES);
}

TEST(SetupTemplates, Summary)
{
    expect_page(IDD_SUMMARY, 317, 191,
                {page_picture,
                 {IDC_HEADER_WHITE, "Static", "", 255, 0, 62, 40, SS_WHITERECT},
                 {IDC_SUMMARY_TEXT, "Edit", "", 5, 60, 305, 80, WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY},
                 separator, back_button,
                 {IDOK, "Button", "&Install", 210, 175, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
                 cancel_button});
    expect_white_rectangle(IDD_SUMMARY);
}

// The installation page has no system menu, so no close box, and starts with Exit, the edit
// for "Install complete." and the start box hidden.
TEST(SetupTemplates, Installation)
{
    DialogTemplate dialog = load_template(IDD_INSTALL);
    constexpr DWORD style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION;
    EXPECT_EQ(dialog.style & style, style);
    EXPECT_EQ(dialog.style & (WS_SYSMENU | WS_VISIBLE), 0u);
    EXPECT_EQ(dialog.cx, 317);
    EXPECT_EQ(dialog.cy, 191);
    EXPECT_EQ(dialog.caption, "Setup Progress");
    EXPECT_EQ(dialog.point_size, 8);
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    struct Control {
        Expected expected;
        bool visible;
        bool disabled;
    } controls[] = {
        {{IDCANCEL, "Button", "E&xit", 265, 175, 50, 14, BS_DEFPUSHBUTTON}, false, true},
        {{any_id, "Static", "", 5, 80, 305, 30, SS_BLACKFRAME | SS_SUNKEN}, true, false},
        {{IDC_INSTALL_COMPLETE, "Edit", "", 10, 85, 145, 15, ES_READONLY | ES_AUTOHSCROLL}, false, false},
        {{IDC_INSTALL_PROGRESS, "msctls_progress32", "", 10, 85, 295, 20, WS_BORDER}, true, false},
        {{IDC_HEADER_WHITE, "Static", "", 305, 30, 10, 10, SS_WHITERECT}, true, false},
        {{IDC_PAGE_PICTURE, "Static", "", 280, 5, 15, 13, SS_BITMAP}, true, false},
        {{IDC_SEPARATOR, "Static", "", 3, 160, 310, 0, SS_ETCHEDHORZ}, true, true},
        {{IDC_START_APPLICATION, "Button", "&Start Application", 5, 145, 90, 10, BS_AUTOCHECKBOX}, false, true},
    };
    EXPECT_EQ(dialog.controls.size(), std::size(controls));
    // The white rectangle is stretched under the picture, and of two overlapping controls the
    // one that comes first in the template is drawn on top.
    auto position_of = [&](int id) {
        for (std::size_t i = 0; i < dialog.controls.size(); ++i)
            if (dialog.controls[i].id == id) return i;
        return dialog.controls.size();
    };
    EXPECT_LT(position_of(IDC_PAGE_PICTURE), position_of(IDC_HEADER_WHITE));
    for (const Control& c : controls) {
        const Expected& e = c.expected;
        SCOPED_TRACE("control " + std::to_string(e.id) + " at " + std::to_string(e.x) + "," + std::to_string(e.y));
        const ControlTemplate* control = find_control(dialog, e.id, e.window_class, e.x, e.y);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->caption, e.caption);
        EXPECT_EQ(control->cx, e.cx);
        if (e.cy) {
            EXPECT_EQ(control->cy, e.cy);
        }
        EXPECT_EQ(control->style & e.style, e.style);
        if (std::string(e.window_class) == "Button" || std::string(e.window_class) == "Static") {
            EXPECT_EQ(control->style & 0x1F, e.style & 0x1F) << "the control's kind";
        }
        EXPECT_EQ((control->style & WS_VISIBLE) != 0, c.visible);
        EXPECT_EQ((control->style & WS_DISABLED) != 0, c.disabled);
    }
}

} // namespace
