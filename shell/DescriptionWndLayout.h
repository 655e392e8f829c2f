#pragma once

#include <string>

namespace shell {

// The stored layout data of the Description window and of its four controls.
std::string DescriptionWndWindowLayout();
std::string DescriptionWndDescribeFldLayout();
std::string DescriptionWndDescribeFld2Layout();
std::string DescriptionWndc2002Layout();
std::string DescriptionWndPrintBtnLayout();

// The line of authorship under the help text.
inline constexpr const char* descriptionNotice = "Copyright (C) 2002-2020 the Quorvane authors";

} // namespace shell
