#include "platform/testing/Drivers.h"

#include "platform/core/Errors.h"
#include "platform/core/QtString_p.h"
#include "platform/desktop/Canvas.h"
#include "platform/desktop/Controls_p.h"
#include "platform/desktop/PushButton.h"
#include "platform/desktop/RectControl.h"
#include "platform/desktop/TextArea.h"
#include "platform/desktop/Window.h"
#include "platform/desktop/Windows_p.h"
#include "platform/testing/DesktopInput.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <QWidget>
#include <QWindow>
#include <stdexcept>

namespace platform::testing {

namespace {

QWidget& widgetOf(RectControl& control) {
    return detail::ControlAccess::widget(control);
}

void sendKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&widget, &release);
}

} // namespace

void Click(PushButton& button) {
    static_cast<QAbstractButton&>(widgetOf(button)).click();
}

void TypeKey(RectControl& control, const String& text) {
    QWidget& widget = widgetOf(control);
    const QString characters = detail::toQt(text);
    for (qsizetype i = 0; i < characters.size(); ++i) {
        QString one = characters.mid(i, characters[i].isHighSurrogate() ? 2 : 1);
        i += one.size() - 1;
        const char16_t unit = one[0].toUpper().unicode();
        const int key = unit < 0x80 ? static_cast<int>(unit) : Qt::Key_unknown;
        sendKey(widget, key, Qt::NoModifier, one);
    }
}

