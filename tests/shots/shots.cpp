// Screenshots of every window the product shows, for a person to compare with the layouts.
//
//   shots.exe <output directory> NAME=PATH ...
//
// Each window is captured from the screen into <output directory>\<scene>.bmp.
#include "setup_pages.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"
#include "uninstall_driver.h"

#include "resource.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <fstream>

namespace {

std::string g_output;

bool save_bitmap(HDC dc, HBITMAP bitmap, int width, int height, const std::string& path)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
    if (!GetDIBits(dc, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS))
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// Copies the window's rectangle of the screen as it stands, frame included.
bool copy_from_screen(HWND window, const std::string& scene)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(memory, old);
    bool saved = save_bitmap(memory, bitmap, width, height, g_output + "\\" + scene + ".bmp");
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::printf("%s %s\n", saved ? "captured" : "FAILED", scene.c_str());
    return saved;
}

// Has the window drawn afresh, then copies it.
bool capture(HWND window, const std::string& scene)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    return copy_from_screen(window, scene);
}

bool capture_message_box(DWORD process, const std::string& scene)
{
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(process);
    if (!box) {
        std::printf("FAILED %s: no message box\n", scene.c_str());
        return false;
    }
    bool ok = capture(box->window, scene);
    ui::answer(*box, box->buttons.empty() ? "OK" : box->buttons.front());
    ui::wait_until([&] { return !ui::find_message_box(process); });
    return ok;
}

bool estimator_scenes()
{
    ScratchDirectory dir;
    std::string program = dir.file("zeltax.exe");
    if (!copy_file(test_program_path("zeltax"), program)) return false;
    ui::Program estimator = ui::Program::start(program, "", dir.path());
    HWND window = ui::wait_for_window(estimator.id(), "TForm1");
    if (!window) return false;
    ui::wait_until([&] { return !ui::text(ui::control(window, IDC_EDIT1)).empty(); });

    ui::click(ui::control(window, IDC_RADIO_JOINTLY));
    ui::click(ui::control(window, IDC_CHECKBOX1));
    ui::set_text(ui::control(window, IDC_EDIT1), "55000");
    ui::set_text(ui::control(window, IDC_EDIT2), "2");
    ui::set_text(ui::control(window, IDC_EDIT7), "6000");
    ui::click(ui::control(window, IDC_BUTTON2));
    ui::wait_until([&] { return ui::text(ui::control(window, IDC_EDIT8)) == "1705"; });
    bool ok = capture(window, "estimator");

    ui::click(ui::control(window, IDC_BUTTON1));
    ok &= capture_message_box(estimator.id(), "estimator-help");
    ui::click(ui::control(window, IDC_BUTTON5));
    ok &= capture_message_box(estimator.id(), "estimator-child-tax-credit");

    ui::close(window);
    estimator.wait_exit();
    return ok;
}

// Captures the page and goes on with Next; the next page is returned.
HWND capture_and_go_on(DWORD process, HWND page, SetupPage following, bool& ok)
{
    ok &= capture(page, page_name(page_kind(page)));
    ui::click(ui::control(page, IDOK));
    HWND next = wait_for_page(process, following, page);
    if (!next) std::printf("FAILED: no %s page\n", page_name(following).c_str());
    ok &= next != nullptr;
    return next;
}

// Every page of the shipped setup.exe, from the welcome page to the summary.
bool setup_page_scenes()
{
    ScratchDirectory dir;
    std::string program = dir.file("setup.exe");
    if (!copy_file(test_program_path("setup"), program)) return false;
    ui::Program setup = ui::Program::start(program, "", dir.path());
    bool ok = true;
    HWND page = wait_for_page(setup.id(), SetupPage::welcome);
    if (!page) return false;
    page = capture_and_go_on(setup.id(), page, SetupPage::license, ok);
    if (!page) return false;
    ok &= capture(page, "license");
    ui::click(ui::control(page, IDC_AGREE));
    ui::wait_until([&] { return ui::is_enabled(ui::control(page, IDOK)); });
    ui::click(ui::control(page, IDOK));
    page = wait_for_page(setup.id(), SetupPage::users, page);
    for (SetupPage following : {SetupPage::destination, SetupPage::preferences, SetupPage::summary}) {
        if (!page) return false;
        page = capture_and_go_on(setup.id(), page, following, ok);
    }
    if (!page) return false;
    ok &= capture(page, "summary");
    ui::click(ui::control(page, IDCANCEL));
    ok &= setup.wait_exit() == 0u;
    return ok;
}

