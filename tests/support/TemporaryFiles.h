#pragma once

// Files that a test makes in the system's temporary folder, removed again when it ends.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform::testing {

// A path of its own in the temporary folder (unique in the run: the process and a serial make
// its name); whatever the test leaves there, a file, a FIFO, a socket or a link, goes with it.
class TemporaryPath {
  public:
    explicit TemporaryPath(std::string_view suffix = ".txt") {
        static std::atomic<int> serial{0};
        m_path = (std::filesystem::temp_directory_path() /
                  ("quorvane-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) +
                   std::string(suffix)))
                     .string();
    }
    ~TemporaryPath() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};

// A file holding exactly these bytes.
class TemporaryFile : public TemporaryPath {
  public:
    explicit TemporaryFile(std::string_view bytes, std::string_view suffix = ".txt")
        : TemporaryPath(suffix) {
        std::ofstream(path(), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
};

// A FIFO that no process writes to: opening it for reading would wait for ever. made() is
// false when the system refused to make it.
class TemporaryFifo : public TemporaryPath {
  public:
    TemporaryFifo() : TemporaryPath(".fifo"), m_made(::mkfifo(path().c_str(), 0600) == 0) {}
    bool made() const { return m_made; }

  private:
    bool m_made;
};

// An empty folder, removed again with everything in it.
class TemporaryFolder : public TemporaryPath {
  public:
    TemporaryFolder() : TemporaryPath(".folder") { std::filesystem::create_directory(path()); }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path(), ignored);
    }
    // Nothing at all is left in it, however deep.
    bool empty() const { return std::filesystem::is_empty(path()); }
};

} // namespace platform::testing
