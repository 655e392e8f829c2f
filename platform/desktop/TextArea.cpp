#include "platform/desktop/TextArea.h"

#include "platform/core/QtString_p.h"
#include "platform/core/Utf8_p.h"
#include "platform/desktop/Controls_p.h"

#include <QApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace platform {

namespace {

// The document holds the mirror's text with each line end (CR LF, CR or LF) as one block
// separator; a character beyond the Basic Multilingual Plane takes two document positions.
// These walks translate between the two.
struct TextPlace {
    std::int64_t character = 0; // characters of the mirror
    std::int64_t position = 0;  // positions of the document
};

// Walks the text from its start until `reached` holds for the place arrived at (or the text ends).
template <class Reached> TextPlace walkTo(std::string_view text, Reached reached) {
    TextPlace place;
    std::size_t i = 0;
    while (i < text.size() && !reached(place)) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            i += 2;
            place.character += 2;
            place.position += 1;
            continue;
        }
        place.position += byte >= 0xF0 ? 2 : 1;
        ++place.character;
        ++i;
        while (i < text.size() && detail::isUtf8Continuation(text[i]))
            ++i;
    }
    return place;
}

std::int64_t documentPositionOf(std::string_view text, std::int64_t character) {
    return walkTo(text, [character](const TextPlace& p) { return p.character >= character; })
        .position;
}

std::int64_t characterAtDocumentPosition(std::string_view text, std::int64_t target) {
    return walkTo(text, [target](const TextPlace& p) { return p.position >= target; }).character;
}

std::size_t byteOffsetOf(std::string_view text, std::int64_t character) {
    std::size_t i = 0;
    for (std::int64_t counted = 0; i < text.size(); ++i) {
        if (!detail::isUtf8Continuation(text[i])) {
            if (counted == character)
                return i;
            ++counted;
        }
    }
    return text.size();
}

// The toolkit's text control reads the first of the offered formats without asking whether
// there is one, and the X11 clipboard offers data in no format once the program that copied
// has ended: a paste then would crash. Data in no format holds nothing to insert.
class AreaWidget : public QPlainTextEdit {
  protected:
    bool canInsertFromMimeData(const QMimeData* source) const override {
        return source && !source->formats().isEmpty() &&
               QPlainTextEdit::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (source && !source->formats().isEmpty())
            QPlainTextEdit::insertFromMimeData(source);
    }
};

} // namespace

struct TextArea::Impl {
    QPlainTextEdit* edit = nullptr;
    // The exact text. The document shows its first `shownBytes` bytes; the rest was appended
    // since and reaches the document in one insertion when anything needs the document (see
    // flush()), so that a report of a thousand pieces costs one document update, not a thousand.
    // Stale after the user edited the document.
    String mirror;
    std::size_t shownBytes = 0;
    bool stale = false;
    bool flushQueued = false;
    int ownChanges = 0;
    // Filters the widget's events and is the context of the queued flush and of the document's
    // signal, so that neither outlives this.
    std::unique_ptr<QObject> watcher;
    detail::FontDescription font{"Courier", 10};
    bool hideSelection = false;

    // The printer sets its tabs where these are (StyledTextPrinter).
    void applyFont() {
        const QFont made = detail::makeFont(font);
        edit->setFont(made);
        edit->setTabStopDistance(detail::tabStopDistance(made));
    }

    // A hidden selection is drawn in the colours of the text while the area lacks the focus
    // (the text control paints an unfocused selection in the inactive colours).
    void applySelectionColours() {
        QPalette palette = edit->palette();
        const QPalette defaults = QApplication::palette(edit);
        for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
            palette.setBrush(QPalette::Inactive, role, defaults.brush(QPalette::Inactive, role));
        if (hideSelection) {
            palette.setBrush(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
            palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                             palette.brush(QPalette::Inactive, QPalette::Text));
        }
        edit->setPalette(palette);
    }

