// unpack_bench: how fast the setup program unpacks its package, measured natively with the
// setup program's own code, next to zlib's inflation of the same stream in one call.
//
//   unpack_bench files <directory>
//       writes the files of the 64 MB bench package and its manifest, bench.manifest
//   unpack_bench install-files <directory>
//       writes the 2,000 files (64 MB) of the installation bench package and install.manifest
//   unpack_bench measure [--stub <bare image> --stub-limit <bytes>] <setup file>...
//       prints the unpacking table of each setup file and the size of the bare image
#include "crc.h"
#include "package_container.h"
#include "package_format.h"
#include "package_inflater.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

// Unpacking may take at most this many times zlib's own inflation of the stream.
constexpr double goal_ratio = 1.5;
// The builder's stream may be at most this size of zlib's strongest of the same package.
constexpr double package_goal_ratio = 0.97;

// ---------------------------------------------------------------------------------------------
// The bench package

// Small and deterministic, so that every run measures the same package.
class Random {
public:
    std::uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<std::uint32_t>(state_ >> 32);
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15u;
};

constexpr std::size_t mib = 1024 * 1024;

// Words drawn from a small vocabulary, in lines: compresses about as well as prose.
Bytes text_content(Random& random, std::size_t size)
{
    static const char* const words[] = {"tax",   "income", "the",      "of",     "deduction", "and",   "return",
                                        "filing", "status", "dependent", "credit", "withheld",  "2009",  "form",
                                        "line",  "amount", "standard", "joint",  "estimate",  "refund"};
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        const char* word = words[random.next() % std::size(words)];
        out.insert(out.end(), word, word + std::strlen(word));
        out.push_back(random.next() % 12 == 0 ? '\n' : ' ');
    }
    out.resize(size);
    return out;
}

// Incompressible: deflate stores it.
Bytes random_content(Random& random, std::size_t size)
{
    Bytes out(size);
    for (std::uint8_t& b : out) b = static_cast<std::uint8_t>(random.next() >> 24);
    return out;
}

// Fixed-layout records of counters, flags and a few random bytes, like a program's data file.
Bytes record_content(Random& random, std::size_t size)
{
    Bytes out;
    out.reserve(size);
    for (std::uint32_t n = 0; out.size() < size; ++n) {
        std::uint8_t record[32] = {};
        for (int i = 0; i < 4; ++i) record[i] = static_cast<std::uint8_t>(n >> (8 * i));
        record[4] = static_cast<std::uint8_t>(n % 7);
        for (int i = 8; i < 14; ++i) record[i] = static_cast<std::uint8_t>(random.next() >> 24);
        std::memcpy(record + 16, "ZELMOR-RECORD-01", 16);
        out.insert(out.end(), std::begin(record), std::end(record));
    }
    out.resize(size);
    return out;
}

// Alternating runs of random bytes and runs of one repeated byte, as in program images.
Bytes mixed_content(Random& random, std::size_t size)
{
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        std::size_t run = 4096 + random.next() % 61440;
        if (random.next() % 2 == 0) {
            Bytes noise = random_content(random, run);
            out.insert(out.end(), noise.begin(), noise.end());
        } else {
            out.insert(out.end(), run, static_cast<std::uint8_t>(random.next() >> 24));
        }
    }
    out.resize(size);
    return out;
}

