#pragma once

#include "shell/HelpText.h"

#include <cstddef>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

// The lines of the help text, split at its carriage returns, and where its parts stand in it,
// counted from 1.
inline std::vector<std::string> HelpLines() {
    std::vector<std::string> lines;
    const std::string_view text = HelpText().view();
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\r', start)) != std::string_view::npos; start = end + 1)
        lines.emplace_back(text.substr(start, end - start));
    lines.emplace_back(text.substr(start));
    return lines;
}

// Lines `first` to `first + count - 1`.
inline std::vector<std::string> LinesFrom(std::size_t first, std::size_t count) {
    const std::vector<std::string> lines = HelpLines();
    EXPECT_LE(first - 1 + count, lines.size());
    if (first - 1 + count > lines.size())
        return {};
    return {lines.begin() + static_cast<std::ptrdiff_t>(first - 1),
            lines.begin() + static_cast<std::ptrdiff_t>(first - 1 + count)};
}

struct HelpPart {
    const char* name;
    std::size_t first;
    std::size_t count;
};

// The lines that the text breaks itself: they must not be wrapped by the window.
inline constexpr HelpPart kReferenceEntries{"the reference entries", 14, 11};
inline constexpr HelpPart kInputExample{"the data-input example", 30, 4};
inline constexpr HelpPart kSampleLines{"the sample data", 39, 30};
inline constexpr HelpPart kResultsBlock{"the results block", 71, 10};
