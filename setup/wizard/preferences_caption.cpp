#include "preferences_caption.h"

#include "setup_description.h"

#include <algorithm>

namespace {

constexpr std::size_t listed_extensions = 3;

} // namespace

const char associate_template_caption[] = "Associate file &extensions ";

std::string associate_caption(const SetupDescription& description)
{
    // The reader keeps the count and the table equal; never read past the table all the same.
    std::size_t count = std::min<std::size_t>(description.extension_count, description.extensions.size());
    if (count == 0) return associate_template_caption;

    std::string caption = "Associate file extensions (";
    for (std::size_t i = 0; i < std::min(count, listed_extensions); ++i) {
        if (i != 0) caption += "  ";
        caption += description.extensions[i].extension;
    }
    if (count > listed_extensions) caption += " ...more";
    return caption + ")";
}
