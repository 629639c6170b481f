// The estimator as a person uses it: its window, its buttons, its boxes and its saved entries.
#include "resource.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <array>
#include <vector>

namespace {

const char* const window_caption = "Zelmor Federal Income Tax 2010 Quick Estimator 10";

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

class Estimator : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(copy_file(test_program_path("zeltax"), program_path())) << program_path(); }

    std::string program_path() const { return dir.file("zeltax.exe"); }
    std::string saved_file() const { return dir.file("zelTax.txt"); }

    // Starts the program and waits for its window.
    void start()
    {
        program.emplace(ui::Program::start(program_path(), "", dir.path()));
        ASSERT_TRUE(program->started());
        window = ui::wait_for_window(program->id(), "TForm1");
        ASSERT_NE(window, nullptr);
    }

    // Starts the program and waits until the saved entries are loaded.
    void start_and_load()
    {
        start();
        ASSERT_TRUE(ui::wait_until([&] { return !text(IDC_EDIT1).empty(); }));
    }

    // Closes the window and waits for the program to end.
    void close_and_wait()
    {
        ui::close(window);
        ASSERT_EQ(program->wait_exit(), 0u);
    }

    HWND item(int id) const { return ui::control(window, id); }
    std::string text(int id) const { return ui::text(item(id)); }
    bool ticked(int id) const { return ui::is_checked(item(id)); }
    void type(int id, const std::string& value) { ui::set_text(item(id), value); }

    // Presses a button and waits until the control shows the text.
    void press_and_expect(int button, int id, const std::string& expected)
    {
        ui::click(item(button));
        EXPECT_TRUE(ui::wait_until([&] { return text(id) == expected; })) << text(id);
    }

    // A joint return with one age box, 55000 income, two dependents and 6000 withheld: a tax of
    // 4295 and a refund of 1705 once Update has run.
    void enter_joint_return()
    {
        ui::click(item(IDC_RADIO_JOINTLY));
        ui::click(item(IDC_CHECKBOX1));
        type(IDC_EDIT1, "55000");
        type(IDC_EDIT2, "2");
        type(IDC_EDIT7, "6000");
    }

    void expect_outputs(const std::array<const char*, 5>& expected)
    {
        const int outputs[] = {IDC_EDIT3, IDC_EDIT4, IDC_EDIT6, IDC_EDIT8, IDC_EDIT9};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(text(outputs[i]), expected[i]) << "Edit" << outputs[i] - IDC_EDIT1 + 1;
    }

    ScratchDirectory dir;
    std::optional<ui::Program> program;
    HWND window = nullptr;
};

TEST_F(Estimator, FirstStartShowsClearedEntriesAtTenTen)
{
    start_and_load();
    EXPECT_EQ(ui::text(window), window_caption);
    for (int id = IDC_EDIT1; id <= IDC_EDIT9; ++id) EXPECT_EQ(text(id), "0") << id;
    EXPECT_TRUE(ticked(IDC_RADIO_SINGLE));
    for (int id = IDC_CHECKBOX1; id <= IDC_CHECKBOX4; ++id) EXPECT_FALSE(ticked(id));
    EXPECT_TRUE(ui::wait_until([&] {
        RECT frame{};
        GetWindowRect(window, &frame);
        return frame.left == 10 && frame.top == 10;
    }));
    close_and_wait();
}

struct Placement {
    int id;
    RECT rect;  // left, top, right, bottom in the client area
};