    // Our own changes of the document: the mirror already holds them, and they are no step of
    // the user's undo history.
    class OwnChange {
      public:
        explicit OwnChange(Impl& impl) : m_impl(impl) {
            ++m_impl.ownChanges;
            m_impl.edit->document()->setUndoRedoEnabled(false);
        }
        ~OwnChange() {
            m_impl.edit->document()->setUndoRedoEnabled(true);
            --m_impl.ownChanges;
        }
        OwnChange(const OwnChange&) = delete;
        OwnChange& operator=(const OwnChange&) = delete;

      private:
        Impl& m_impl;
    };

    // While appended text waits for the document, the insertion point is at the end of the
    // text and nothing is selected.
    bool pending() const { return shownBytes < mirror.byteSize(); }

    // Brings the document up to the mirror: the text appended since the last update goes in as
    // one insertion, and the insertion point to its end, scrolled into view.
    void flush() {
        if (!pending())
            return;
        const std::string_view tail = mirror.view().substr(shownBytes);
        QString text = QString::fromUtf8(tail.data(), static_cast<qsizetype>(tail.size()));
        // CR then LF is one line end, also when the two arrive in different updates.
        if (shownBytes > 0 && mirror.view()[shownBytes - 1] == '\r' &&
            text.startsWith(QLatin1Char('\n')))
            text.remove(0, 1);
        // Marked shown first: events that the insertion sends find nothing left to do.
        shownBytes = mirror.byteSize();
        OwnChange change(*this);
        QTextCursor cursor(edit->document());
        cursor.movePosition(QTextCursor::End);
        cursor.beginEditBlock();
        cursor.insertText(text);
        cursor.endEditBlock();
        edit->setTextCursor(cursor);
    }

    // Appended text reaches the document once control returns to the event loop, at the
    // latest; one queued flush serves every append made until then.
    void appended() {
        if (!pending() || flushQueued)
            return;
        flushQueued = true;
        QTimer::singleShot(0, watcher.get(), [this] {
            flushQueued = false;
            flush();
        });
    }

    std::int64_t documentEnd() const { return edit->document()->characterCount() - 1; }

    // Makes the mirror and the document agree, so that positions may be translated: the
    // document gets what was appended, the mirror what the user edited.
    void synchronise() {
        flush();
        if (!stale)
            return;
        QString raw = edit->document()->toRawText();
        raw.replace(QChar::ParagraphSeparator, QLatin1Char('\r'));
        mirror = detail::fromQt(raw);
        shownBytes = mirror.byteSize();
        stale = false;
    }

    // The mirror after a user edit; appended text stays pending.
    void refreshMirror() {
        if (stale)
            synchronise();
    }

    std::int64_t positionOf(std::int64_t character) const {
        if (character >= mirror.length())
            return documentEnd();
        return documentPositionOf(mirror.view(), character);
    }

    std::int64_t characterAt(std::int64_t position) const {
        if (position >= documentEnd())
            return mirror.length();
        return characterAtDocumentPosition(mirror.view(), position);
    }

    // The document made afresh from the mirror; nothing is left pending.
    void replaceDocument() {
        shownBytes = mirror.byteSize();
        OwnChange change(*this);
        edit->setPlainText(detail::toQt(mirror));
    }
};

namespace {

// Every event of the widget or its viewport (painting, showing, resizing, keys, the mouse,
// input methods) is preceded by the document's update, so that neither the user nor the
// toolkit ever sees a document that lacks appended text.
class DocumentWatcher : public QObject {
  public:
    explicit DocumentWatcher(std::function<void()> flush) : m_flush(std::move(flush)) {}

  protected:
    bool eventFilter(QObject*, QEvent*) override {
        m_flush();
        return false;
    }

  private:
    std::function<void()> m_flush;
};

} // namespace

TextArea::TextArea() : m_impl(std::make_unique<Impl>()) {}

