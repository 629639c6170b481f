#include "unpack_package.h"

#include "RProgressDialog.h"
#include "crc.h"
#include "package_container.h"
#include "package_inflater.h"
#include "program_file.h"
#include "trace.h"
#include "try_resize.h"
#include "whole_file.h"

#include <process.h>

#include <atomic>
#include <vector>

namespace {

constexpr const char* message_title = "Fatal Installation Error";
constexpr const char* cannot_check_message = "Unable to check setup file for corruption.  This is a fatal error.";
constexpr const char* corrupt_message = "The setup executable is corrupt. This is a fatal error.";
constexpr const char* no_memory_message = "There is insufficient memory on this computer to run the install.";
constexpr DWORD progress_poll_ms = 250;

void tell(const char* text) { MessageBoxA(nullptr, text, message_title, MB_OK | MB_ICONWARNING); }

// The setup program's own file, read through a temporary copy so that the running image is
// never opened for reading. The copy is gone again in every case.
bool read_own_file(std::vector<std::uint8_t>& image)
{
    std::string copy = copy_program_to_temporary_file();
    if (copy.empty()) return false;
    bool ok = read_whole_file(copy, image);
    DeleteFileA(copy.c_str());
    return ok;
}

struct InflationJob {
    std::span<const std::uint8_t> compressed;
    std::span<std::uint8_t> output;
    std::atomic<std::uint32_t> remaining{0};
    InflateOutcome outcome;
};

unsigned __stdcall inflation_worker(void* argument)
{
    auto* job = static_cast<InflationJob*>(argument);
    job->outcome = inflate_package(job->compressed, job->output, job->remaining);
    return 0;
}

// Inflates on a lowest-priority worker while the progress window stays responsive. Start-up has
// registered the progress bar's class.
InflateOutcome inflate_with_progress(HINSTANCE instance, InflationJob& job)
{
    RProgressDialog progress("Setup Unpacking: ");
    progress.create(instance);
    progress.show();
    progress.set_range(100);
    progress.set_pos(0);

    job.remaining = static_cast<std::uint32_t>(job.compressed.size());
    auto thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, inflation_worker, &job, CREATE_SUSPENDED, nullptr));
    if (!thread) {
        job.outcome = InflateOutcome{};
        return job.outcome;
    }
    SetThreadPriority(thread, THREAD_PRIORITY_LOWEST);
    ResumeThread(thread);
    double total = static_cast<double>(job.compressed.size());
    for (;;) {
        progress.pump_messages();
        if (WaitForSingleObject(thread, progress_poll_ms) != WAIT_TIMEOUT) break;
        double done = total - job.remaining.load(std::memory_order_relaxed);
        progress.set_pos(static_cast<int>(done / total * 100));
    }
    CloseHandle(thread);
    progress.close();
    return job.outcome;
}

} // namespace

void report_corrupt_package() { tell(corrupt_message); }

bool unpack_package(HINSTANCE instance, std::vector<std::uint8_t>& package)
{
    TRACE_POINT();
    std::vector<std::uint8_t> image;
    if (!read_own_file(image)) {
        tell(cannot_check_message);
        return false;
    }

    ContainerLocation container = find_container(image);
    if (container.result == ContainerSearch::not_found) return false;
    if (container.result == ContainerSearch::damaged || compute_crc(container.compressed) != container.header.checksum) {
        tell(corrupt_message);
        return false;
    }

    if (!try_resize(package, container.header.inflated_length)) {  // no memory, or more than a vector holds here
        tell(no_memory_message);
        return false;
    }

    TRACE_POINT();
    InflationJob job;
    job.compressed = container.compressed;
    job.output = package;
    InflateOutcome outcome = inflate_with_progress(instance, job);
    std::vector<std::uint8_t>().swap(image);  // the file image is not needed any more
    if (!inflated_completely(outcome, package.size())) {
        tell(corrupt_message);
        return false;
    }
    return true;
}
