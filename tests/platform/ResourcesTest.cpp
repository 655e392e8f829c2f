#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <gtest/gtest.h>

namespace {

struct PictureFile {
    const char* name;
    QSize size;
};

// The pictures are compiled into the platform library; a static link must still register them.
TEST(Resources, PicturesLoadAtBothResolutions) {
    const PictureFile pictures[]{
        {"Quor", {381, 75}},
        {"Question48", {26, 48}},
        {"kappa64", {64, 64}},
    };
    for (const PictureFile& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const QString base = QStringLiteral(":/resources/") + QString::fromLatin1(picture.name);
        const QPixmap pixmap(base + ".png");
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), picture.size);
        const QImage doubled(base + "@2x.png");
        ASSERT_FALSE(doubled.isNull());
        EXPECT_EQ(doubled.size(), picture.size * 2);
        EXPECT_TRUE(doubled.hasAlphaChannel());
    }
}

} // namespace
