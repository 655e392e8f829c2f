#pragma once

// Shared by the platform's own sources and its test support; not for the application's code.

#include <cstdint>
#include <optional>

namespace platform::detail {

// The code of the last Quit call, if any.
std::optional<std::int64_t>& requestedExitCode();

} // namespace platform::detail
