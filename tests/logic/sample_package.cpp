#include "sample_package.h"

#include "fixture_bytes.h"

#include <cstdlib>
#include <utility>

namespace {

void put_picture(PackageBytes& out, const std::vector<std::uint8_t>& image)
{
    out.u32(static_cast<std::uint32_t>(image.size()));
    if (image.empty()) return;
    out.raw(image).zeros(4 - image.size() % 4);
}

void put_contents(PackageBytes& out, const SampleFile& file)
{
    std::uint32_t natural_offset = static_cast<std::uint32_t>(out.size() + 8);
    out.u32(file.stored_offset.value_or(natural_offset));
    out.u32(file.stored_size.value_or(static_cast<std::uint32_t>(file.contents.size())));
    out.raw(file.contents);
}

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put_u16(out, static_cast<std::uint16_t>(value));
    put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

SampleFile sample_file(std::string name, std::string shortcut_name, std::string contents)
{
    SampleFile file;
    file.name = std::move(name);
    file.shortcut_name = std::move(shortcut_name);
    file.contents = std::move(contents);
    return file;
}

std::vector<std::uint8_t> SamplePackage::compose() const
{
    PackageBytes out;
    out.text(format_marker).u32(show_welcome_page).text(welcome_text).text(directory_name);
    out.text(default_location).u32(create_program_group).text(program_group_name);
    out.u32(make_uninstall).u32(show_license_page).text(license_text);
    out.u32(stored_file_count.value_or(static_cast<std::uint32_t>(files.size())));
    for (const SampleFile& f : files) out.text(f.name).u32(f.time_high).u32(f.time_low);
    out.u32(total_install_size);
    for (const SampleFile& f : files) out.text(f.shortcut_name).text(f.subdirectory).u32(f.target_folder);
    for (const SampleFile& f : files) {
        for (std::uint32_t flag : f.flags) out.u32(flag);
        out.text(f.run_arguments).text(f.start_arguments);
    }
    out.u32(stored_extension_count.value_or(static_cast<std::uint32_t>(extensions.size())));
    for (const SampleExtension& e : extensions) out.text(e.extension).u32(e.stored_index);
    out.raw(registry_section).u32(recommend_reboot);
    for (std::uint32_t allow : allow_windows) out.u32(allow);
    out.u32(require_ie5);
    put_picture(out, page_picture);
    put_picture(out, welcome_picture);
    for (const SampleFile& f : files) put_contents(out, f);
    return out.bytes();
}

std::vector<std::uint8_t> empty_registry_section()
{
    return PackageBytes().text("REGISTRYENTRIESSTART").text("REGISTRYENTRIESEND").bytes();
}

std::vector<std::uint8_t> registry_section_with_value(const std::string& root, const std::string& child,
                                                      const std::string& value_name)
{
    return PackageBytes()
        .text("REGISTRYENTRIESSTART")
        .text("ROOT").text(root).text("1").text("VALUES")
        .text("REGISTRYVALUEEND_UN_99")
        .text("PARENTCHILD").text("1").text(child).text("2").text("VALUES")
        .text(value_name).text("STRING").text("text\r\nwith a line break")
        .text("REGISTRYVALUEEND_UN_99")
        .text("REGISTRYENTRIESEND")
        .bytes();
}

SamplePackage shipped_like_package()
{
    SamplePackage p;
    SampleFile uninstall = sample_file("uninstall.exe", "Uninstall Zelmor Income Tax", "MZ uninstall");
    uninstall.flags[1] = 1;
    SampleFile estimator = sample_file("zeltax.exe", "Zelmor Federal Income Tax ", "MZ estimator!");
    estimator.flags = {0, 1, 1, 0, 0, 0, 0};
    SampleFile readme = sample_file("readZeltax.txt", "Zelmor Federal Income Tax 2010", "Read me.");
    readme.flags = {0, 1, 1, 0, 0, 0, 0};
    p.files = {uninstall, estimator, readme};
    p.total_install_size = static_cast<std::uint32_t>(estimator.contents.size() + readme.contents.size());
    p.registry_section = empty_registry_section();
    p.page_picture = make_bmp(4, 4, 32);
    p.welcome_picture = make_bmp(3, 5, 24);
    return p;
}

std::vector<std::uint8_t> make_bmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t gap)
{
    std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
    std::uint32_t row = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
    std::uint32_t pixels = row * static_cast<std::uint32_t>(std::abs(height));
    std::uint32_t bits_offset = 14 + 40 + 4 * colours + gap;
    std::vector<std::uint8_t> image{'B', 'M'};
    put_u32(image, bits_offset + pixels);
    put_u32(image, 0);
    put_u32(image, bits_offset);
    put_u32(image, 40);
    put_u32(image, static_cast<std::uint32_t>(width));
    put_u32(image, static_cast<std::uint32_t>(height));
    put_u16(image, 1);
    put_u16(image, bits);
    for (int field = 0; field < 6; ++field) put_u32(image, 0);  // BI_RGB, sizes, resolutions, colours
    for (std::uint32_t c = 0; c < colours; ++c) put_u32(image, c * 0x010101u);
    image.insert(image.end(), gap, 0);
    for (std::uint32_t i = 0; i < pixels; ++i) image.push_back(static_cast<std::uint8_t>(i * 7));
    return image;
}
