#include "platform/core/LineSplitter.h"

#include "MemoryLines.h"

#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using platform::LineLimits;
using platform::LineSplitter;
using platform::testing::MemorySource;
using platform::testing::ReferenceLines;
using platform::testing::SplitLines;

namespace {

using Lines = std::vector<std::string>;

class Random {
  public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    // 0 to n - 1.
    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_engine);
    }

  private:
    std::mt19937 m_engine;
};

// A text made to meet the splitter's boundaries under small limits: every kind of line end,
// lines just under, at and over the cut, byte-order marks whole and in part, at the start and
// later, and NUL bytes.
std::string RandomText(Random& random, std::size_t cut) {
    static const std::string kBytes("ab7\t\0\xEF\xBB\xBF", 8);
    static const char* const kEnds[] = {"\r", "\n", "\r\n", "", "\n\r"};
    std::string text;
    switch (random.below(4)) {
    case 0:
        text += "\xEF\xBB\xBF";
        break;
    case 1:
        text += "\xEF\xBB";
        break;
    default:
        break;
    }
    const std::size_t lines = random.below(10);
    for (std::size_t line = 0; line < lines; ++line) {
        const std::size_t lengths[] = {0, cut == 0 ? 0 : cut - 1, cut, cut + 1,
                                       random.below(3 * cut + 8)};
        const std::size_t length = lengths[random.below(std::size(lengths))];
        for (std::size_t i = 0; i < length; ++i)
            text += kBytes[random.below(kBytes.size())];
        text += kEnds[random.below(std::size(kEnds))];
    }
    return text;
}

} // namespace

// Random texts, split in chunks of a few bytes and with short reads, give the same lines as
// one plain pass over the whole text.
TEST(LineSplitter, AgreesWithAPlainSplitOfTheWholeText) {
    Random random(1971);
    for (int round = 0; round < 20000; ++round) {
        const LineLimits limits{1 + random.below(9), random.below(12)};
        const std::string text = RandomText(random, limits.maximumLineBytes);
        const std::size_t largestRead =
            random.below(2) == 0 ? limits.chunkBytes : 1 + random.below(limits.chunkBytes);
        std::size_t largestRequest = 0;
        LineSplitter splitter(
            [source = MemorySource(text, largestRead), &largestRequest](char* into,
                                                                        std::size_t size) mutable {
                largestRequest = std::max(largestRequest, size);
                return source(into, size);
            },
            limits);
        ASSERT_EQ(SplitLines(splitter), ReferenceLines(text, limits.maximumLineBytes))
            << "round " << round << ", chunk " << limits.chunkBytes << ", cut "
            << limits.maximumLineBytes << ", reads of at most " << largestRead << ", text "
            << ::testing::PrintToString(text);
        ASSERT_LE(largestRequest, limits.chunkBytes);
        EXPECT_TRUE(splitter.AtEnd());
        EXPECT_EQ(splitter.NextLine(), "");
    }
}

TEST(LineSplitter, CutsALongLineAndSkipsItsRestAcrossChunks) {
    struct Case {
        const char* name;
        std::string text;
        LineLimits limits;
        Lines expected;
    };
    const Case cases[] = {
        {"just under the cut", "abc\rd", {2, 4}, {"abc", "d"}},
        {"at the cut", "abcd\rd", {2, 4}, {"abcd", "d"}},
        {"just over the cut", "abcde\rd", {2, 4}, {"abcd", "d"}},
        {"many chunks over the cut", std::string(50, 'x') + "\r\nd", {3, 4}, {"xxxx", "d"}},
        {"cut to nothing", "abc\r\rd", {1, 0}, {"", "", ""}},
        {"CRLF split by the chunk", "ab\r\ncd", {3, 9}, {"ab", "cd"}},
        {"mark in one-byte chunks",
         "\xEF\xBB\xBF"
         "a",
         {1, 9},
         {"a"}},
        {"mark over the cut",
         "\xEF\xBB\xBF"
         "abc",
         {2, 2},
         {"ab"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineSplitter splitter(MemorySource(c.text), c.limits);
        EXPECT_EQ(SplitLines(splitter), c.expected);
    }
}

TEST(LineSplitter, StoppedSplitterReadsNothingMore) {
    int reads = 0;
    LineSplitter splitter(
        [&reads, source = MemorySource("a\rb\r", 1)](char* into, std::size_t size) mutable {
            ++reads;
            return source(into, size);
        },
        {1, 9});
    EXPECT_EQ(splitter.NextLine(), "a");
    splitter.Stop();
    const int readsBeforeStop = reads;
    EXPECT_TRUE(splitter.AtEnd());
    EXPECT_EQ(splitter.NextLine(), "");
    EXPECT_EQ(reads, readsBeforeStop);
}

TEST(LineSplitter, RefusesChunksOfNoBytes) {
    EXPECT_THROW(LineSplitter(MemorySource("a"), {0, 9}), std::invalid_argument);
}