// Moves a message box into the bottom right corner of the screen, off the page beneath it.
void move_aside(HWND box)
{
    RECT frame{};
    GetWindowRect(box, &frame);
    SetWindowPos(box, nullptr, GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left),
                 GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Sleep(300);
}

// The installation page while it installs and when it is complete. The installation takes
// milliseconds, so it is held up: the destination holds the log of an earlier installation (the
// update question) and an older read-me that this program keeps open (the retry prompt), and the
// page is captured while the prompt waits.
bool install_page_scenes()
{
    remove_shipped_installation();
    ScratchDirectory dir;
    std::string destination = dir.file("Zelmor Income Tax 2010");
    std::string readme = destination + "\\readZeltax.txt";
    CreateDirectoryA(destination.c_str(), nullptr);
    write_file(destination + "\\Install_Log.txt", "");
    write_file(readme, "old");
    HANDLE held = CreateFileA(readme.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME year_2000{0x256D4000, 0x01BF53EB};  // 2000-01-01
    SetFileTime(held, nullptr, nullptr, &year_2000);

    WizardRun wizard("setup");
    bool ok = wizard.walk_to(SetupPage::destination) != nullptr;
    if (ok) {
        ui::set_text(ui::control(wizard.page(), IDC_DESTINATION), destination);
        ok = wizard.walk_to(SetupPage::summary) && wizard.install();
    }
    if (ok) {
        HWND page = wizard.page();
        std::optional<ui::MessageBoxInfo> question = ui::wait_for_message_box(wizard.id());
        ok = question.has_value();
        if (ok) {
            ok &= capture(question->window, "install-update-question");
            ui::answer(*question, "Yes");
        }
        std::optional<ui::MessageBoxInfo> retry;
        ok = ok && ui::wait_until([&] {
            retry = ui::find_message_box(wizard.id());
            return retry && retry->window != question->window;
        });
        if (ok) {
            move_aside(retry->window);
            ok &= capture(page, "installing");
            ok &= capture(retry->window, "install-retry");
            ui::answer(*retry, "No");
        }
        ok = ok && wait_for_completion(page);
        if (ok) ok &= capture(page, "complete");
        ui::click(ui::control(page, IDCANCEL));
        ok &= wizard.program().wait_exit() == 0u;
    }
    if (!ok) std::printf("FAILED installation scenes\n");
    CloseHandle(held);
    remove_shipped_installation();
    return ok;
}

// The unpacking window is up only while the package inflates, on a worker thread. Setup runs
// under this program as its debugger: the end of the worker is reported while the whole process
// stands still, before the window goes, and the window is copied then.
bool capture_unpacking_window(const PROCESS_INFORMATION& setup)
{
    DWORD worker = 0;
    bool captured = false, ended = false;
    DEBUG_EVENT event;
    while (!captured && !ended && WaitForDebugEvent(&event, ui::default_timeout_ms)) {
        DWORD status = DBG_CONTINUE;
        // No messages may go to the stopped process: the window is found by class alone.
        HWND window = ui::find_window(setup.dwProcessId, "#32770");
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT: CloseHandle(event.u.CreateProcessInfo.hFile); break;
        case LOAD_DLL_DEBUG_EVENT: CloseHandle(event.u.LoadDll.hFile); break;
        case CREATE_THREAD_DEBUG_EVENT:
            if (window && !worker) worker = event.dwThreadId;
            break;
        case EXIT_THREAD_DEBUG_EVENT:
            if (window && event.dwThreadId == worker) captured = copy_from_screen(window, "unpacking");
            break;
        case EXIT_PROCESS_DEBUG_EVENT: ended = true; break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    DebugActiveProcessStop(setup.dwProcessId);
    if (!captured) std::printf("FAILED unpacking\n");
    return captured;
}

bool unpacking_scene()
{
    ScratchDirectory dir;
    std::string program = dir.file("setup.exe");
    if (!copy_file(test_program_path("unpacking"), program)) return false;
    std::string command_line = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION setup{};
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        dir.path().c_str(), &startup, &setup))
        return false;
    DebugSetProcessKillOnExit(FALSE);
    bool ok = capture_unpacking_window(setup);
    HWND welcome = wait_for_page(setup.dwProcessId, SetupPage::welcome);
    if (welcome) ui::click(ui::control(welcome, IDCANCEL));
    ok &= welcome && WaitForSingleObject(setup.hProcess, ui::default_timeout_ms) == WAIT_OBJECT_0;
    if (!ok) TerminateProcess(setup.hProcess, 1);
    CloseHandle(setup.hThread);
    CloseHandle(setup.hProcess);
    return ok;
}