RECT at(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

TEST_F(Estimator, ControlsStandWhereTheLayoutPutsThem)
{
    start_and_load();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 420);

    const Placement placements[] = {
        {IDC_BUTTON1, at(94, 8, 75, 25)},         {IDC_BUTTON2, at(7, 8, 75, 25)},
        {IDC_RADIOGROUP1, at(6, 40, 217, 113)},   {IDC_GROUPBOX1, at(264, 40, 329, 113)},
        {IDC_CHECKBOX1, at(280, 56, 289, 17)},    {IDC_CHECKBOX2, at(280, 80, 257, 17)},
        {IDC_CHECKBOX3, at(280, 104, 281, 17)},   {IDC_CHECKBOX4, at(280, 128, 265, 17)},
        {IDC_EDIT1, at(493, 159, 83, 24)},        {IDC_EDIT2, at(493, 187, 43, 24)},
        {IDC_EDIT3, at(493, 216, 83, 24)},        {IDC_EDIT4, at(493, 244, 83, 24)},
        {IDC_EDIT5, at(493, 273, 83, 24)},        {IDC_EDIT6, at(493, 301, 83, 24)},
        {IDC_EDIT7, at(493, 330, 83, 24)},        {IDC_EDIT8, at(493, 358, 83, 24)},
        {IDC_EDIT9, at(493, 387, 83, 24)},        {IDC_BUTTON3, at(518, 8, 75, 25)},
        {IDC_BUTTON4, at(350, 8, 152, 25)},       {IDC_BUTTON5, at(182, 8, 153, 25)},
        {IDC_LABEL2, at(29, 164, 457, 21)},       {IDC_LABEL2 + 1, at(29, 192, 456, 21)},
        {IDC_LABEL2 + 2, at(29, 220, 456, 21)},   {IDC_LABEL2 + 3, at(29, 248, 465, 21)},
        {IDC_LABEL2 + 4, at(29, 277, 464, 21)},   {IDC_LABEL2 + 5, at(29, 305, 456, 21)},
        {IDC_LABEL2 + 6, at(29, 333, 456, 21)},   {IDC_LABEL2 + 7, at(29, 361, 454, 21)},
        {IDC_LABEL2 + 8, at(29, 390, 452, 21)},
    };
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.id);
        RECT actual = ui::placement(item(p.id));
        EXPECT_EQ(actual.left, p.rect.left);
        EXPECT_EQ(actual.top, p.rect.top);
        EXPECT_EQ(actual.right, p.rect.right);
        EXPECT_EQ(actual.bottom, p.rect.bottom);
    }
    RECT group = ui::placement(item(IDC_RADIOGROUP1));
    for (int id = IDC_RADIO_SINGLE; id <= IDC_RADIO_HEAD; ++id) {
        RECT radio = ui::placement(item(id));
        EXPECT_TRUE(radio.left > group.left && radio.right < group.right && radio.top > group.top &&
                    radio.bottom < group.bottom)
            << "radio " << id << " outside its group";
    }
    EXPECT_TRUE(ui::has_style(item(IDC_EDIT3), ES_READONLY));
    EXPECT_TRUE(ui::has_style(item(IDC_EDIT8), ES_READONLY));
    EXPECT_TRUE(ui::has_style(item(IDC_EDIT9), ES_READONLY));
    EXPECT_FALSE(ui::has_style(item(IDC_EDIT4), ES_READONLY));
    EXPECT_FALSE(ui::has_style(item(IDC_EDIT6), ES_READONLY));
    close_and_wait();
}

COLORREF screen_colour(HWND control, POINT client_point)
{
    ClientToScreen(control, &client_point);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, client_point.x, client_point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST_F(Estimator, EntriesAndWindowHaveTheirColours)
{
    start_and_load();
    const COLORREF yellow = RGB(255, 255, 0), lime = RGB(0, 255, 0), red = RGB(255, 0, 0), aqua = RGB(0, 255, 255);
    const std::pair<int, COLORREF> colours[] = {
        {IDC_EDIT1, yellow}, {IDC_EDIT2, yellow}, {IDC_EDIT3, lime}, {IDC_EDIT4, lime}, {IDC_EDIT5, yellow},
        {IDC_EDIT6, red},    {IDC_EDIT7, yellow}, {IDC_EDIT8, lime}, {IDC_EDIT9, red},
    };
    for (auto [id, colour] : colours) {
        SCOPED_TRACE(id);
        RECT client{};
        GetClientRect(item(id), &client);
        POINT empty_part{client.right - 4, client.bottom / 2};
        EXPECT_TRUE(ui::wait_until([&] { return screen_colour(item(id), empty_part) == colour; }, 3000));
    }
    EXPECT_EQ(screen_colour(window, {300, 150}), aqua);
    close_and_wait();
}

TEST_F(Estimator, TabOrderFollowsTheRowsAndFourButtonsHaveTooltips)
{
    start_and_load();
    std::vector<int> order;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ui::has_style(child, WS_TABSTOP)) order.push_back(GetDlgCtrlID(child));
    const std::vector<int> expected = {IDC_BUTTON1, IDC_BUTTON2, IDC_RADIO_SINGLE, IDC_CHECKBOX1, IDC_CHECKBOX2,
                                       IDC_CHECKBOX3, IDC_CHECKBOX4, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3, IDC_EDIT4,
                                       IDC_EDIT5, IDC_EDIT6, IDC_EDIT7, IDC_EDIT8, IDC_EDIT9, IDC_BUTTON3,
                                       IDC_BUTTON4, IDC_BUTTON5};
    EXPECT_EQ(order, expected);

    HWND tooltip = ui::find_window(program->id(), TOOLTIPS_CLASSA);
    if (!tooltip) {
        // A hidden tooltip window is not visible: look for it among all of the process's windows.
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == program->id() && ui::class_name(w) == TOOLTIPS_CLASSA) tooltip = w;
        }
    }
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 4);
    close_and_wait();
}

