#pragma once

#include "platform/core/String.h"

#include <memory>
#include <string>

namespace platform {

class TextEncoding; // only nil, the platform's default (UTF-8), is used

// A text file opened for reading, line by line. Lines end in CR, LF or CRLF, also mixed; a
// UTF-8 byte-order mark at the start is skipped. A line longer than kMaximumLineBytes is cut
// there and the rest of it skipped, so memory stays bounded whatever the file holds (the
// splitting is LineSplitter's).
class TextInputStream {
  public:
    static constexpr std::size_t kMaximumLineBytes = 1 << 20;
    virtual ~TextInputStream();
    // The next line without its line end; "" at the end of the stream. Raises IOException when
    // the file cannot be read.
    virtual String ReadLine(const TextEncoding* encoding = nullptr) = 0;
    // True when nothing is left to read. (Named Eof: EOF is a C macro.)
    virtual bool Eof() = 0;
    virtual void Close() = 0;
};

class FolderItem {
  public:
    explicit FolderItem(std::string nativePath) : m_path(std::move(nativePath)) {}
    const std::string& NativePath() const { return m_path; }
    // A stream over the file from its start; nullptr when the file cannot be opened, and for
    // anything but a regular file (a FIFO, a device, a socket). Never waits.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;

  private:
    std::string m_path;
};

} // namespace platform