void PressKey(RectControl& control, Key key) {
    QWidget& widget = widgetOf(control);
    switch (key) {
    case Key::Tab:
        return sendKey(widget, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    case Key::Backspace:
        return sendKey(widget, Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    case Key::Delete:
        return sendKey(widget, Qt::Key_Delete, Qt::NoModifier, QString(QChar(127)));
    case Key::Left:
        return sendKey(widget, Qt::Key_Left, Qt::NoModifier, QString());
    case Key::Right:
        return sendKey(widget, Qt::Key_Right, Qt::NoModifier, QString());
    case Key::Home:
        return sendKey(widget, Qt::Key_Home, Qt::NoModifier, QString());
    case Key::End:
        return sendKey(widget, Qt::Key_End, Qt::NoModifier, QString());
    case Key::Return:
        return sendKey(widget, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    case Key::CtrlC:
        return sendKey(widget, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
    case Key::CtrlV:
        return sendKey(widget, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    case Key::CtrlX:
        return sendKey(widget, Qt::Key_X, Qt::ControlModifier, QString(QChar(24)));
    case Key::CtrlZ:
        return sendKey(widget, Qt::Key_Z, Qt::ControlModifier, QString(QChar(26)));
    }
}

void MouseDown(Canvas& canvas, std::int64_t x, std::int64_t y) {
    QWidget& widget = widgetOf(canvas);
    const QPointF at(static_cast<double>(x), static_cast<double>(y));
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

void MouseExit(Canvas& canvas) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widgetOf(canvas), &leave);
}

String FocusedControlName(Window& window) {
    QWidget* focused = detail::WindowAccess::top(window).focusWidget();
    if (!focused)
        return String();
    return detail::fromQt(focused->property("quorvaneControlName").toString());
}

void PutOnClipboard(const String& text) {
    QGuiApplication::clipboard()->setText(detail::toQt(text));
}

void EmptyClipboard() {
    QGuiApplication::clipboard()->clear();
}

void EmptyClipboardOfAProgramGone() {
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
}

String ClipboardText() {
    return detail::fromQt(QGuiApplication::clipboard()->text());
}

void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    LetHeldInputThrough();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

String DocumentText(TextArea& area) {
    QString raw = static_cast<QPlainTextEdit&>(widgetOf(area)).document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\r'));
    return detail::fromQt(raw);
}

std::vector<double> ScreenColumns(TextArea& area, int line) {
    auto& edit = static_cast<QPlainTextEdit&>(widgetOf(area));
    const QTextBlock block = edit.document()->findBlockByNumber(line);
    if (!block.isValid())
        return {};
    // Asking for its place lays the block out, on screen or not.
    edit.document()->documentLayout()->blockBoundingRect(block);
    const QTextLayout& layout = *block.layout();
    const double cell = QFontMetricsF(edit.font()).horizontalAdvance(QLatin1Char(' '));
    std::vector<double> columns;
    for (int i = 0; i + 1 < block.length(); ++i) {
        const QTextLine screenLine = layout.lineForTextPosition(i);
        columns.push_back((screenLine.cursorToX(i) - screenLine.cursorToX(screenLine.textStart())) /
                          cell);
    }
    return columns;
}

void CloseWindow(Window& window) {
    detail::WindowAccess::top(window).close();
}

bool DrawsSelection(TextArea& area) {
    QWidget& widget = widgetOf(area);
    const QImage image = widget.grab().toImage();
    const QRgb selection = widget.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (selection & 0xFFFFFF))
                return true;
    return false;
}

bool IsFixedPitch(RectControl& control) {
    return QFontInfo(widgetOf(control).font()).fixedPitch();
}

std::string FontFamily(RectControl& control) {
    return QFontInfo(widgetOf(control).font()).family().toStdString();
}

FontRequest RequestedFont(RectControl& control) {
    const QFont font = widgetOf(control).font();
    FontStyleHint hint = FontStyleHint::Other;
    switch (font.styleHint()) {
    case QFont::AnyStyle:
        hint = FontStyleHint::Any;
        break;
    case QFont::Serif:
        hint = FontStyleHint::Serif;
        break;
    case QFont::SansSerif:
        hint = FontStyleHint::SansSerif;
        break;
    case QFont::TypeWriter:
        hint = FontStyleHint::TypeWriter;
        break;
    case QFont::Monospace:
        hint = FontStyleHint::Monospace;
        break;
    default:
        break;
    }
    return {font.family().toStdString(), hint, static_cast<double>(font.pixelSize())};
}

double WrapWidth(TextArea& area) {
    auto& edit = static_cast<QPlainTextEdit&>(widgetOf(area));
    // Every line of the area is laid out to the same width: laying out the first block
    // tells it.
    const QTextBlock first = edit.document()->firstBlock();
    edit.document()->documentLayout()->blockBoundingRect(first);
    const QTextLayout* layout = first.layout();
    if (!layout || layout->lineCount() == 0)
        throw std::logic_error("The area has laid out no line.");
    return layout->lineAt(0).width();
}

double TextWidth(TextArea& area, const String& line) {
    auto& edit = static_cast<QPlainTextEdit&>(widgetOf(area));
    const QTextDocument& document = *edit.document();
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    QTextLayout layout(detail::toQt(line), document.defaultFont());
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine laidOut = layout.createLine();
    laidOut.setNumColumns(static_cast<int>(layout.text().size()));
    layout.endLayout();
    return laidOut.naturalTextWidth();
}

bool IsResizable(Window& window) {
    const QWidget& top = detail::WindowAccess::top(window);
    return top.minimumSize() != top.maximumSize();
}

bool HasMinimizeButton(Window& window) {
    return detail::WindowAccess::top(window).windowFlags().testFlag(Qt::WindowMinimizeButtonHint);
}

bool HasMaximizeButton(Window& window) {
    return detail::WindowAccess::top(window).windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
}

bool HasCloseButton(Window& window) {
    return detail::WindowAccess::top(window).windowFlags().testFlag(Qt::WindowCloseButtonHint);
}

String Tooltip(RectControl& control) {
    return control.Tooltip();
}

std::vector<String> TabOrder(Window& window) {
    std::vector<String> names;
    QWidget& content = detail::WindowAccess::content(window);
    QWidget* start = &content;
    for (QWidget* widget = start->nextInFocusChain(); widget && widget != start;
         widget = widget->nextInFocusChain()) {
        if (!content.isAncestorOf(widget) || !(widget->focusPolicy() & Qt::TabFocus))
            continue;
        const QString name = widget->property("quorvaneControlName").toString();
        if (!name.isEmpty())
            names.push_back(detail::fromQt(name));
    }
    return names;
}

bool IsInside(RectControl& control, RectControl& container) {
    return widgetOf(container).isAncestorOf(&widgetOf(control));
}

WidgetGeometry GeometryOf(RectControl& control) {
    QWidget& widget = widgetOf(control);
    Window* window = control.OwnerWindow();
    if (!window)
        throw NilObjectException("The control \"" + control.Name().str() + "\" has no window.");
    QWidget& content = detail::WindowAccess::content(*window);
    const QPoint at = widget.mapTo(&content, QPoint(0, 0));
    return {at.x(), at.y(), widget.width(), widget.height(), widget.isVisibleTo(&content)};
}

std::vector<String> ControlNames(Window& window) {
    return detail::WindowAccess::controlNames(window);
}

bool TakesFocus(RectControl& control) {
    return widgetOf(control).focusPolicy() != Qt::NoFocus;
}

bool IsActive(Window& window) {
    return QApplication::activeWindow() == &detail::WindowAccess::top(window);
}

bool ADesktopDialogIsActive() {
    return qobject_cast<QDialog*>(QApplication::activeWindow()) != nullptr;
}

void DestroyWindowFromOutside(Window& window) {
    // X11 events come in 32 bytes, whatever their kind.
    union {
        detail::X11DestroyNotify destroyed;
        unsigned char bytes[32];
    } event{};
    event.destroyed.responseType = detail::kX11DestroyNotify;
    const auto id = static_cast<std::uint32_t>(detail::WindowAccess::top(window).internalWinId());
    event.destroyed.event = id;
    event.destroyed.window = id;
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent(detail::kX11EventType, &event, &result);
}

struct OtherProgramWindow::Impl {
    QWidget window;
};

OtherProgramWindow::OtherProgramWindow() : m_impl(std::make_unique<Impl>()) {
    m_impl->window.resize(200, 100);
    m_impl->window.show();
}

OtherProgramWindow::~OtherProgramWindow() = default;

void OtherProgramWindow::Activate() {
    m_impl->window.activateWindow();
}

namespace {

QMenuBar* drawnBar(Window& window) {
    return qobject_cast<QMenuBar*>(
        static_cast<QMainWindow&>(detail::WindowAccess::top(window)).menuWidget());
}

// What the desktop does as a menu is about to be shown.
QMenu& opened(QMenu& menu) {
    emit menu.aboutToShow();
    return menu;
}

} // namespace

std::vector<DrawnMenu> DrawnMenuBar(Window& window) {
    std::vector<DrawnMenu> menus;
    QMenuBar* bar = drawnBar(window);
    if (!bar)
        return menus;
    for (QAction* entry : bar->actions()) {
        DrawnMenu menu{entry->text().toStdString(), {}};
        if (QMenu* items = entry->menu())
            for (QAction* action : opened(*items).actions())
                menu.items.push_back(
                    {action->isSeparator() ? "-" : action->text().toStdString(),
                     action->shortcut().toString(QKeySequence::PortableText).toStdString(),
                     action->isEnabled()});
        menus.push_back(std::move(menu));
    }
    return menus;
}

bool ChooseDrawnItem(Window& window, const std::string& menu, const std::string& item) {
    QMenuBar* bar = drawnBar(window);
    if (!bar)
        return false;
    for (QAction* entry : bar->actions()) {
        if (entry->text().toStdString() != menu || !entry->menu())
            continue;
        for (QAction* action : opened(*entry->menu()).actions())
            if (!action->isSeparator() && action->text().toStdString() == item) {
                if (action->isEnabled())
                    action->trigger();
                return true;
            }
    }
    return false;
}

bool IsDialogWindow(Window& window) {
    return detail::WindowAccess::top(window).windowType() == Qt::Dialog;
}

std::uint32_t BackgroundColour(Window& window) {
    const QWidget& content = detail::WindowAccess::content(window);
    if (!content.autoFillBackground())
        return 0;
    return content.palette().color(QPalette::Window).rgb() & 0xFFFFFF;
}

} // namespace platform::testing
