#include "platform/desktop/Controls_p.h"
#include "platform/desktop/FocusedText_p.h"
#include "platform/desktop/Window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <array>
#include <functional>

namespace platform::detail {

namespace {

// Only the type of the data on offer is asked for: reading the text itself may mean a transfer
// from another program each time a menu opens or a shortcut key is pressed.
bool clipboardOffersText() {
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    return offered && offered->hasText();
}

struct EditItem {
    const char* name;
    // Copy leaves the text as it is, and so serves a read-only control too.
    bool changesText;
    std::function<void(QLineEdit&)> field;
    std::function<void(QPlainTextEdit&)> area;
    std::function<bool(const QLineEdit&)> fieldCanDo;
    std::function<bool(const QPlainTextEdit&)> areaCanDo;
};

bool fieldHasSelection(const QLineEdit& field) {
    return field.hasSelectedText();
}
bool areaHasSelection(const QPlainTextEdit& area) {
    return area.textCursor().hasSelection();
}

const std::array<EditItem, 5>& editItems() {
    static const std::array<EditItem, 5> items{{
        {"EditUndo", true, &QLineEdit::undo, &QPlainTextEdit::undo, &QLineEdit::isUndoAvailable,
         [](const QPlainTextEdit& area) { return area.document()->isUndoAvailable(); }},
        {"EditCut", true, &QLineEdit::cut, &QPlainTextEdit::cut, fieldHasSelection,
         areaHasSelection},
        {"EditCopy", false, &QLineEdit::copy, &QPlainTextEdit::copy, fieldHasSelection,
         areaHasSelection},
        {"EditPaste", true, &QLineEdit::paste, &QPlainTextEdit::paste,
         [](const QLineEdit&) { return clipboardOffersText(); },
         [](const QPlainTextEdit&) { return clipboardOffersText(); }},
        {"EditClear", true, [](QLineEdit& field) { field.del(); },
         [](QPlainTextEdit& area) { area.textCursor().removeSelectedText(); }, fieldHasSelection,
         areaHasSelection},
    }};
    return items;
}

const EditItem* editItem(const String& itemName) {
    for (const EditItem& item : editItems())
        if (itemName == String(item.name))
            return &item;
    return nullptr;
}

// The control that holds the focus in the window in front, whose bar is used.
QWidget* focusedInFront() {
    Window* front = FrontmostWindow();
    return front ? WindowAccess::top(*front).focusWidget() : nullptr;
}

// The focused field or area when it serves the item at all; at most one of the two is set.
struct Served {
    QLineEdit* field = nullptr;
    QPlainTextEdit* area = nullptr;
};

Served servedBy(const EditItem& item) {
    QWidget* focused = focusedInFront();
    if (auto* field = qobject_cast<QLineEdit*>(focused);
        field && (!item.changesText || !field->isReadOnly()))
        return {field, nullptr};
    if (auto* area = qobject_cast<QPlainTextEdit*>(focused);
        area && (!item.changesText || !area->isReadOnly()))
        return {nullptr, area};
    return {};
}

} // namespace

bool actOnFocusedText(const String& itemName) {
    const EditItem* item = editItem(itemName);
    if (!item)
        return false;
    const Served served = servedBy(*item);
    if (served.field)
        item->field(*served.field);
    else if (served.area)
        item->area(*served.area);
    return served.field || served.area;
}

bool focusedTextCanDo(const String& itemName) {
    const EditItem* item = editItem(itemName);
    if (!item)
        return false;
    const Served served = servedBy(*item);
    if (served.field)
        return item->fieldCanDo(*served.field);
    return served.area && item->areaCanDo(*served.area);
}

} // namespace platform::detail
