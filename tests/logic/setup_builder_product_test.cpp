// The product's own package sources in setup/package build into a setup file.
#include "container_writer.h"
#include "description_writer.h"
#include "manifest.h"
#include "setup_builder_fixture.h"
#include "source_loader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace builder;

namespace {

const std::filesystem::path package_dir = SETUP_PACKAGE_DIR;

std::string read_text(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Walks a package field by field, as the setup program reads it.
class PackageWalk {
public:
    explicit PackageWalk(const Bytes& bytes) : bytes_(bytes) {}

    std::uint32_t u32()
    {
        check(4);
        std::uint32_t value = bytes_[at_] | bytes_[at_ + 1] << 8 | bytes_[at_ + 2] << 16 |
                              static_cast<std::uint32_t>(bytes_[at_ + 3]) << 24;
        at_ += 4;
        return value;
    }
    std::string text()
    {
        std::size_t length = 0;
        while (at_ + length < bytes_.size() && bytes_[at_ + length] != 0) ++length;
        std::string value(bytes_.begin() + at_, bytes_.begin() + at_ + length);
        skip(length - length % 4 + 4);
        return value;
    }
    void skip(std::size_t count)
    {
        check(count);
        at_ += count;
    }
    std::size_t at() const { return at_; }

private:
    void check(std::size_t count) const
    {
        if (at_ + count > bytes_.size()) throw std::out_of_range("read past the end of the package");
    }
    const Bytes& bytes_;
    std::size_t at_ = 0;
};

class ProductPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        defines["ZELTAX"] = scratch.write("zeltax.exe", "MZ" + std::string(1000, 'z')).string();
        defines["UNINSTALL"] = scratch.write("uninstall.exe", "MZ" + std::string(300, 'u')).string();
    }

    SetupDescription build(const std::string& manifest_text) const
    {
        return load_sources(parse_manifest(manifest_text, defines), package_dir, 1262304000);
    }

    TemporaryDirectory scratch;
    Defines defines;
};

TEST_F(ProductPackage, DescribesTheEstimatorsInstallation)
{
    SetupDescription d = build(read_text(package_dir / "zeltax.manifest"));
    EXPECT_EQ(d.format_marker, "1");
    EXPECT_EQ(d.directory_name, "Zelmor Income Tax 2010");
    EXPECT_EQ(d.default_location, "<Program Files>");
    EXPECT_TRUE(d.create_program_group);
    EXPECT_EQ(d.program_group_name, "Zelmor Income Tax");
    EXPECT_TRUE(d.make_uninstall && d.show_welcome_page && d.show_license_page);
    EXPECT_TRUE(d.allow_windows_95 && d.allow_windows_98 && d.allow_windows_me && d.allow_windows_nt351 &&
                d.allow_windows_nt4 && d.allow_windows_2000 && d.allow_windows_xp && d.allow_windows_server_2003 &&
                d.allow_windows_vista);
    EXPECT_FALSE(d.require_ie5 || d.recommend_reboot);
    EXPECT_TRUE(d.extensions.empty());
    EXPECT_TRUE(d.registry_keys.empty());

    ASSERT_EQ(d.files.size(), 3u);
    EXPECT_EQ(d.files[0].name, "uninstall.exe");
    EXPECT_EQ(d.files[0].shortcut_name, "Uninstall Zelmor Income Tax");
    EXPECT_EQ(d.files[1].name, "zeltax.exe");
    EXPECT_EQ(d.files[1].shortcut_name, "Zelmor Federal Income Tax ");
    EXPECT_EQ(d.files[2].name, "readZeltax.txt");
    EXPECT_EQ(d.files[2].shortcut_name, "Zelmor Federal Income Tax 2010");
    for (std::size_t i = 0; i < d.files.size(); ++i) {
        const FileEntry& file = d.files[i];
        EXPECT_EQ(file.target_folder, 3u);
        EXPECT_EQ(file.subdirectory, "");
        EXPECT_TRUE(file.group_shortcut);
        // The uninstaller gets only its program group shortcut.
        EXPECT_EQ(file.desktop_shortcut, i != 0) << file.name;
        EXPECT_FALSE(file.startup_shortcut || file.use_subdirectory || file.start_after_install ||
                     file.self_register || file.run_during_install);
        EXPECT_EQ(file.run_arguments + file.start_arguments, "");
    }
    // The uninstall module stays out of the install size.
    EXPECT_EQ(total_install_size(d.files), d.files[1].contents.size() + d.files[2].contents.size());
}

