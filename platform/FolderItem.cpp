#include "platform/FolderItem.h"

#include "platform/Errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

TextInputStream::~TextInputStream() = default;

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

// Reads a file descriptor in chunks. A CR is taken as a line end at once; whether an LF
// follows is decided only when the next byte is needed, so a CRLF split between two chunks
// still ends one line, and the reader never waits for a byte it does not need yet.
class FileTextInputStream final : public TextInputStream {
  public:
    FileTextInputStream(int descriptor, std::string path)
        : m_descriptor(descriptor), m_path(std::move(path)), m_buffer(kChunkBytes) {}
    ~FileTextInputStream() override { Close(); }

    String ReadLine(const TextEncoding* /*encoding*/) override {
        if (Eof())
            return String();
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
                const std::size_t room = kMaximumLineBytes - line.size();
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
        return String(line);
    }

    bool Eof() override {
        if (m_descriptor < 0)
            return true;
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

    void Close() override {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = -1;
        m_position = m_end = 0;
    }

  private:
    // Refills the empty buffer; false at the end of the file.
    bool fill() {
        m_position = 0;
        m_end = readSome(m_buffer.data(), m_buffer.size());
        return m_end > 0;
    }

    std::size_t readSome(char* into, std::size_t size) {
        if (m_descriptor < 0 || m_endOfFile)
            return 0;
        for (;;) {
            const ssize_t count = ::read(m_descriptor, into, size);
            if (count > 0)
                return static_cast<std::size_t>(count);
            if (count == 0) {
                m_endOfFile = true;
                return 0;
            }
            if (errno != EINTR)
                throw IOException("Cannot read " + m_path + ": " + std::strerror(errno));
        }
    }

    void skipByteOrderMark() {
        static constexpr char kMark[] = "\xEF\xBB\xBF";
        // A short read may deliver the mark in pieces.
        while (m_end < 3) {
            const std::size_t count = readSome(m_buffer.data() + m_end, m_buffer.size() - m_end);
            if (count == 0)
                break;
            m_end += count;
        }
        if (m_end >= 3 && std::memcmp(m_buffer.data(), kMark, 3) == 0)
            m_position = 3;
    }

    int m_descriptor;
    std::string m_path;
    std::vector<char> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_atStart = true;
    bool m_endOfFile = false;
    bool m_skipLineFeed = false;
};

} // namespace

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    // Only a regular file has an end that reading reaches. A FIFO blocks an open for reading
    // until a writer comes, and a device may never end (/dev/zero) or act on being opened (a
    // tape rewinds), so neither is opened; and the open itself never waits.
    struct stat status {};
    if (::stat(m_path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;
    const int descriptor = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return nullptr;
    // The path may have been replaced since it was looked at: what counts is what was opened.
    // Reading then blocks as usual, which for a regular file never means waiting for a writer.
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
        ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(descriptor);
        return nullptr;
    }
    return std::make_unique<FileTextInputStream>(descriptor, m_path);
}

} // namespace platform
