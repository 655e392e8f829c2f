#include "shell/FileTypes1.h"

#include "platform/desktop/FileType.h"

#include <gtest/gtest.h>

namespace {

// The set is process-wide state that _Initialize changes for good. The test leaves it as the
// program starts with it, so that it passes again however often and in whatever order the
// tests run: dropping the type withdraws its registration.
class SetLeftAsAtStart {
  public:
    SetLeftAsAtStart() = default;
    ~SetLeftAsAtStart() {
        FileTypes1::pAllFileTypes.clear();
        FileTypes1::pText.reset();
    }
    SetLeftAsAtStart(const SetLeftAsAtStart&) = delete;
    SetLeftAsAtStart& operator=(const SetLeftAsAtStart&) = delete;
};

// One test, because _Initialize runs once in the program.
TEST(FileTypes1, InitializeDefinesAndRegistersTheOneTextType) {
    const SetLeftAsAtStart leftAsAtStart;
    EXPECT_EQ(FileTypes1::Text(), nullptr);
    EXPECT_TRUE(FileTypes1::pAllFileTypes.empty());
    EXPECT_EQ(platform::FindRegisteredFileType("text"), nullptr);

    FileTypes1::_Initialize();

    const auto text = FileTypes1::Text();
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(FileTypes1::pAllFileTypes.size(), 1u);
    EXPECT_EQ(FileTypes1::pAllFileTypes[0], text);
    EXPECT_EQ(text, FileTypes1::pText);

    EXPECT_EQ(text->Name(), "text");
    EXPECT_EQ(text->Extensions(), "");
    EXPECT_EQ(text->MacType(), "");
    EXPECT_EQ(text->MacCreator(), "");
    EXPECT_EQ(text->MimeType(), "");
    EXPECT_EQ(text->ConformsTo(), "");
    EXPECT_EQ(text->UTI(), "");
    EXPECT_TRUE(text->Imported());
    EXPECT_TRUE(text->IsRegistered());
    EXPECT_EQ(platform::FindRegisteredFileType("text"), text.get());
}

} // namespace
