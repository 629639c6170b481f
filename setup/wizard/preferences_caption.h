// The caption of the preferences page's association check box.
#pragma once

#include <string>

struct SetupDescription;

// The caption the dialog template gives the box; kept when there is nothing to associate.
extern const char associate_template_caption[];

// "Associate file extensions (.abc  .def  .ghi ...more)": up to three extensions, two blanks
// apart, and " ...more" when there are four or more.
std::string associate_caption(const SetupDescription& description);
