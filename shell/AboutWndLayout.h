#pragma once

#include <string>

namespace shell {

// The stored layout data of the About window and of its four controls.
std::string AboutWndWindowLayout();
std::string AboutWndCanvas1Layout();
std::string AboutWndStaticText5Layout();
std::string AboutWndTimer1Layout();
std::string AboutWndCanvas2Layout();

// The red line of authorship along the bottom edge.
inline constexpr const char* aboutNotice =
    "Quorvane 2.0 -- Copyright (C) 2002-2020 the Quorvane authors";

} // namespace shell
