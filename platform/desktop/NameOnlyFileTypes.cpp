#include "platform/desktop/NameOnlyFileTypes_p.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIcon>
#include <QMimeDatabase>
#include <QStyle>
#include <QWidget>

namespace platform::detail {

namespace {

// Only the name and what the listing already knew from the file system (folder, file, link)
// are looked at; no entry is ever opened. The icons are the widget style's, as in the toolkit's
// own provider, or the icon theme's where it has one for the type the name gives; the texts are
// the toolkit's own, in its own context, so that its translations apply.
class NameOnlyFileIcons : public QAbstractFileIconProvider {
  public:
    QIcon icon(IconType type) const override {
        switch (type) {
        case Computer:
            return standard(QStyle::SP_ComputerIcon);
        case Desktop:
            return standard(QStyle::SP_DesktopIcon);
        case Trashcan:
            return standard(QStyle::SP_TrashIcon);
        case Network:
            return standard(QStyle::SP_DriveNetIcon);
        case Drive:
            return standard(QStyle::SP_DriveHDIcon);
        case Folder:
            return standard(QStyle::SP_DirIcon);
        case File:
            return standard(QStyle::SP_FileIcon);
        }
        return standard(QStyle::SP_FileIcon);
    }

    QIcon icon(const QFileInfo& info) const override {
        if (info.isRoot())
            return icon(Drive);
        if (info.isDir()) {
            if (info.isSymLink())
                return standard(QStyle::SP_DirLinkIcon);
            if (info.absoluteFilePath() == QDir::homePath())
                return standard(QStyle::SP_DirHomeIcon);
            return themed(QStringLiteral("folder"), QStyle::SP_DirIcon);
        }
        if (info.isFile()) {
            if (info.isSymLink())
                return standard(QStyle::SP_FileLinkIcon);
            const QMimeType type = typeByName(info);
            return type.isValid() ? themed(type.iconName(), QStyle::SP_FileIcon)
                                  : standard(QStyle::SP_FileIcon);
        }
        return QIcon();
    }

    QString type(const QFileInfo& info) const override {
        if (info.isRoot())
            return text("Drive");
        if (info.isFile()) {
            const QMimeType type = typeByName(info);
            if (type.isValid())
                return type.comment().isEmpty() ? type.name() : type.comment();
            return text("File");
        }
        if (info.isDir())
            return text("Folder");
        if (info.isSymLink())
            return text("Shortcut");
        return text("Unknown");
    }

  private:
    // The type that the name's pattern gives; invalid when no pattern matches.
    static QMimeType typeByName(const QFileInfo& info) {
        const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(info.fileName());
        return types.isEmpty() ? QMimeType() : types.first();
    }
    static QIcon standard(QStyle::StandardPixmap pixmap) {
        return QApplication::style()->standardIcon(pixmap);
    }
    static QIcon themed(const QString& name, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(name, standard(fallback));
    }
    static QString text(const char* source) {
        return QCoreApplication::translate("QAbstractFileIconProvider", source);
    }
};

NameOnlyFileIcons& nameOnlyFileIcons() {
    static NameOnlyFileIcons icons;
    return icons;
}

class ListingByNameOnWindowShow : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A dialog lists its folder only once its event loop runs, after the show.
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow())
                listFilesByNameOnly(*widget);
        }
        return false;
    }
};

} // namespace

void listFilesByNameOnly(QWidget& window) {
    QAbstractFileIconProvider* icons = &nameOnlyFileIcons();
    // A file dialog's own setter also renews the icons of its side bar.
    QList<QFileDialog*> dialogs = window.findChildren<QFileDialog*>();
    if (auto* dialog = qobject_cast<QFileDialog*>(&window))
        dialogs.append(dialog);
    for (QFileDialog* dialog : dialogs)
        if (dialog->iconProvider() != icons)
            dialog->setIconProvider(icons);
    for (QFileSystemModel* model : window.findChildren<QFileSystemModel*>())
        if (model->iconProvider() != icons)
            model->setIconProvider(icons);
}

void listFilesByNameOnlyInEveryWindow(QApplication& toolkit) {
    toolkit.installEventFilter(new ListingByNameOnWindowShow(&toolkit));
}

} // namespace platform::detail
