// setup.exe: start-up of the setup program.
#include "Utility/unpack_package.h"
#include "error_log.h"
#include "picture_bitmaps.h"
#include "setup_description.h"
#include "setup_directory.h"
#include "trace.h"

#include <windows.h>

namespace {

// Where a fatal shutdown writes its report: empty (the root of the current drive) until known.
std::string g_setup_directory;

// A hardware fault (access violation and the like) ends the program like an exception.
LONG WINAPI report_crash(EXCEPTION_POINTERS*) { fatal_shutdown(g_setup_directory); }

// Runs one stage of start-up; any exception that escapes it is fatal.
template <typename Stage>
auto guarded(Stage stage) -> decltype(stage())
{
    try {
        return stage();
    } catch (...) {
        fatal_shutdown(g_setup_directory);
    }
}

} // namespace

int setup_main(HINSTANCE instance)
{
    trace_init();
    TRACE_POINT();
    SetUnhandledExceptionFilter(report_crash);

    SetupDescription description;
    PictureBitmaps pictures;
    bool unpacked = guarded([&] { return unpack_package(instance, description); });
    if (unpacked) {
        guarded([&] {
            TRACE_POINT();
            g_setup_directory = setup_directory();
            pictures.create(description);
        });
    }

    guarded([&] {
        TRACE_POINT();
        pictures.release();
        description = SetupDescription();
    });
    trace_teardown();
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return setup_main(instance); }