void write_file(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

void write_text(const std::filesystem::path& path, const std::string& text)
{
    write_file(path, Bytes(text.begin(), text.end()));
}

// The settings of a bench package, before its files.
std::string bench_manifest_head(const char* title, int make_uninstall);

// 64 MB of files in all, a quarter of them incompressible.
void write_bench_files(const std::filesystem::path& directory)
{
    std::filesystem::create_directories(directory);
    Random random;
    struct File {
        const char* name;
        Bytes content;
    } files[] = {
        {"text.txt", text_content(random, 24 * mib)},
        {"random.bin", random_content(random, 16 * mib)},
        {"records.dat", record_content(random, 16 * mib)},
        {"mixed.bin", mixed_content(random, 8 * mib)},
    };
    std::string manifest = bench_manifest_head("The 64 MB package of ./dev bench.", 0);
    for (const File& file : files) {
        write_file(directory / file.name, file.content);
        manifest += std::string("\n[file]\nname = ") + file.name + "\nsource = " + file.name + "\ntarget_folder = 3\n";
    }
    write_text(directory / "bench.manifest", manifest);
}

std::string bench_manifest_head(const char* title, int make_uninstall)
{
    return std::string("# ") + title + "\n" +
           "format_marker = 1\n"
           "show_welcome_page = 0\n"
           "show_license_page = 0\n"
           "directory_name = Zelmor Bench\n"
           "default_location = <Program Files>\n"
           "create_program_group = 0\n"
           "program_group_name =\n"
           "make_uninstall = " + std::to_string(make_uninstall) + "\n"
           "recommend_reboot = 0\n"
           "allow_windows_95 = 1\n"
           "allow_windows_98 = 1\n"
           "allow_windows_me = 1\n"
           "allow_windows_nt351 = 1\n"
           "allow_windows_nt4 = 1\n"
           "allow_windows_2000 = 1\n"
           "allow_windows_xp = 1\n"
           "allow_windows_server_2003 = 1\n"
           "allow_windows_vista = 1\n"
           "require_ie5 = 0\n";
}

// 2,000 files of 32 KiB (64 MB in all), in 20 subdirectories, logged as an uninstallable
// installation would log them.
void write_install_files(const std::filesystem::path& directory)
{
    std::filesystem::create_directories(directory);
    Random random;
    std::string manifest = bench_manifest_head("The 2,000-file installation package of ./dev bench.", 1);
    for (int i = 0; i < 2000; ++i) {
        std::string folder = "dir" + std::to_string(i / 100);
        std::string name = "file" + std::to_string(i) + ".dat";
        std::filesystem::create_directories(directory / folder);
        write_file(directory / folder / name, i % 4 == 0 ? random_content(random, 32 * 1024)
                                                         : text_content(random, 32 * 1024));
        manifest += "\n[file]\nname = " + name + "\nsource = " + folder + "/" + name +
                    "\ntarget_folder = 3\nuse_subdirectory = 1\nsubdirectory = " + folder + "\n";
    }
    write_text(directory / "install.manifest", manifest);
}

// ---------------------------------------------------------------------------------------------
// Measuring

Bytes read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Best time of each step over repeated rounds: at least 7 rounds and 1 s, at most 1000 rounds.
// Each round runs every step once, so that a slow spell of the machine hits all of them alike.
std::vector<double> best_seconds(const std::vector<std::function<void()>>& steps)
{
    std::vector<double> best(steps.size(), 1e30);
    double total = 0;
    for (int round = 0; round < 1000 && (round < 7 || total < 1.0); ++round) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            auto start = Clock::now();
            steps[i]();
            double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            best[i] = std::min(best[i], seconds);
            total += seconds;
        }
    }
    return best;
}

