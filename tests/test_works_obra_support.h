#pragma once
// Driving the work screens as a user does: opening a screen through the panel's two calls and its
// load operation, typing a movement, clicking the movement button, double clicking a row.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"
#include "tests/fixture.h"

namespace wt {

inline constexpr int kEntry = 2, kBrowse = 16;

// Shows a screen as the navigation panel does and runs its load operation.
inline Screen* open(FormMdi& mdi, int number) {
    mdi.solapas().OcultarFormulario();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    mdi.solapas().MostrarFormulario(number);
    QApplication::setActiveWindow(&mdi);
    Screen* s = mdi.solapas().loadedScreen(number);
    if (s) s->Carga();
    return s;
}

template <class T>
T* w(QWidget* s, const char* name) {
    return find<T>(s, QLatin1String(name));
}

inline QLineEdit* box(QWidget* s, const char* name) {
    return w<QLineEdit>(s, name);
}

inline QTableWidget* grid(QWidget* s) {
    return w<QTableWidget>(s, "MSFlexGrid1");
}

inline void click(QWidget* s, const char* name) {
    QWidget* b = w<QWidget>(s, name);
    QVERIFY2(b && b->isVisible() && b->isEnabled(), name);
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

// Types a text into a box: key by key when it is plain ASCII (what the key events can carry),
// otherwise as one insertion, as a paste or an input method would.
inline void type(QWidget* b, const QString& t) {
    bool ascii = true;
    for (QChar c : t) ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(b, t);
    else if (auto* e = qobject_cast<QLineEdit*>(b))
        e->insert(t);
    else
        QTest::keyClicks(b, t);
}

// Types a movement into the editors (each box emptied first) and clicks the movement button.
inline void movement(QWidget* s, const QString& text, const QString& h = {}, const QString& m = {},
                     const QString& sec = {}) {
    const char* names[] = {"TxtMovimiento", "TxtHoras", "TxtMinutos", "TxtSegundos"};
    const QString values[] = {text, h, m, sec};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* e = box(s, names[i]);
        e->clear();
        type(e, values[i]);
    }
    click(s, "BtnAMList");
}

inline void doubleClickRow(QWidget* s, int row) {
    QTableWidget* g = grid(s);
    QTableWidgetItem* item = g->item(row, 0);
    QVERIFY(item);
    g->scrollToItem(item);
    const QPoint at = g->visualItemRect(item).center();
    // The view acts on a double click on the row its press chose, so the press comes first.
    QTest::mousePress(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
}

// The grid as "text|h|m|s" lines.
inline QStringList cells(QWidget* s) {
    QStringList out;
    QTableWidget* g = grid(s);
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < g->columnCount(); ++c)
            row << (g->item(r, c) ? g->item(r, c)->text() : QStringLiteral("?"));
        out << row.join(QLatin1Char('|'));
    }
    return out;
}

inline QString text(QWidget* s, const char* label) {
    return w<QLabel>(s, label)->text();
}

}  // namespace wt
