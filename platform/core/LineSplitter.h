#pragma once

#include "platform/core/FolderItem.h"
#include "platform/core/String.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// How a byte stream is split into lines: how many bytes are read at a time, and where a long
// line is cut.
struct LineLimits {
    std::size_t chunkBytes = 64 * 1024;
    std::size_t maximumLineBytes = TextInputStream::kMaximumLineBytes;
};

// Splits bytes into lines. Lines end in CR, LF or CRLF, also mixed; a UTF-8 byte-order mark at
// the start is skipped. A line longer than maximumLineBytes is cut there and the rest of it
// skipped, so memory stays bounded whatever the bytes hold; the line end after it still counts.
// Each read asks for at most chunkBytes, and every read is followed by a cooperative yield, so
// a window goes on repainting also while one long line is skipped.
class LineSplitter {
  public:
    // Reads at most `size` bytes into `into` and returns how many it read; 0 only at the end.
    // A failure it raises passes on to the caller of NextLine or AtEnd.
    using Source = std::function<std::size_t(char* into, std::size_t size)>;

    // Throws std::invalid_argument for a chunk of 0 bytes.
    explicit LineSplitter(Source source, LineLimits limits = {});

    // The next line without its line end; "" when nothing is left.
    std::string NextLine();
    // True when nothing is left to read. A CR is taken as a line end at once; whether an LF
    // follows is decided only here, when the next byte is needed, so a CRLF split between two
    // reads still ends one line and nothing waits for a byte that is not needed yet.
    bool AtEnd();
    // Reads nothing more; from now on AtEnd is true.
    void Stop();

  private:
    bool fill();
    std::size_t readSome(char* into, std::size_t size);
    void skipByteOrderMark();

    Source m_source;
    LineLimits m_limits;
    // At least three bytes, so that a byte-order mark fits whatever the chunk.
    std::vector<char> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_atStart = true;
    bool m_endOfSource = false;
    bool m_skipLineFeed = false;
};

// A text stream whose lines a LineSplitter takes from a byte source.
class SplitTextInputStream : public TextInputStream {
  public:
    explicit SplitTextInputStream(LineSplitter::Source source, LineLimits limits = {});
    String ReadLine(const TextEncoding* encoding = nullptr) override;
    bool Eof() override;
    void Close() override;

  private:
    LineSplitter m_lines;
};

} // namespace platform