TEST_F(Estimator, UpdateComputesEveryResult)
{
    start_and_load();
    enter_joint_return();
    press_and_expect(IDC_BUTTON2, IDC_EDIT6, "4295");
    expect_outputs({"7300", "13500", "4295", "1705", "0"});

    type(IDC_EDIT7, "4000");
    type(IDC_EDIT4, "999");
    press_and_expect(IDC_BUTTON2, IDC_EDIT9, "295");
    expect_outputs({"7300", "13500", "4295", "0", "295"});

    type(IDC_EDIT1, "50,000");
    type(IDC_EDIT2, "");
    press_and_expect(IDC_BUTTON2, IDC_EDIT1, "???");
    EXPECT_EQ(text(IDC_EDIT2), "???");
    expect_outputs({"0", "13500", "0", "4000", "0"});
    close_and_wait();
}

TEST_F(Estimator, ChangingTheStatusUnticksTheSpouseBoxes)
{
    start_and_load();
    ui::click(item(IDC_RADIO_JOINTLY));
    ui::click(item(IDC_CHECKBOX3));
    ui::click(item(IDC_CHECKBOX4));
    press_and_expect(IDC_BUTTON2, IDC_EDIT4, "14600");
    EXPECT_TRUE(ticked(IDC_CHECKBOX3));

    ui::click(item(IDC_RADIO_HEAD));
    press_and_expect(IDC_BUTTON2, IDC_EDIT4, "8850");
    EXPECT_FALSE(ticked(IDC_CHECKBOX3));
    EXPECT_FALSE(ticked(IDC_CHECKBOX4));
    close_and_wait();
}

TEST_F(Estimator, ClearResetsWithoutComputing)
{
    start_and_load();
    ui::click(item(IDC_RADIO_SEPARATELY));
    ui::click(item(IDC_CHECKBOX2));
    type(IDC_EDIT1, "90000");
    press_and_expect(IDC_BUTTON2, IDC_EDIT4, "7300");

    press_and_expect(IDC_BUTTON3, IDC_EDIT4, "0");
    for (int id = IDC_EDIT1; id <= IDC_EDIT9; ++id) EXPECT_EQ(text(id), "0") << id;
    EXPECT_TRUE(ticked(IDC_RADIO_SINGLE));
    EXPECT_FALSE(ticked(IDC_RADIO_SEPARATELY));
    EXPECT_FALSE(ticked(IDC_CHECKBOX2));
    close_and_wait();
}

TEST_F(Estimator, HelpAndChildTaxCreditBoxes)
{
    start_and_load();
    struct Box {
        int button;
        std::size_t lines;
        const char* first_line;
    } boxes[] = {{IDC_BUTTON1, 25, "   ZELMOR FEDERAL INCOME TAX 2010 QUICK ESTIMATOR"},
                 {IDC_BUTTON5, 26, "               CHILD TAX CREDIT ( line 52 )"}};
    for (const Box& b : boxes) {
        SCOPED_TRACE(b.first_line);
        ui::click(item(b.button));
        std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(program->id());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, "zeltax");
        EXPECT_EQ(box->text.find('\n'), std::string::npos);
        std::vector<std::string> lines = split_at_cr(box->text);
        EXPECT_EQ(lines.size(), b.lines);
        EXPECT_EQ(lines.front(), b.first_line);
        EXPECT_EQ(box->icon, ui::BoxIcon::none);
        EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
        ASSERT_TRUE(ui::answer(*box, "OK"));
        EXPECT_TRUE(ui::wait_until([&] { return !ui::find_message_box(program->id()); }));
    }
    close_and_wait();
}

TEST_F(Estimator, TypedEntriesSurviveTheHelpBox)
{
    start_and_load();
    type(IDC_EDIT1, "12345");
    ui::click(item(IDC_BUTTON1));
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(program->id());
    ASSERT_TRUE(box);
    ui::answer(*box, "OK");
    ASSERT_TRUE(ui::wait_until([&] { return !ui::find_message_box(program->id()); }));
    Sleep(200);  // time for a reload, were there one
    EXPECT_EQ(text(IDC_EDIT1), "12345");
    close_and_wait();
}