// The uninstaller's first page with the warning about a running program, its progress page on
// a long log, and the completed page with and without its details.
bool uninstall_scenes()
{
    ScratchDirectory dir, temporary;
    std::string program = dir.file("uninstall.exe");
    std::string estimator_path = dir.file("zeltax.exe");
    if (!copy_file(test_program_path("uninstall"), program) || !copy_file(test_program_path("zeltax"), estimator_path))
        return false;
    // Entries whose files are gone already keep the progress page up a while; the shortcut that
    // cannot be deleted gives the completed page its details.
    std::vector<std::pair<std::string, std::string>> entries = {{"Directory Created", dir.path()},
                                                                {"Description", "Zelmor Income Tax"},
                                                                {"File Created", program},
                                                                {"File Created", estimator_path}};
    for (int i = 0; i < 1500; ++i) entries.emplace_back("Delete List", dir.file("gone" + std::to_string(i) + ".txt"));
    entries.emplace_back("Desktop Shortcut Created", dir.file("Zelmor Federal Income Tax .lnk"));
    if (!write_file(dir.file("Install_Log.txt"), install_log(entries))) return false;

    ui::Program estimator = ui::Program::start(estimator_path, "", dir.path());
    if (!ui::wait_for_window(estimator.id(), "TForm1")) return false;
    UninstallerRun run(quoted_path(program), temporary.path());
    HWND page = run.wait_for_first_page();
    if (!page) return false;
    bool ok = capture(page, "uninstall");
    estimator.terminate();

    ui::click(ui::control(page, IDOK));
    HWND progress = run.wait_for_progress_page();
    if (!progress) return false;
    Sleep(1000);
    ok &= capture(progress, "uninstall-progress");
    if (!run.wait_for_completion(progress)) return false;
    ok &= capture(progress, "uninstall-complete");
    ui::click(ui::control(progress, 206));
    ui::wait_until([&] { return !ui::is_enabled(ui::control(progress, 206)); });
    ok &= capture(progress, "uninstall-complete-details");
    ui::click(ui::control(progress, IDCANCEL));
    ok &= run.wait_exit() == 0u;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: shots <output directory> NAME=PATH ...\n");
        return 2;
    }
    g_output = ui::windows_path_from_unix(argv[1]);
    CreateDirectoryA(g_output.c_str(), nullptr);
    register_test_programs(argc, argv);
    bool ok = estimator_scenes();
    ok &= setup_page_scenes();
    ok &= unpacking_scene();
    ok &= install_page_scenes();
    ok &= uninstall_scenes();
    return ok ? 0 : 1;
}