std::string grouped(std::uint64_t value)
{
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

void print_step(const char* step, double seconds, std::size_t bytes, const char* note)
{
    std::printf("  %-18s %10.3f ms %9.1f MB/s   %s\n", step, seconds * 1e3, bytes / seconds / 1e6, note);
}

const char* verdict(bool ok) { return ok ? "OK" : "OVER"; }

// The form in which ./dev bench ends with each of its goals.
void print_ratio(const std::string& what, double value, double limit)
{
    std::printf("ratio: %s = %.3f (goal <= %.2f) %s\n", what.c_str(), value, limit, verdict(value <= limit));
}

// The size of zlib's level 9 stream of the bytes.
std::size_t zlib_best_size(const Bytes& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    Bytes compressed(size);
    if (compress2(compressed.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 9) != Z_OK)
        throw std::runtime_error("zlib could not compress the package");
    return size;
}

struct SetupFileFigures {
    double unpacking_ratio;  // unpacking / zlib's inflation
    double package_ratio;    // compressed size / zlib level 9's
};

// Measures one setup file; none when it cannot be unpacked.
std::optional<SetupFileFigures> measure_setup_file(const std::string& path)
{
    Bytes image = read_file(path);
    ContainerLocation container = find_container(image);
    if (container.result != ContainerSearch::found) {
        std::fprintf(stderr, "%s: no intact container\n", path.c_str());
        return std::nullopt;
    }
    if (compute_crc(container.compressed) != container.header.checksum) {
        std::fprintf(stderr, "%s: the checksum differs\n", path.c_str());
        return std::nullopt;
    }
    std::size_t inflated_length = container.header.inflated_length;
    std::size_t scanned = container.header.offset + package_format::container_marker_size;
    Bytes ours(inflated_length, 0);
    Bytes zlibs(inflated_length, 0);

    std::vector<double> best = best_seconds({
        [&] {
            if (find_container(image).header.offset != container.header.offset) throw std::logic_error("search");
        },
        [&] {
            if (compute_crc(container.compressed) != container.header.checksum) throw std::logic_error("checksum");
        },
        [&] {
            std::atomic<std::uint32_t> remaining{0};
            if (!inflated_completely(inflate_package(container.compressed, ours, remaining), inflated_length))
                throw std::runtime_error(path + ": inflation failed");
        },
        [&] {
            uLongf produced = static_cast<uLongf>(zlibs.size());
            if (uncompress(zlibs.data(), &produced, container.compressed.data(),
                           static_cast<uLong>(container.compressed.size())) != Z_OK ||
                produced != zlibs.size())
                throw std::runtime_error(path + ": zlib's inflation failed");
        },
    });
    double search = best[0];
    double checksum = best[1];
    double inflation = best[2];
    double zlib_inflation = best[3];
    if (ours != zlibs) throw std::logic_error(path + ": the two inflations differ");

    double unpacking = search + checksum + inflation;
    double ratio = unpacking / zlib_inflation;
    std::printf("%s: %s bytes, container at %s, %s compressed, %s inflated\n", path.c_str(),
                grouped(image.size()).c_str(), grouped(container.header.offset).c_str(),
                grouped(container.compressed.size()).c_str(), grouped(inflated_length).c_str());
    print_step("container search", search, scanned, "over the bytes up to the marker's end");
    print_step("checksum", checksum, container.compressed.size(), "over the compressed bytes");
    print_step("inflation", inflation, inflated_length, "over the inflated bytes, in slices as setup does");
    print_step("unpacking", unpacking, inflated_length, "search + checksum + inflation");
    print_step("zlib, one call", zlib_inflation, inflated_length, "uncompress(): the limit");
    std::printf("  unpacking / zlib   %9.2fx      goal at most %.2fx   %s\n", ratio, goal_ratio, verdict(ratio <= goal_ratio));
    std::size_t best_size = zlib_best_size(zlibs);
    double package_ratio = static_cast<double>(container.compressed.size()) / static_cast<double>(best_size);
    std::printf("  package            %s bytes, zlib level 9 %s bytes: %.3fx\n\n",
                grouped(container.compressed.size()).c_str(), grouped(best_size).c_str(), package_ratio);
    return SetupFileFigures{ratio, package_ratio};
}

std::uintmax_t print_stub_size(const std::string& path, std::uintmax_t limit)
{
    std::uintmax_t size = std::filesystem::file_size(path);
    std::printf("Bare setup program image %s\n", path.c_str());
    std::printf("  %s bytes   below %s   %s (%s bytes %s)\n", grouped(size).c_str(), grouped(limit).c_str(),
                verdict(size < limit), grouped(size < limit ? limit - size : size - limit + 1).c_str(),
                size < limit ? "to spare" : "too many");
    return size;
}

int usage()
{
    std::fprintf(stderr, "usage: unpack_bench files <directory>\n"
                         "       unpack_bench install-files <directory>\n"
                         "       unpack_bench measure [--stub <bare image> --stub-limit <bytes>] <setup file>...\n"
                         "       unpack_bench ratio <what> <value> <limit>\n");
    return 2;
}

int run(const std::vector<std::string>& args)
{
    if (args.size() == 2 && args[0] == "files") {
        write_bench_files(args[1]);
        return 0;
    }
    if (args.size() == 2 && args[0] == "install-files") {
        write_install_files(args[1]);
        return 0;
    }
    if (args.size() == 4 && args[0] == "ratio") {
        print_ratio(args[1], std::stod(args[2]), std::stod(args[3]));
        return 0;
    }
    if (args.empty() || args[0] != "measure") return usage();
    std::string stub;
    std::uintmax_t limit = 0;
    std::vector<std::string> setup_files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--stub" && i + 1 < args.size()) {
            stub = args[++i];
        } else if (args[i] == "--stub-limit" && i + 1 < args.size()) {
            limit = std::stoull(args[++i]);
        } else if (args[i].starts_with("--")) {
            return usage();
        } else {
            setup_files.push_back(args[i]);
        }
    }
    if (stub.empty() != (limit == 0) || (setup_files.empty() && stub.empty())) return usage();

    std::printf("Unpacking, measured natively with the setup program's code (best of repeated rounds; "
                "MB = 10^6 bytes)\n\n");
    bool ok = true;
    std::vector<SetupFileFigures> figures;
    for (const std::string& file : setup_files) {
        std::optional<SetupFileFigures> measured = measure_setup_file(file);
        if (measured) figures.push_back(*measured);
        ok = measured && ok;
    }
    std::uintmax_t stub_size = stub.empty() ? 0 : print_stub_size(stub, limit);
    if (!ok) return 1;
    // The goals, last: the slowest unpacking of all files, the first file's package (the
    // shipped one: the others are made to be measured, not to be small) and the bare image.
    double slowest = 0;
    for (const SetupFileFigures& file : figures) slowest = std::max(slowest, file.unpacking_ratio);
    if (!figures.empty()) {
        print_ratio("unpacking / zlib", slowest, goal_ratio);
        print_ratio("package / zlib-9", figures.front().package_ratio, package_goal_ratio);
    }
    if (!stub.empty())
        print_ratio("bare setup image / " + grouped(limit) + " bytes",
                    static_cast<double>(stub_size) / static_cast<double>(limit), 1.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "unpack_bench: %s\n", error.what());
        return 1;
    }
}
