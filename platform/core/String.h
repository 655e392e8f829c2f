#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The platform's text: UTF-8, immutable, cheap to copy. Its length in characters is kept
// with it, so Len() costs nothing.
//
// Appending is amortised O(length of the piece): a String that ends where its buffer's
// used bytes end may grow that buffer in place, because every other String sharing the
// buffer only sees its own, shorter prefix, and bytes once written never move or change.
// So `area.SetText(area.Text() + piece)` costs the piece, not the text already there. A text
// of a few bytes is kept in the String itself and shares nothing.
class String {
  public:
    String() noexcept = default;
    String(const char* text);
    String(std::string_view text);
    String(const std::string& text);

    std::string_view view() const noexcept;
    std::string str() const { return std::string(view()); }
    const char* data() const noexcept;
    std::size_t byteSize() const noexcept { return m_size; }
    // Number of characters (code points); a byte that cannot start a UTF-8 sequence counts as one.
    std::int64_t length() const noexcept { return m_length; }
    bool empty() const noexcept { return m_size == 0; }

    // True when this text is a prefix of other's and that shows at once: both share one buffer
    // and this one is the shorter, or this one is short enough to be kept in place and other
    // starts with its bytes. It never reads more of other than this text's length.
    bool isPrefixSharedWith(const String& other) const noexcept;

    String& operator+=(const String& piece);
    friend String operator+(String text, const String& piece) { return text += piece; }

    friend bool operator==(const String& a, const String& b) noexcept {
        return a.view() == b.view();
    }
    // Text order: by byte, which for UTF-8 is the order of the code points.
    friend std::strong_ordering operator<=>(const String& a, const String& b) noexcept {
        return a.view() <=> b.view();
    }

    static std::int64_t countCharacters(std::string_view utf8) noexcept;

  private:
    struct Buffer;
    void append(std::string_view bytes, std::int64_t characters);

    // Texts of a few bytes (the report's cells and numbers) live in the String itself, with no
    // buffer to allocate; longer ones in a buffer that copies share.
    static constexpr std::size_t kInlineBytes = 16;

    std::shared_ptr<Buffer> m_buffer;
    std::size_t m_size = 0;
    std::int64_t m_length = 0;
    char m_inline[kInlineBytes]{};
};

std::ostream& operator<<(std::ostream& out, const String& text);

} // namespace platform
