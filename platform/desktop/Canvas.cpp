#include "platform/desktop/Canvas.h"

#include "platform/desktop/Application.h"
#include "platform/desktop/Controls_p.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace platform {

struct Canvas::Impl {
    Picture backdrop;
    bool allowFocus = false;
};

namespace {
class CanvasWidget : public QWidget {
  public:
    CanvasWidget(Canvas& owner, const Picture& backdrop) : m_owner(owner), m_backdrop(backdrop) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        const QPixmap* pixmap = detail::pixmapOf(m_backdrop);
        if (!pixmap || pixmap->isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSizeF fitted =
            pixmap->deviceIndependentSize().scaled(QSizeF(size()), Qt::KeepAspectRatio);
        const QRectF target(
            QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
        painter.drawPixmap(target, *pixmap, QRectF(pixmap->rect()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (!m_owner.MouseDown.IsBound())
            return event->ignore();
        const QPoint at = event->position().toPoint();
        Canvas& canvas = m_owner;
        Guarded([&canvas, at] { return canvas.MouseDown.Raise(canvas, at.x(), at.y()); });
        event->accept();
    }
    void leaveEvent(QEvent*) override {
        Canvas& canvas = m_owner;
        Guarded([&canvas] { canvas.MouseExit.Raise(canvas); });
    }

  private:
    Canvas& m_owner;
    const Picture& m_backdrop;
};
} // namespace

Canvas::Canvas() : m_impl(std::make_unique<Impl>()) {}
Canvas::~Canvas() = default;

void Canvas::CreateWidget() {
    detail::ControlAccess::setWidget(*this, new CanvasWidget(*this, m_impl->backdrop));
}

bool Canvas::CanTakeFocus() const {
    return m_impl->allowFocus;
}

const Picture& Canvas::Backdrop() const {
    return m_impl->backdrop;
}

void Canvas::SetBackdrop(const Picture& picture) {
    QWidget& widget = detail::ControlAccess::widget(*this);
    m_impl->backdrop = picture;
    widget.update();
}

void Canvas::ApplyProperty(const LayoutProperty& property) {
    using namespace detail;
    // The backdrop is drawn with its transparency, through the desktop's own buffering.
    static constexpr std::string_view kWithoutEffect[] = {"AllowFocusRing", "AllowTabs",
                                                          "Transparent", "DoubleBuffer"};
    const std::string& key = property.key;
    if (key == "AllowFocus") {
        m_impl->allowFocus = flagValue(property);
        updateFocusPolicy();
    } else if (!isAmong(key, kWithoutEffect))
        RectControl::ApplyProperty(property);
}

} // namespace platform