TEST_F(ProductPackage, WalksFromTheFirstToTheLastByte)
{
    SetupDescription d = build(read_text(package_dir / "zeltax.manifest"));
    Bytes package = write_package(d);
    PackageWalk walk(package);

    EXPECT_EQ(walk.text(), "1");
    EXPECT_EQ(walk.u32(), 1u);
    EXPECT_EQ(walk.text(), read_text(package_dir / "welcome.rtf"));
    EXPECT_EQ(walk.text(), "Zelmor Income Tax 2010");
    EXPECT_EQ(walk.text(), "<Program Files>");
    EXPECT_EQ(walk.u32(), 1u);
    EXPECT_EQ(walk.text(), "Zelmor Income Tax");
    EXPECT_EQ(walk.u32(), 1u);
    EXPECT_EQ(walk.u32(), 1u);
    EXPECT_EQ(walk.text(), read_text(package_dir / "license.rtf"));
    ASSERT_EQ(walk.u32(), 3u);
    for (const char* name : {"uninstall.exe", "zeltax.exe", "readZeltax.txt"}) {
        EXPECT_EQ(walk.text(), name);
        EXPECT_EQ(walk.u32(), 0u);
        EXPECT_EQ(walk.u32(), 1262304000u);
    }
    std::size_t readme_size = read_text(package_dir / "readZeltax.txt").size();
    EXPECT_EQ(walk.u32(), 1002u + readme_size);
    for (const char* shortcut :
         {"Uninstall Zelmor Income Tax", "Zelmor Federal Income Tax ", "Zelmor Federal Income Tax 2010"}) {
        EXPECT_EQ(walk.text(), shortcut);
        EXPECT_EQ(walk.text(), "");
        EXPECT_EQ(walk.u32(), 3u);
    }
    for (int file = 0; file < 3; ++file) {
        std::uint32_t desktop = file == 0 ? 0u : 1u;
        for (std::uint32_t flag : {0u, 1u, desktop, 0u, 0u, 0u, 0u}) EXPECT_EQ(walk.u32(), flag);
        EXPECT_EQ(walk.text(), "");
        EXPECT_EQ(walk.text(), "");
    }
    EXPECT_EQ(walk.u32(), 0u);
    EXPECT_EQ(walk.text(), "REGISTRYENTRIESSTART");
    EXPECT_EQ(walk.text(), "REGISTRYENTRIESEND");
    EXPECT_EQ(walk.u32(), 0u);
    for (int allow = 0; allow < 9; ++allow) EXPECT_EQ(walk.u32(), 1u);
    EXPECT_EQ(walk.u32(), 0u);
    for (std::uint32_t picture_size : {4150u, 67494u}) {
        ASSERT_EQ(walk.u32(), picture_size);
        walk.skip(picture_size - picture_size % 4 + 4);
    }
    for (std::size_t size : {std::size_t{302}, std::size_t{1002}, readme_size}) {
        std::size_t offset_field = walk.at();
        EXPECT_EQ(walk.u32(), offset_field + 8) << "content offset: the first byte after the size field";
        EXPECT_EQ(walk.u32(), size);
        walk.skip(size);
    }
    EXPECT_EQ(walk.at(), package.size());

}

// The package goes into setup.exe compressed by libdeflate; the setup program inflates it with
// zlib, which must give back every byte the builder put in, and the stream must be smaller than
// zlib's strongest.
TEST_F(ProductPackage, CompressesToAZlibStreamThatZlibInflatesToTheSameBytesSmallerThanZlibsLevel9)
{
    Bytes package = write_package(build(read_text(package_dir / "zeltax.manifest")));
    Bytes compressed = compress_package(package);
    ASSERT_GE(compressed.size(), 2u);
    EXPECT_EQ(compressed[0], 0x78);
    EXPECT_EQ(compressed[1], 0xDA) << "the header of the strongest level";

    Bytes inflated(package.size() + 1);
    uLongf inflated_size = static_cast<uLongf>(inflated.size());
    uLong compressed_size = static_cast<uLong>(compressed.size());
    ASSERT_EQ(uncompress2(inflated.data(), &inflated_size, compressed.data(), &compressed_size), Z_OK);
    EXPECT_EQ(compressed_size, compressed.size()) << "bytes after the stream";
    inflated.resize(inflated_size);
    EXPECT_TRUE(inflated == package) << "inflated " << inflated.size() << " bytes of " << package.size();

    uLongf level9_size = compressBound(static_cast<uLong>(package.size()));
    Bytes level9(level9_size);
    ASSERT_EQ(compress2(level9.data(), &level9_size, package.data(), static_cast<uLong>(package.size()), 9), Z_OK);
    EXPECT_LT(compressed.size(), level9_size);
}

TEST_F(ProductPackage, HasPicturesOfTheSizesTheWizardIsLaidOutFor)
{
    SetupDescription d = build(read_text(package_dir / "zeltax.manifest"));
    auto dimensions = [](const Bytes& bmp) {
        auto u32 = [&](std::size_t at) {
            return bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | static_cast<std::uint32_t>(bmp[at + 3]) << 24;
        };
        return std::to_string(u32(18)) + " x " + std::to_string(u32(22)) + " x " + std::to_string(bmp[28]);
    };
    EXPECT_EQ(d.page_bitmap.size(), 4150u);
    EXPECT_EQ(dimensions(d.page_bitmap), "32 x 32 x 32");
    EXPECT_EQ(d.welcome_bitmap.size(), 67494u);
    EXPECT_EQ(dimensions(d.welcome_bitmap), "80 x 281 x 24");
}

TEST(ProductTexts, AreSingleByteTextsInTheAgreedShape)
{
    for (const char* rtf : {"welcome.rtf", "license.rtf"}) {
        std::string text = read_text(package_dir / rtf);
        EXPECT_TRUE(text.starts_with("{\\rtf1\\ansi\\ansicpg1252")) << rtf;
        EXPECT_NE(text.find("Arial;"), std::string::npos) << rtf;
    }
    std::string readme = read_text(package_dir / "readZeltax.txt");
    for (const char* must : {"zelTax.txt", "support@zelmorgraphics.com", "http://www.zelmorgraphics.com"})
        EXPECT_NE(readme.find(must), std::string::npos) << must;
}

} // namespace
