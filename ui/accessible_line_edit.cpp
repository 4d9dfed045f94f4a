#include "ui/accessible_line_edit.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

namespace {

// What a line edit tells through the text interfaces, read from its public
// state; the edit itself reports its changes (inserted, removed text, the
// cursor), as every QLineEdit does.
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !Edit()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Edit()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        st.readOnly = Edit()->isReadOnly();
        st.editable = !st.readOnly;
        st.selectableText = true;
        return st;
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !Edit()->hasSelectedText())
            return;
        *startOffset = Edit()->selectionStart();
        *endOffset = *startOffset + static_cast<int>(Edit()->selectedText().size());
    }
    int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            Edit()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            Edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        return Edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Edit()->text().size()); }
    QRect characterRect(int offset) const override
    {
        // The text stands at the left of the edit's contents, past the
        // margin QLineEdit keeps; the names are short enough never to scroll.
        const QLineEdit* edit = Edit();
        const QFontMetrics metrics(edit->font());
        const QRect contents = edit->contentsRect().marginsRemoved(edit->textMargins());
        const QString shown = edit->text();
        const int left = contents.left() + kTextMargin + metrics.horizontalAdvance(shown.left(offset));
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
        return QRect(edit->mapToGlobal(QPoint(left, contents.top())), QSize(width, contents.height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int endIndex) override { Edit()->setCursorPosition(endIndex); }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (Edit()->isReadOnly())
            return;
        Edit()->setText(Edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    static constexpr int kTextMargin = 2;
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }
};

}  // namespace

QAccessibleInterface* MakeLineEditAccessible(QLineEdit* edit)
{
    return new LineEditAccessible(edit);
}
