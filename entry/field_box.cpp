#include "entry/field_box.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QTextCursor>

#include "shell/windowing/storable_text.h"

FieldBox::FieldBox(const BoxDef& def, QWidget* parent) : QLineEdit(parent), def_(def) {
    setObjectName(def.control);
    setMaxLength(def.maxLength);
    setAlignment(Qt::AlignCenter);
    storable::guard(this);
}

void FieldBox::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    emit GotFocus();
    keepSelection_ = e->reason() == Qt::MouseFocusReason && hasFocus() && hasSelectedText();
}

void FieldBox::mousePressEvent(QMouseEvent* e) {
    if (keepSelection_) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void FieldBox::mouseMoveEvent(QMouseEvent* e) {
    if (keepSelection_) {
        e->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(e);
}

void FieldBox::mouseReleaseEvent(QMouseEvent* e) {
    if (keepSelection_) {
        keepSelection_ = false;
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

NotesBox::NotesBox(int maxLength, QWidget* parent) : QTextEdit(parent), max_(maxLength) {
    setObjectName(QStringLiteral("TxtNotas"));
    setAcceptRichText(false);
    setTabChangesFocus(true);
    connect(this, &QTextEdit::textChanged, this, &NotesBox::enforce);
}

QString NotesBox::text() const {
    QString t = document()->toRawText();
    t.remove(QChar(0xFDD0));  // frame markers of the document
    t.remove(QChar(0xFDD1));
    for (QChar& c : t)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    return t;
}

void NotesBox::setText(const QString& t) {
    if (t == text()) return;
    setPlainText(t.size() > max_ ? t.left(max_) : t);
}

void NotesBox::enforce() {
    if (enforcing_) return;
    const QString t = text();
    if (const QString c = storable::clean(t); c != t) {
        enforcing_ = true;
        const int at = textCursor().position() - int(t.size() - c.size());
        setPlainText(c);
        QTextCursor cursor = textCursor();
        cursor.setPosition(qBound(0, at, int(c.size())));
        setTextCursor(cursor);
        enforcing_ = false;
    }
    const int length = document()->characterCount() - 1;
    if (length > max_) {
        // Keep what was there and as much of the new text as fits: the excess is cut where the
        // text was just typed or pasted, that is before the cursor.
        enforcing_ = true;
        const int excess = length - max_;
        QTextCursor c = textCursor();
        const int pos = c.position();
        if (pos >= excess) {
            c.setPosition(pos - excess);
            c.setPosition(pos, QTextCursor::KeepAnchor);
        } else {
            c.setPosition(max_);
            c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        c.removeSelectedText();
        setTextCursor(c);
        enforcing_ = false;
    }
    emit Change();
}

void NotesBox::focusInEvent(QFocusEvent* e) {
    QTextEdit::focusInEvent(e);
    emit GotFocus();
}
