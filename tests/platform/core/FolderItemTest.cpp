#include "platform/core/FolderItem.h"

#include "TemporaryFiles.h"
#include "platform/core/Errors.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using platform::FolderItem;
using platform::TextInputStream;
using platform::testing::TemporaryFifo;
using platform::testing::TemporaryFile;
using platform::testing::TemporaryPath;

namespace {

// A socket bound to a path, which leaves a socket file there.
class BoundSocket {
  public:
    explicit BoundSocket(const std::string& path) : m_socket(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        m_bound = m_socket >= 0 && ::bind(m_socket, reinterpret_cast<const sockaddr*>(&address),
                                          sizeof address) == 0;
    }
    ~BoundSocket() {
        if (m_socket >= 0)
            ::close(m_socket);
    }
    bool bound() const { return m_bound; }

  private:
    int m_socket;
    bool m_bound = false;
};

// Reads the way the ratings file is read: a line first, then the end test.
std::vector<std::string> readAllLines(TextInputStream& stream) {
    std::vector<std::string> lines;
    do {
        lines.push_back(stream.ReadLine().str());
    } while (!stream.Eof() && lines.size() < 1000);
    return lines;
}

std::vector<std::string> readFile(const std::string& content) {
    TemporaryFile file(content);
    auto stream = FolderItem(file.path()).OpenAsTextFile();
    if (!stream) {
        ADD_FAILURE() << "cannot open " << file.path();
        return {};
    }
    std::vector<std::string> lines = readAllLines(*stream);
    EXPECT_TRUE(stream->Eof());
    EXPECT_EQ(stream->ReadLine().view(), "");
    stream->Close();
    return lines;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(FolderItemTextFile, LineEnds) {
    struct Case {
        const char* name;
        std::string content;
        Lines expected;
    };
    const Case cases[] = {
        {"empty file", "", {""}},
        {"no line end", "a", {"a"}},
        {"CR between", "a\rb", {"a", "b"}},
        {"final CR starts no line", "a\rb\r", {"a", "b"}},
        {"empty line before final CR", "a\r\r", {"a", ""}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CRLF", "a\r\nb\r\n", {"a", "b"}},
        {"CRLF then LF", "a\r\n\nb", {"a", "", "b"}},
        {"LF then CR are two ends", "a\n\rb", {"a", "", "b"}},
        {"empty CRLF lines", "a\r\n\r\nb", {"a", "", "b"}},
        {"mixed", "1\r2\n3\r\n4", {"1", "2", "3", "4"}},
        {"CR only", "\r", {""}},
        {"CRLF only", "\r\n", {""}},
        {"two LFs", "\n\n", {"", ""}},
        {"tabs kept", "\t5\t1\r0\t\t6\r", {"\t5\t1", "0\t\t6"}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "a\rb",
         {"a", "b"}},
        {"byte-order mark only", "\xEF\xBB\xBF", {""}},
        {"only the first mark",
         "\xEF\xBB\xBF\xEF\xBB\xBF"
         "a",
         {"\xEF\xBB\xBF"
          "a"}},
        {"mark later is text",
         "a\r\xEF\xBB\xBF"
         "b",
         {"a", "\xEF\xBB\xBF"
               "b"}},
        {"part of a mark is text", "\xEF\xBB", {"\xEF\xBB"}},
        {"NUL bytes", std::string("a\0b\r\0", 5), {std::string("a\0b", 3), std::string(1, '\0')}},
        {"invalid UTF-8 kept", "\xFF\xC3\r", {"\xFF\xC3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readFile(c.content), c.expected);
    }
}

TEST(FolderItemTextFile, EofFollowsEveryLine) {
    TemporaryFile file("a\rb\r");
    auto stream = FolderItem(file.path()).OpenAsTextFile();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->ReadLine().view(), "a");
    EXPECT_FALSE(stream->Eof());
    EXPECT_FALSE(stream->Eof()); // asking twice reads nothing
    EXPECT_EQ(stream->ReadLine().view(), "b");
    EXPECT_TRUE(stream->Eof());
}

TEST(FolderItemTextFile, LinesAcrossChunkBoundaries) {
    // The reader fills 64 KiB at a time; put line ends on either side of that boundary.
    constexpr std::size_t kChunk = 64 * 1024;
    for (std::size_t before : {kChunk - 2, kChunk - 1, kChunk, kChunk + 1}) {
        SCOPED_TRACE(before);
        const std::string first(before, 'x');
        EXPECT_EQ(readFile(first + "\r\nsecond\r\n"), (Lines{first, "second"}));
        EXPECT_EQ(readFile(first + "\r\r\nthird"), (Lines{first, "", "third"}));
        EXPECT_EQ(readFile("\xEF\xBB\xBF" + first + "\r\n"), (Lines{first}));
    }
}

TEST(FolderItemTextFile, LongLineIsCutAndTheRestSkipped) {
    constexpr std::size_t kLimit = TextInputStream::kMaximumLineBytes;
    const std::string exact(kLimit, '7');
    EXPECT_EQ(readFile(exact + "\r1"), (Lines{exact, "1"}));

    std::string longLine(kLimit, '1');
    longLine += std::string(3 * kLimit + 5, '2');
    EXPECT_EQ(readFile(longLine + "\r\nnext\n"), (Lines{std::string(kLimit, '1'), "next"}));
    EXPECT_EQ(readFile(longLine), (Lines{std::string(kLimit, '1')}));
}

TEST(FolderItemTextFile, ManyLines) {
    std::string content;
    Lines expected;
    for (int i = 0; i < 999; ++i) {
        expected.push_back(std::to_string(i) + "\t" + std::to_string(6 - i % 7));
        content += expected.back() + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\n" : "\r\n");
    }
    EXPECT_EQ(readFile(content), expected);
}

TEST(FolderItemTextFile, UnopenableFilesGiveNil) {
    EXPECT_EQ(FolderItem("/nonexistent/quorvane/ratings.txt").OpenAsTextFile(), nullptr);
    EXPECT_EQ(FolderItem("").OpenAsTextFile(), nullptr);
    EXPECT_EQ(FolderItem(std::filesystem::temp_directory_path().string()).OpenAsTextFile(),
              nullptr);
}

// Anything but a regular file counts as a file that cannot be opened, and opening never waits:
// a FIFO without a writer would hold an open for reading until a writer came, and /dev/zero
// would be read for ever.
TEST(FolderItemTextFile, OnlyRegularFilesOpen) {
    const TemporaryFifo fifo;
    ASSERT_TRUE(fifo.made()) << std::strerror(errno);
    const TemporaryPath linkToFifo(".link");
    std::filesystem::create_symlink(fifo.path(), linkToFifo.path());
    const TemporaryPath socketPath(".socket");
    const BoundSocket socket(socketPath.path());
    ASSERT_TRUE(socket.bound()) << std::strerror(errno);

    for (const std::string& path :
         {fifo.path(), linkToFifo.path(), socketPath.path(), std::string("/dev/zero"),
          std::string("/dev/full"), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        auto opening =
            std::async(std::launch::async, [&path] { return FolderItem(path).OpenAsTextFile(); });
        if (opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "the open waits";
            // A writer lets the blocked open return, so the test can end.
            const int writer = ::open(fifo.path().c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                ::close(writer);
        }
        EXPECT_EQ(opening.get(), nullptr);
    }

    TemporaryFile file("1\t2\r");
    const TemporaryPath linkToFile(".link");
    std::filesystem::create_symlink(file.path(), linkToFile.path());
    auto stream = FolderItem(linkToFile.path()).OpenAsTextFile();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(readAllLines(*stream), (Lines{"1\t2"}));
}

TEST(FolderItemTextFile, UnreadableFileGivesNil) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may read any file";
    TemporaryFile file("1\t2\r");
    std::filesystem::permissions(file.path(), std::filesystem::perms::none);
    EXPECT_EQ(FolderItem(file.path()).OpenAsTextFile(), nullptr);
}

TEST(FolderItemTextFile, ReadFailureRaisesIOException) {
    // Opening our own memory succeeds, but reading from address 0 fails with EIO.
    auto stream = FolderItem("/proc/self/mem").OpenAsTextFile();
    if (!stream)
        GTEST_SKIP() << "/proc/self/mem cannot be opened here";
    EXPECT_THROW(stream->ReadLine(), platform::IOException);
    EXPECT_THROW(stream->Eof(), platform::IOException);
    stream->Close();
    EXPECT_TRUE(stream->Eof());
}
