#include "platform/desktop/Picture.h"

#include "platform/core/QtString_p.h"
#include "platform/desktop/Controls_p.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>

namespace platform {

struct Picture::Image {
    QPixmap pixmap;
};

namespace {

std::int64_t loadCount = 0;

// Reads an image in the format its name gives. Naming the format keeps the toolkit from
// loading its image plugins to probe the file, which would cost the start-up several
// milliseconds for pictures it decodes itself.
QPixmap readImage(const QString& path, const QString& format) {
    QImageReader reader(path, format.toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

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
    // The twin is read only where a screen has the density to show it; elsewhere it would cost
    // four times the pixels to decode and a smooth scaling at every paint.
    const bool denseScreen = qApp && qApp->devicePixelRatio() > 1.0;
    QPixmap pixmap;
    if (denseScreen && QFile::exists(doubleDensity))
        pixmap = readImage(doubleDensity, info.suffix());
    if (!pixmap.isNull())
        pixmap.setDevicePixelRatio(2);
    else
        pixmap = readImage(path, info.suffix());
    if (pixmap.isNull())
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
