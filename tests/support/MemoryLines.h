#pragma once

// Line splitting without files, for the tests and the fuzzers: a byte source over memory, a
// text stream over it that splits as a file is split, and a plain reference splitter to compare
// the platform's with.

#include "platform/core/FolderItem.h"
#include "platform/core/LineSplitter.h"
#include "platform/core/String.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::testing {

// Hands out `bytes` from the start, at most `largestRead` bytes at a time (fewer when asked
// for fewer), as a file that delivers short reads would. The bytes must outlive the source.
inline LineSplitter::Source
MemorySource(std::string_view bytes,
             std::size_t largestRead = std::numeric_limits<std::size_t>::max()) {
    return [bytes, largestRead, position = std::size_t{0}](char* into, std::size_t size) mutable {
        const std::size_t count = std::min({size, largestRead, bytes.size() - position});
        std::memcpy(into, bytes.data() + position, count);
        position += count;
        return count;
    };
}

// A text stream over a text in memory, split by the platform's own splitter (byte-order mark,
// line ends and line cut as for a file), that notes every line read from it and its close.
class MemoryTextStream final : public TextInputStream {
  public:
    explicit MemoryTextStream(std::string text, LineLimits limits = {},
                              std::size_t largestRead = std::numeric_limits<std::size_t>::max())
        : m_text(std::move(text)), m_lines(MemorySource(m_text, largestRead), limits) {}
    MemoryTextStream(const MemoryTextStream&) = delete;
    MemoryTextStream& operator=(const MemoryTextStream&) = delete;

    String ReadLine(const TextEncoding* encoding = nullptr) override {
        String line = m_lines.ReadLine(encoding);
        lines.push_back(line.str());
        return line;
    }
    bool Eof() override { return m_lines.Eof(); }
    void Close() override {
        closed = true;
        m_lines.Close();
    }
    int linesRead() const { return static_cast<int>(lines.size()); }

    std::vector<std::string> lines;
    bool closed = false;

  private:
    const std::string m_text;
    SplitTextInputStream m_lines;
};

// The lines of `bytes` read the way the ratings file is read, a line and then the end test,
// so that an empty text still gives one empty line: one pass over the whole text, with a
// UTF-8 byte-order mark at the start dropped, CR, LF and CRLF as line ends, and each line cut
// after `maximumLineBytes`.
inline std::vector<std::string> ReferenceLines(std::string_view bytes,
                                               std::size_t maximumLineBytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::vector<std::string> lines;
    std::size_t start = 0;
    do {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        lines.emplace_back(bytes.substr(start, std::min(end - start, maximumLineBytes)));
        start = end;
        if (start < bytes.size())
            start += bytes.substr(start, 2) == "\r\n" ? 2 : 1;
    } while (start < bytes.size());
    return lines;
}

// The lines that the splitter gives, read in the same way.
inline std::vector<std::string> SplitLines(LineSplitter& splitter) {
    std::vector<std::string> lines;
    do {
        lines.push_back(splitter.NextLine());
    } while (!splitter.AtEnd());
    return lines;
}

} // namespace platform::testing
