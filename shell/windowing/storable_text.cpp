#include "shell/windowing/storable_text.h"

#include <QLineEdit>

namespace storable {

QString clean(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isNull()) continue;
        if (c.isHighSurrogate()) {
            if (i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                out += c;
                out += text[++i];
            }
            continue;
        }
        if (c.isLowSurrogate()) continue;
        out += c;
    }
    return out;
}

void guard(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& t) {
        const QString c = clean(t);
        if (c == t) return;
        const int at = box->cursorPosition() - int(t.size() - c.size());
        box->setText(c);
        box->setCursorPosition(qMax(0, at));
    });
}

}  // namespace storable
