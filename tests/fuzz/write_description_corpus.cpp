// Writes the seed corpus of the description fuzzer: a few small valid packages and a few with
// one fault each. Run by hand when the format's fixtures change:
//   description_corpus_writer tests/fuzz/corpus/description
#include "fixture_bytes.h"
#include "sample_package.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> registry_section_with_every_kind()
{
    return PackageBytes()
        .text("REGISTRYENTRIESSTART")
        .text("ROOT").text("HKEY_CURRENT_USER").text("1").text("v")
        .text("Name").text("STRING").text("Zelmor")
        .text("REGISTRYVALUEEND_UN_99")
        .text("PARENTCHILD").text("1").text("Software").text("2").text("v")
        .text("Count").text("DWORD").text("-1")
        .text("Bits").text("BINARY").raw_block("abc")
        .text("Other").text("REG_NONE")
        .text("REGISTRYVALUEEND_UN_99")
        .text("REGISTRYENTRIESEND")
        .bytes();
}

struct Seed {
    const char* name;
    SamplePackage package;
};

std::vector<Seed> seeds()
{
    std::vector<Seed> list;
    list.push_back({"valid-shipped-like", shipped_like_package()});

    SamplePackage rich = shipped_like_package();
    rich.registry_section = registry_section_with_every_kind();
    rich.extensions = {{".ztx", 0}, {".zt2", 1}};
    rich.files[1].subdirectory = "bin";
    rich.files[1].flags = {1, 1, 1, 1, 1, 0, 0};
    rich.page_picture = make_bmp(3, 2, 8);
    rich.welcome_picture = make_bmp(2, -2, 1, 2);
    list.push_back({"valid-registry-extensions-palettes", rich});

    SamplePackage bare = shipped_like_package();
    bare.files.clear();
    bare.page_picture.clear();
    bare.welcome_picture.clear();
    list.push_back({"valid-no-files-no-pictures", bare});

    SamplePackage bad_name = shipped_like_package();
    bad_name.files[1].name = "..";
    list.push_back({"damaged-file-name", bad_name});

    SamplePackage bad_shortcut = shipped_like_package();
    bad_shortcut.files[1].shortcut_name = "../../Startup/Tax";
    list.push_back({"damaged-shortcut-name", bad_shortcut});

    SamplePackage bad_group = shipped_like_package();
    bad_group.program_group_name = "..\\..\\Startup";
    list.push_back({"damaged-program-group", bad_group});

    SamplePackage bad_value_name = shipped_like_package();
    bad_value_name.registry_section = PackageBytes()
                                          .text("REGISTRYENTRIESSTART")
                                          .text("ROOT").text("HKEY_CURRENT_USER").text("1").text("v")
                                          .text("Sub\\Name\r\n").text("DWORD").text("1")
                                          .text("REGISTRYVALUEEND_UN_99")
                                          .text("REGISTRYENTRIESEND")
                                          .bytes();
    list.push_back({"damaged-registry-value-name", bad_value_name});

    SamplePackage bad_parent = shipped_like_package();
    bad_parent.registry_section = PackageBytes()
                                      .text("REGISTRYENTRIESSTART")
                                      .text("ROOT").text("HKEY_CURRENT_USER").text("1").text("v")
                                      .text("REGISTRYVALUEEND_UN_99")
                                      .text("PARENTCHILD").text("9").text("Software").text("2").text("v")
                                      .text("REGISTRYVALUEEND_UN_99")
                                      .text("REGISTRYENTRIESEND")
                                      .bytes();
    list.push_back({"damaged-registry-section", bad_parent});

    SamplePackage bad_picture = shipped_like_package();
    bad_picture.page_picture[22] = 9;  // taller than its pixel bits
    list.push_back({"damaged-picture", bad_picture});

    SamplePackage bad_contents = shipped_like_package();
    bad_contents.files[2].stored_offset = 0xFFFFFFF0u;
    list.push_back({"damaged-content-range", bad_contents});
    return list;
}

bool write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    std::filesystem::path directory = argv[1];
    for (const Seed& seed : seeds()) {
        std::vector<std::uint8_t> bytes = seed.package.compose();
        if (!write_file(directory / seed.name, bytes)) return 1;
        // A cut package: the reader must stop at the end of the buffer.
        if (std::string(seed.name).starts_with("valid-")) {
            bytes.resize(bytes.size() * 2 / 3);
            if (!write_file(directory / (std::string("damaged-cut-") + (seed.name + 6)), bytes)) return 1;
        }
    }
    return 0;
}