TEST_F(Estimator, EntriesResultsAndPlaceSurviveARestart)
{
    start_and_load();
    enter_joint_return();
    press_and_expect(IDC_BUTTON2, IDC_EDIT8, "1705");
    SetWindowPos(window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(ui::wait_until([&] {
        RECT frame{};
        GetWindowRect(window, &frame);
        return frame.left == 40;
    }));
    close_and_wait();

    EXPECT_EQ(read_file(saved_file()),
              "1\r\n-1\r\n0\r\n0\r\n0\r\n55000\r\n2\r\n7300\r\n13500\r\n0\r\n4295\r\n6000\r\n1705\r\n0\r\n30\r\n40\r\n");

    start_and_load();
    EXPECT_TRUE(ticked(IDC_RADIO_JOINTLY));
    EXPECT_TRUE(ticked(IDC_CHECKBOX1));
    EXPECT_EQ(text(IDC_EDIT1), "55000");
    expect_outputs({"7300", "13500", "4295", "1705", "0"});
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    close_and_wait();
}

TEST_F(Estimator, ASavedIncomeIsRecomputedAtStart)
{
    ASSERT_TRUE(write_file(saved_file(), "0\n0\n0\n0\n0\n55000\n1\nold\nold\n0\nold\n0\nold\nold\n10\n10\n"));
    start();
    ASSERT_TRUE(ui::wait_until([&] { return text(IDC_EDIT6) != "old" && !text(IDC_EDIT6).empty(); }));
    expect_outputs({"3650", "6300", "7450", "0", "7450"});
    close_and_wait();
}

TEST_F(Estimator, ASavedZeroIncomeShowsTheSavedResults)
{
    ASSERT_TRUE(write_file(saved_file(), "3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n11\r\n22\r\n0\r\n33\r\n0\r\n44\r\n55\r\n10\r\n10\r\n"));
    start();
    ASSERT_TRUE(ui::wait_until([&] { return text(IDC_EDIT9) == "55"; }));
    expect_outputs({"11", "22", "33", "44", "55"});
    EXPECT_TRUE(ticked(IDC_RADIO_HEAD));
    close_and_wait();
}

TEST_F(Estimator, AShortFileStopsAtTheFirstMissingInteger)
{
    ASSERT_TRUE(write_file(saved_file(), "2\r\n-1\r\n0\r\n0\r\n1\r\n"));
    start();
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(program->id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "'' is not a valid integer value.");
    EXPECT_EQ(box->caption, "zeltax");
    EXPECT_EQ(box->icon, ui::BoxIcon::error);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    ui::answer(*box, "OK");
    ASSERT_TRUE(ui::wait_until([&] { return !ui::find_message_box(program->id()); }));
    EXPECT_TRUE(ticked(IDC_RADIO_SEPARATELY));
    EXPECT_TRUE(ticked(IDC_CHECKBOX1));
    EXPECT_TRUE(ticked(IDC_CHECKBOX4));
    for (int id = IDC_EDIT1; id <= IDC_EDIT9; ++id) EXPECT_EQ(text(id), "") << id;
    close_and_wait();
}

// Opens web addresses with a recorder instead of a browser while it lives.
class WebAddressRecorder {
public:
    explicit WebAddressRecorder(const std::string& recorder)
    {
        original_ = registry_text(HKEY_CLASSES_ROOT, command_key);
        std::string command = "\"" + recorder + "\" \"%1\"";
        RegSetValueA(HKEY_CLASSES_ROOT, command_key, REG_SZ, command.c_str(), static_cast<DWORD>(command.size()));
    }
    ~WebAddressRecorder()
    {
        RegSetValueA(HKEY_CLASSES_ROOT, command_key, REG_SZ, original_.c_str(), static_cast<DWORD>(original_.size()));
    }

private:
    static constexpr const char* command_key = "http\\shell\\open\\command";

    static std::string registry_text(HKEY root, const char* key)
    {
        char value[1024] = {};
        LONG size = sizeof value;
        if (RegQueryValueA(root, key, value, &size) != ERROR_SUCCESS) return {};
        return value;
    }

    std::string original_;
};

TEST_F(Estimator, TheHomePageButtonOpensTheAddressAndAltZPressesIt)
{
    std::string recorder = dir.file("browser.exe");
    ASSERT_TRUE(copy_file(test_program_path("arg_recorder"), recorder));
    WebAddressRecorder recording(recorder);
    std::string record = recorder + ".args";

    start_and_load();
    ui::click(item(IDC_BUTTON4));
    ASSERT_TRUE(ui::wait_until([&] { return file_exists(record); }));
    ASSERT_TRUE(ui::wait_until([&] { return read_file(record).find("\r\n") != std::string::npos; }));
    EXPECT_NE(read_file(record).find("http://www.zelmorgraphics.com"), std::string::npos) << read_file(record);

    DeleteFileA(record.c_str());
    ui::press_alt_key(item(IDC_EDIT1), 'z');
    EXPECT_TRUE(ui::wait_until([&] { return file_exists(record); }));
    close_and_wait();
}

TEST_F(Estimator, AnUnwritableDirectoryIsReportedAndTheProgramStillEnds)
{
    start_and_load();
    if (!make_directory_unwritable(dir.path())) GTEST_SKIP() << "no way to make a directory unwritable here";
    ui::close(window);
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(program->id());
    make_directory_writable(dir.path());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "I/O error 5.");
    EXPECT_EQ(box->caption, "zeltax");
    EXPECT_EQ(box->icon, ui::BoxIcon::error);
    ui::answer(*box, "OK");
    EXPECT_EQ(program->wait_exit(), 0u);
    EXPECT_FALSE(file_exists(saved_file()));
}

} // namespace
