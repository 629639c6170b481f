#include "preferences_caption.h"
#include "setup_description.h"

#include <gtest/gtest.h>

namespace {

TEST(PreferencesCaption, ListsUpToThreeExtensions)
{
    const char* const names[] = {".abc", ".def", ".ghi", ".jkl", ".mno"};
    struct Case {
        std::uint32_t count;
        const char* caption;
    } cases[] = {
        {0, "Associate file &extensions "},
        {1, "Associate file extensions (.abc)"},
        {2, "Associate file extensions (.abc  .def)"},
        {3, "Associate file extensions (.abc  .def  .ghi)"},
        {4, "Associate file extensions (.abc  .def  .ghi ...more)"},
        {5, "Associate file extensions (.abc  .def  .ghi ...more)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        SetupDescription d;
        d.extension_count = c.count;
        for (std::uint32_t i = 0; i < c.count; ++i) d.extensions.push_back(ExtensionEntry{names[i], 0});
        EXPECT_EQ(associate_caption(d), c.caption);
    }
    EXPECT_STREQ(associate_template_caption, "Associate file &extensions ");
}

} // namespace
