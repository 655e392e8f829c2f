#include "platform/core/FolderItem.h"

#include "platform/core/Errors.h"
#include "platform/core/LineSplitter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

TextInputStream::~TextInputStream() = default;

namespace {

// Reads a file descriptor, which it closes with the stream.
class FileTextInputStream final : public SplitTextInputStream {
  public:
    FileTextInputStream(int descriptor, std::string path)
        : SplitTextInputStream([this](char* into, std::size_t size) { return read(into, size); }),
          m_descriptor(descriptor), m_path(std::move(path)) {}
    ~FileTextInputStream() override { Close(); }

    void Close() override {
        SplitTextInputStream::Close();
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = -1;
    }

  private:
    std::size_t read(char* into, std::size_t size) {
        for (;;) {
            const ssize_t count = ::read(m_descriptor, into, size);
            if (count >= 0)
                return static_cast<std::size_t>(count);
            if (errno != EINTR)
                throw IOException("Cannot read " + m_path + ": " + std::strerror(errno));
        }
    }

    int m_descriptor;
    std::string m_path;
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
