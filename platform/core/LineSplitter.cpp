#include "platform/core/LineSplitter.h"

#include "platform/core/Yield.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkBytes = 3;
} // namespace

LineSplitter::LineSplitter(Source source, LineLimits limits)
    : m_source(std::move(source)), m_limits(limits) {
    if (m_limits.chunkBytes == 0)
        throw std::invalid_argument("a line splitter reads at least one byte at a time");
    m_buffer.resize(std::max(m_limits.chunkBytes, kByteOrderMarkBytes));
}

std::string LineSplitter::NextLine() {
    if (AtEnd())
        return std::string();
    std::string line;
    bool cut = false;
    while (m_position < m_end || fill()) {
        const char* const begin = m_buffer.data() + m_position;
        const char* const end = m_buffer.data() + m_end;
        const char* stop = begin;
        while (stop != end && *stop != '\r' && *stop != '\n')
            ++stop;
        const std::size_t piece = static_cast<std::size_t>(stop - begin);
        if (!cut) {
            const std::size_t room = m_limits.maximumLineBytes - line.size();
            line.append(begin, std::min(piece, room));
            cut = piece > room;
        }
        m_position += piece;
        if (stop != end) {
            m_skipLineFeed = *stop == '\r';
            ++m_position;
            break;
        }
    }
    return line;
}

bool LineSplitter::AtEnd() {
    if (m_atStart) {
        m_atStart = false;
        skipByteOrderMark();
    }
    if (m_position == m_end && !fill())
        return true;
    if (m_skipLineFeed) {
        m_skipLineFeed = false;
        if (m_buffer[m_position] == '\n')
            ++m_position;
        if (m_position == m_end && !fill())
            return true;
    }
    return false;
}

void LineSplitter::Stop() {
    m_atStart = false;
    m_endOfSource = true;
    m_skipLineFeed = false;
    m_position = m_end = 0;
    m_source = nullptr;
}

// Refills the used-up buffer; false at the end of the source.
bool LineSplitter::fill() {
    m_position = 0;
    m_end = readSome(m_buffer.data(), m_limits.chunkBytes);
    return m_end > 0;
}

std::size_t LineSplitter::readSome(char* into, std::size_t size) {
    if (m_endOfSource)
        return 0;
    const std::size_t count = m_source(into, size);
    if (count > size)
        throw std::length_error("a byte source read more than it was asked for");
    if (count == 0)
        m_endOfSource = true;
    YieldToPlatform();
    return count;
}

void LineSplitter::skipByteOrderMark() {
    // Short reads, or chunks shorter than the mark, deliver it in pieces.
    while (m_end < kByteOrderMarkBytes) {
        const std::size_t count = readSome(m_buffer.data() + m_end,
                                           std::min(m_limits.chunkBytes, m_buffer.size() - m_end));
        if (count == 0)
            break;
        m_end += count;
    }
    if (m_end >= kByteOrderMarkBytes &&
        std::memcmp(m_buffer.data(), kByteOrderMark, kByteOrderMarkBytes) == 0)
        m_position = kByteOrderMarkBytes;
}

SplitTextInputStream::SplitTextInputStream(LineSplitter::Source source, LineLimits limits)
    : m_lines(std::move(source), limits) {}

String SplitTextInputStream::ReadLine(const TextEncoding* /*encoding*/) {
    return String(m_lines.NextLine());
}

bool SplitTextInputStream::Eof() {
    return m_lines.AtEnd();
}

void SplitTextInputStream::Close() {
    m_lines.Stop();
}

} // namespace platform