TextArea::~TextArea() {
    // The widget goes after this; the watcher's end removes its filter and its connections.
    m_impl->watcher.reset();
}

void TextArea::CreateWidget() {
    auto* edit = new AreaWidget();
    m_impl->edit = edit;
    m_impl->applyFont();
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setTabChangesFocus(true);
    Impl* impl = m_impl.get();
    impl->watcher = std::make_unique<DocumentWatcher>([impl] { impl->flush(); });
    edit->installEventFilter(impl->watcher.get());
    edit->viewport()->installEventFilter(impl->watcher.get());
    QObject::connect(edit->document(), &QTextDocument::contentsChange, impl->watcher.get(),
                     [impl](int, int removed, int added) {
                         if (impl->ownChanges == 0 && (removed != 0 || added != 0))
                             impl->stale = true;
                     });
    detail::ControlAccess::setWidget(*this, edit);
}

static QPlainTextEdit& editOf(const TextArea& area) {
    return static_cast<QPlainTextEdit&>(detail::ControlAccess::widget(area));
}

String TextArea::Text() const {
    editOf(*this);
    m_impl->refreshMirror();
    return m_impl->mirror;
}

void TextArea::SetText(const String& text) {
    editOf(*this);
    Impl& impl = *m_impl;
    impl.refreshMirror();
    if (impl.mirror.isPrefixSharedWith(text)) {
        // The document holds a prefix of the new text; the rest is an append.
        const bool extended = text.byteSize() > impl.mirror.byteSize();
        impl.mirror = text;
        if (extended)
            impl.appended();
        return;
    }
    impl.mirror = text;
    impl.replaceDocument();
}

std::int64_t TextArea::SelStart() const {
    QPlainTextEdit& edit = editOf(*this);
    Impl& impl = *m_impl;
    impl.refreshMirror();
    if (impl.pending())
        return impl.mirror.length();
    return impl.characterAt(edit.textCursor().selectionStart());
}

void TextArea::SetSelStart(std::int64_t position) {
    QPlainTextEdit& edit = editOf(*this);
    Impl& impl = *m_impl;
    impl.refreshMirror();
    if (impl.pending() && position >= impl.mirror.length())
        return; // the insertion point is already there
    impl.synchronise();
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(static_cast<int>(impl.positionOf(std::max<std::int64_t>(0, position))));
    edit.setTextCursor(cursor);
}

std::int64_t TextArea::SelLength() const {
    QPlainTextEdit& edit = editOf(*this);
    Impl& impl = *m_impl;
    impl.refreshMirror();
    if (impl.pending())
        return 0;
    const QTextCursor cursor = edit.textCursor();
    return impl.characterAt(cursor.selectionEnd()) - impl.characterAt(cursor.selectionStart());
}

