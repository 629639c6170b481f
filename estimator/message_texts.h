// The texts of the estimator's two information boxes and its home-page address.
#pragma once

#include <string>

inline constexpr const char* home_page_address = "http://www.zelmorgraphics.com";
inline constexpr const char* contact_email_address = "support@zelmorgraphics.com";

// Lines separated by a single CR, as the message boxes show them.
std::string help_text();
std::string child_tax_credit_text();
