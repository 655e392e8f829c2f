#pragma once

// Shared by the platform's own sources; not for the application's code.

#include "platform/core/String.h"
#include "platform/desktop/LayoutData.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QFont;
class QPixmap;
class QWidget;

namespace platform {

class Picture;
class RectControl;
class Window;

namespace detail {

struct ControlAccess {
    // The control's widget; NilObjectException before its Constructor ran.
    static QWidget& widget(const RectControl& control);
    static void setWidget(RectControl& control, QWidget* widget);
};

struct WindowAccess {
    static QWidget& content(const Window& window);
    static QWidget& top(const Window& window);
    // The handler the window registered for that menu item, nullptr when none.
    static const std::function<bool()>* menuHandler(const Window& window, const String& itemName);
    static void enableMenuItems(Window& window);
    // Draws the application's menu bar in a document window; dialogs carry none.
    static void showMenuBar(Window& window);
    // Names of the registered controls, in registration order.
    static std::vector<String> controlNames(const Window& window);
    // A token that lives exactly as long as the window; weak references watch it.
    static std::weak_ptr<void> aliveToken(const Window& window);
};

const QPixmap* pixmapOf(const Picture& picture);
// How many times Picture::_OpenFromApp has been asked to read a file.
std::int64_t pictureLoadCount();

// Layout values in the form that the key fixes; a value of another form is a
// LayoutDataException.
std::int64_t integerValue(const LayoutProperty& property);
bool flagValue(const LayoutProperty& property);
std::uint8_t byteValue(const LayoutProperty& property);
std::uint32_t colourValue(const LayoutProperty& property);
// Any numeric form, as a double.
double sizeValue(const LayoutProperty& property);
const std::string& textValue(const LayoutProperty& property);

// Whether `key` is one of `keys`: each control class lists the layout keys that it carries but
// that have no effect on this desktop in one table of this kind.
bool isAmong(std::string_view key, std::span<const std::string_view> keys);

// The font keys of layout data. Sizes are in points, and a point is a logical pixel.
struct FontDescription {
    std::string name = "System";
    double size = 0; // 0: the family's default size
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // True when the key was a font key (it is then applied to this description).
    bool apply(const LayoutProperty& property);
};
QFont makeFont(const FontDescription& description);
// A fixed-pitch family that is installed, preferring Courier.
QFont fixedPitchFont();
// The distance between the tab stops of a text in `font`, on the screen and on paper alike:
// eight character cells of a fixed-pitch font, so that tabbed columns line up with blanks.
double tabStopDistance(const QFont& font);

// Raises ThreadAccessingUIException off the main thread; `what` names what was to be built.
void requireMainThread(const char* what);

void applyTextAlignment(QWidget& widget, std::int64_t alignment, bool multiLine);
void setTextColour(QWidget& widget, std::uint32_t rgb);
void setBackgroundColour(QWidget& widget, std::uint32_t rgb);

} // namespace detail
} // namespace platform
