#pragma once

// Shared by the platform's own sources; not for the application's code.

namespace platform::detail {

// A byte of the form 10xxxxxx continues a UTF-8 sequence; every other byte starts a character.
constexpr bool isUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace platform::detail
