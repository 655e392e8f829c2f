#include "platform/core/String.h"

#include "platform/core/Utf8_p.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace platform {

struct String::Buffer {
    explicit Buffer(std::size_t size) : bytes(new char[size]), capacity(size) {}
    std::unique_ptr<char[]> bytes;
    std::size_t capacity;
    std::size_t used = 0;
};

namespace {
constexpr std::size_t kMinimumCapacity = 32;
}

String::String(const char* text) : String(std::string_view(text ? text : "")) {}

String::String(const std::string& text) : String(std::string_view(text)) {}

String::String(std::string_view text) {
    if (!text.empty())
        append(text, countCharacters(text));
}

std::string_view String::view() const noexcept {
    return std::string_view(data(), m_size);
}

const char* String::data() const noexcept {
    if (m_buffer)
        return m_buffer->bytes.get();
    return m_size ? m_inline : "";
}

bool String::isPrefixSharedWith(const String& other) const noexcept {
    if (m_size > other.m_size)
        return false;
    if (!m_buffer)
        return other.view().starts_with(view());
    return m_buffer == other.m_buffer;
}

std::int64_t String::countCharacters(std::string_view utf8) noexcept {
    // Every byte that is not a continuation byte (10xxxxxx) starts a character.
    return static_cast<std::int64_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return !detail::isUtf8Continuation(c); }));
}

String& String::operator+=(const String& piece) {
    if (!piece.empty())
        append(piece.view(), piece.m_length);
    return *this;
}

void String::append(std::string_view bytes, std::int64_t characters) {
    const std::size_t newSize = m_size + bytes.size();
    if (!m_buffer && newSize <= kInlineBytes) {
        // `bytes` may be this String's own (s += s): the two ranges do not overlap.
        std::memcpy(m_inline + m_size, bytes.data(), bytes.size());
        m_size = newSize;
        m_length += characters;
        return;
    }
    const bool ownsTail = m_buffer && m_buffer->used == m_size;
    std::shared_ptr<Buffer> keepAlive = m_buffer; // `bytes` may point into it (s += s)
    if (!ownsTail || newSize > m_buffer->capacity) {
        auto grown = std::make_shared<Buffer>(std::max(kMinimumCapacity, newSize * 2));
        if (m_size)
            std::memcpy(grown->bytes.get(), data(), m_size);
        grown->used = m_size;
        m_buffer = std::move(grown);
    }
    std::memcpy(m_buffer->bytes.get() + m_size, bytes.data(), bytes.size());
    m_buffer->used = newSize;
    m_size = newSize;
    m_length += characters;
}

std::ostream& operator<<(std::ostream& out, const String& text) {
    return out << text.view();
}

} // namespace platform