void TextArea::SetSelLength(std::int64_t length) {
    QPlainTextEdit& edit = editOf(*this);
    Impl& impl = *m_impl;
    impl.refreshMirror();
    if (impl.pending() && length <= 0)
        return; // at the end of the text nothing can be selected anyway
    impl.synchronise();
    QTextCursor cursor = edit.textCursor();
    const std::int64_t start = impl.characterAt(cursor.selectionStart());
    cursor.setPosition(static_cast<int>(impl.positionOf(start)));
    cursor.setPosition(static_cast<int>(impl.positionOf(start + std::max<std::int64_t>(0, length))),
                       QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

String TextArea::SelText() const {
    QPlainTextEdit& edit = editOf(*this);
    Impl& impl = *m_impl;
    impl.refreshMirror();
    if (impl.pending())
        return String();
    const QTextCursor cursor = edit.textCursor();
    const std::string_view text = impl.mirror.view();
    const std::size_t from = byteOffsetOf(text, impl.characterAt(cursor.selectionStart()));
    const std::size_t to = byteOffsetOf(text, impl.characterAt(cursor.selectionEnd()));
    return String(text.substr(from, to - from));
}

void TextArea::SetSelText(const String& text) {
    QPlainTextEdit& edit = editOf(*this);
    Impl& impl = *m_impl;
    impl.refreshMirror();
    bool atEnd = impl.pending();
    if (!atEnd) {
        const QTextCursor cursor = edit.textCursor();
        const std::int64_t end = impl.documentEnd();
        atEnd = cursor.selectionStart() == end && cursor.selectionEnd() == end;
    }
    if (atEnd) {
        impl.mirror += text;
        impl.appended();
        return;
    }
    // Inside the text a line end may join or split with its neighbour, so the document is
    // made afresh from the mirror.
    const QTextCursor cursor = edit.textCursor();
    const std::string_view old = impl.mirror.view();
    const std::int64_t first = impl.characterAt(cursor.selectionStart());
    const std::size_t from = byteOffsetOf(old, first);
    const std::size_t to = byteOffsetOf(old, impl.characterAt(cursor.selectionEnd()));
    std::string spliced;
    spliced.reserve(old.size() - (to - from) + text.byteSize());
    spliced.append(old.substr(0, from)).append(text.view()).append(old.substr(to));
    impl.mirror = String(std::move(spliced));
    impl.replaceDocument();
    QTextCursor after = edit.textCursor();
    after.setPosition(static_cast<int>(impl.positionOf(first + text.length())));
    edit.setTextCursor(after);
}

bool TextArea::ReadOnly() const {
    return editOf(*this).isReadOnly();
}

void TextArea::SetReadOnly(bool readOnly) {
    editOf(*this).setReadOnly(readOnly);
}

void TextArea::ApplyProperty(const LayoutProperty& property) {
    using namespace detail;
    // Carried by the layout data, without effect here: the text holds no styles, spacing or
    // masks of its own, and the desktop draws the frame and the focus itself.
    static constexpr std::string_view kWithoutEffect[] = {
        "AllowStyledText",   "TextAlignment", "MaximumCharactersAllowed",
        "LineHeight",        "LineSpacing",   "Format",
        "ValidationMask",    "DataSource",    "DataField",
        "Multiline",         "Transparent",   "AllowFocusRing",
        "AllowSpellChecking"};
    const std::string& key = property.key;
    QPlainTextEdit& edit = editOf(*this);
    Impl& impl = *m_impl;
    if (impl.font.apply(property))
        impl.applyFont();
    else if (key == "Value") {
        // A text laid out with the area is read from its start.
        SetText(String(textValue(property)));
        SetSelStart(0);
    } else if (key == "ReadOnly")
        SetReadOnly(flagValue(property));
    else if (key == "HasBorder")
        edit.setFrameShape(flagValue(property) ? QFrame::StyledPanel : QFrame::NoFrame);
    else if (key == "HasHorizontalScrollbar") {
        const bool scrolls = flagValue(property);
        edit.setLineWrapMode(scrolls ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        edit.setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (key == "HasVerticalScrollbar")
        edit.setVerticalScrollBarPolicy(flagValue(property) ? Qt::ScrollBarAsNeeded
                                                            : Qt::ScrollBarAlwaysOff);
    else if (key == "AllowTabs")
        edit.setTabChangesFocus(!flagValue(property));
    else if (key == "TextColor") {
        setTextColour(edit, colourValue(property));
        impl.applySelectionColours();
    } else if (key == "BackgroundColor")
        setBackgroundColour(edit, colourValue(property));
    else if (key == "HideSelection") {
        impl.hideSelection = flagValue(property);
        impl.applySelectionColours();
    } else if (!isAmong(key, kWithoutEffect))
        RectControl::ApplyProperty(property);
}

std::unique_ptr<StyledTextPrinter> TextArea::styledTextPrinter(Graphics& g,
                                                               std::int64_t width) const {
    return StyledTextPrinter::layOut(g, width, m_impl->font, Text());
}

} // namespace platform
