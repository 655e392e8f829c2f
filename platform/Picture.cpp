#include "platform/Picture.h"

#include "platform/Controls_p.h"
#include "platform/QtString_p.h"

#include <QFile>
#include <QFileInfo>
#include <QPixmap>

namespace platform {

struct Picture::Image {
    QPixmap pixmap;
};

namespace {
std::int64_t loadCount = 0;
} // namespace

namespace detail {
const QPixmap* pixmapOf(const Picture& picture) {
    return picture.image() ? &picture.image()->pixmap : nullptr;
}
} // namespace detail

std::int64_t Picture::Width() const {
    return m_image ? static_cast<std::int64_t>(m_image->pixmap.deviceIndependentSize().width()) : 0;
}

std::int64_t Picture::Height() const {
    return m_image ? static_cast<std::int64_t>(m_image->pixmap.deviceIndependentSize().height())
                   : 0;
}

Picture Picture::_OpenFromApp(const String& name) {
    ++loadCount;
    const QString path = QStringLiteral(":/resources/") + detail::toQt(name);
    const QFileInfo info(path);
    const QString doubleDensity = info.path() + QLatin1Char('/') + info.completeBaseName() +
                                  QStringLiteral("@2x.") + info.suffix();
    QPixmap pixmap;
    if (QFile::exists(doubleDensity) && pixmap.load(doubleDensity))
        pixmap.setDevicePixelRatio(2);
    else if (!pixmap.load(path))
        return Picture();
    Picture picture;
    picture.m_image = std::make_shared<const Image>(Image{pixmap});
    return picture;
}

namespace detail {
std::int64_t pictureLoadCount() {
    return loadCount;
}
} // namespace detail

} // namespace platform
