#include "shell/Pictures.h"

#include "platform/desktop/Picture.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/Probes.h"

#include <cstdint>
#include <gtest/gtest.h>

using platform::Picture;
using platform::testing::PictureLoadCount;

namespace {

struct Accessor {
    const char* name;
    Picture (*get)();
    std::int64_t width;
    std::int64_t height;
};

TEST(Pictures, EachLoadsOnceAndIsShared) {
    const Accessor accessors[]{
        {"Quor", Quor, 381, 75},
        {"Question48", Question48, 26, 48},
        {"kappa64", kappa64, 64, 64},
    };
    for (const Accessor& accessor : accessors) {
        SCOPED_TRACE(accessor.name);
        // A window built earlier in this process may have loaded it already.
        const std::int64_t loadsBefore = PictureLoadCount();
        const Picture first = accessor.get();
        ASSERT_TRUE(first);
        EXPECT_EQ(first.Width(), accessor.width);
        EXPECT_EQ(first.Height(), accessor.height);
        const std::int64_t loadsAfterFirst = PictureLoadCount();
        EXPECT_LE(loadsAfterFirst - loadsBefore, 1);
        const Picture second = accessor.get();
        EXPECT_EQ(second.image(), first.image());
        EXPECT_EQ(PictureLoadCount(), loadsAfterFirst);
    }
}

TEST(Pictures, MissingFileGivesNoneAndIsTriedAgain) {
    Picture slot;
    for (int call = 1; call <= 3; ++call) {
        const std::int64_t loadsBefore = PictureLoadCount();
        EXPECT_FALSE(LoadPictureInto(slot, "Missing.png"));
        EXPECT_FALSE(slot);
        EXPECT_EQ(PictureLoadCount(), loadsBefore + 1) << "call " << call;
    }
}

TEST(Pictures, FilledSlotIsKeptWithoutLoading) {
    Picture slot;
    const Picture loaded = LoadPictureInto(slot, "kappa64.png");
    ASSERT_TRUE(loaded);
    const std::int64_t loadsBefore = PictureLoadCount();
    EXPECT_EQ(LoadPictureInto(slot, "Missing.png").image(), loaded.image());
    EXPECT_EQ(PictureLoadCount(), loadsBefore);
}

} // namespace
