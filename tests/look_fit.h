#pragma once
// Finds every text of a window that does not fit the room its control gives it: label and button
// texts against their contents, wrapped labels by the height they need, tab captions against their
// tabs, grid header cells against their columns and the current text of drop-down lists.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>

namespace lookfit {

inline QString plain(QString text) {
    text.remove(QLatin1Char('&'));
    return text;
}

// Width and height of a possibly multi-line plain text.
inline QSize textSize(const QFontMetrics& fm, const QString& text) {
    int w = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& l : lines) w = qMax(w, fm.horizontalAdvance(l));
    return QSize(w, fm.height() + (int(lines.size()) - 1) * fm.lineSpacing());
}

inline QString describe(const QWidget* w) {
    QString path;
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        if (!p->objectName().isEmpty()) {
            path = p->objectName() + (path.isEmpty() ? QString() : QStringLiteral("/") + path);
            if (p->inherits("Screen")) break;
        }
    }
    return path.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : path;
}

inline void complain(QStringList& out, const QWidget* w, const QString& text, const QString& why) {
    out << QStringLiteral("%1 \"%2\": %3").arg(describe(w), text.simplified(), why);
}

inline void checkLabel(const QLabel* l, QStringList& out) {
    const QString text = l->text();
    if (text.trimmed().isEmpty() || !l->pixmap().isNull()) return;
    const QRect room =
        l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const bool rich = l->textFormat() == Qt::RichText ||
                      (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (l->wordWrap()) {
        const int need = l->heightForWidth(l->width());
        if (need > l->height())
            complain(
                out, l, text,
                QStringLiteral("wrapped, needs %1 px high, has %2").arg(need).arg(l->height()));
        return;
    }
    QSize need;
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        need = QSize(qCeil(doc.idealWidth()), qCeil(doc.size().height()));
    } else {
        need = textSize(l->fontMetrics(), text);
    }
    if (need.width() > room.width() || need.height() > room.height() + 1)
        complain(out, l, text,
                 QStringLiteral("needs %1 x %2 px, has %3 x %4")
                     .arg(need.width())
                     .arg(need.height())
                     .arg(room.width())
                     .arg(room.height()));
}

inline void checkButton(const QAbstractButton* b, QStringList& out) {
    const QString text = plain(b->text());
    if (text.trimmed().isEmpty()) return;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    QRect room;
    int extra = 0;
    if (qobject_cast<const QPushButton*>(b)) {
        room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        extra = 2;  // the focus frame's inset
    } else if (qobject_cast<const QCheckBox*>(b)) {
        room = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b);
    } else if (qobject_cast<const QRadioButton*>(b)) {
        room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
    } else {
        room = b->contentsRect();
    }
    if (!b->icon().isNull()) room.setLeft(room.left() + b->iconSize().width() + 4);
    const QSize need = textSize(b->fontMetrics(), text);
    if (need.width() + extra > room.width() || need.height() > room.height() + 1)
        complain(out, b, text,
                 QStringLiteral("needs %1 x %2 px, has %3 x %4")
                     .arg(need.width() + extra)
                     .arg(need.height())
                     .arg(room.width())
                     .arg(room.height()));
}

inline void checkTabs(const QTabBar* t, QStringList& out) {
    const bool vertical =
        t->shape() == QTabBar::RoundedWest || t->shape() == QTabBar::RoundedEast ||
        t->shape() == QTabBar::TriangularWest || t->shape() == QTabBar::TriangularEast;
    for (int i = 0; i < t->count(); ++i) {
        const QString text = plain(t->tabText(i));
        const QRect r = t->tabRect(i);
        const int have = vertical ? r.height() : r.width();
        const int across = vertical ? r.width() : r.height();
        const int need = t->fontMetrics().horizontalAdvance(text) +
                         t->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, t);
        if (need > have || t->fontMetrics().height() > across)
            complain(out, t, text,
                     QStringLiteral("tab %1: needs %2 px, has %3").arg(i).arg(need).arg(have));
    }
}

// Header cells of a grid: the first row of a grid whose headers are hidden (the listing's, the
// report's) and the visible header sections.
inline void checkGrid(const QTableWidget* g, QStringList& out) {
    const int pad = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1);
    for (int c = 0; c < g->columnCount(); ++c) {
        if (g->isColumnHidden(c)) continue;
        if (g->horizontalHeader()->isVisible()) {
            const QTableWidgetItem* h = g->horizontalHeaderItem(c);
            if (h && !h->text().isEmpty()) {
                const int need =
                    g->horizontalHeader()->fontMetrics().horizontalAdvance(h->text()) + pad + 2;
                if (need > g->horizontalHeader()->sectionSize(c))
                    complain(out, g, h->text(),
                             QStringLiteral("header %1: needs %2 px, has %3")
                                 .arg(c)
                                 .arg(need)
                                 .arg(g->horizontalHeader()->sectionSize(c)));
            }
        }
        // A titled column must be whole inside the grid, not behind its edge.
        if (g->horizontalHeader()->isVisible()) {
            const QHeaderView* h = g->horizontalHeader();
            const int right = h->sectionViewportPosition(c) + h->sectionSize(c);
            const QTableWidgetItem* title = g->horizontalHeaderItem(c);
            if (title && right > g->viewport()->width())
                complain(out, g, title->text(),
                         QStringLiteral("column %1 ends at %2 px, the grid at %3")
                             .arg(c)
                             .arg(right)
                             .arg(g->viewport()->width()));
        }
        if (g->rowCount() == 0) continue;
        const QTableWidgetItem* it = g->item(0, c);
        if (!it || it->text().isEmpty() || g->horizontalHeader()->isVisible()) continue;
        QFont f = it->font();
        const int need = QFontMetrics(f).horizontalAdvance(it->text()) + pad;
        if (need > g->columnWidth(c))
            complain(out, g, it->text(),
                     QStringLiteral("first-row cell %1: needs %2 px, has %3")
                         .arg(c)
                         .arg(need)
                         .arg(g->columnWidth(c)));
    }
}

inline void checkCombo(const QComboBox* c, QStringList& out) {
    const QString text = c->currentText();
    if (text.isEmpty()) return;
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.editable = c->isEditable();
    const QRect room =
        c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
    const int need = c->fontMetrics().horizontalAdvance(text);
    if (need > room.width())
        complain(out, c, text, QStringLiteral("needs %1 px, has %2").arg(need).arg(room.width()));
}

// Every visible text under `root` (root included) that does not fit.
inline QStringList unfit(const QWidget* root) {
    QStringList out;
    QList<const QWidget*> all{root};
    for (const QWidget* w : root->findChildren<QWidget*>()) all << w;
    for (const QWidget* w : all) {
        if (!w->isVisibleTo(root) && w != root) continue;
        if (auto* l = qobject_cast<const QLabel*>(w))
            checkLabel(l, out);
        else if (auto* b = qobject_cast<const QAbstractButton*>(w))
            checkButton(b, out);
        else if (auto* t = qobject_cast<const QTabBar*>(w))
            checkTabs(t, out);
        else if (auto* g = qobject_cast<const QTableWidget*>(w))
            checkGrid(g, out);
        else if (auto* c = qobject_cast<const QComboBox*>(w))
            checkCombo(c, out);
    }
    return out;
}

}  // namespace lookfit
