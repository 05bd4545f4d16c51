#pragma once
// Helpers of the show screen tests: which box shows a stored field, the state of the tabs and of
// the fields, and moving through the selection as a user does.
#include "tests/record_screens.h"

namespace bs {

using rs::box;
using rs::click;
using rs::label;
using rs::open;
using rs::type;
using rs::w;

inline void registerRows() {
    QTest::addColumn<int>("global");
    for (int g : rs::tableRegisters()) QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

// The box that shows a stored field (the orchestra's name: the box of its kind).
inline QString boxOf(int g, const QString& column, int kind = 1) {
    if (g == registers::kOrquesta && column == QLatin1String("Nombre")) {
        static const char* const names[] = {"TxtNombreOrquesta", "TxtNombreGrupo", "TxtNombreCoro"};
        return QLatin1String(names[kind - 1]);
    }
    for (const BoxDef& b : registers::at(g).boxes)
        if (b.column == column) return b.control;
    return {};
}

// The identifier text shown for a record inserted by rs::insertRecord with `seed`.
inline QString idText(int g, const QString& seed) {
    return seed + QLatin1Char(' ') + registers::at(g).boxes.first().column;
}

inline QString shownId(QWidget* s, int g, int kind = 1) {
    return box(s, boxOf(g, registers::at(g).boxes.first().column, kind))->text();
}

inline bool tabsLocked(FormMdi& mdi) {
    return !mdi.solapas().strip("TabNivel1")->isEnabled() &&
           !mdi.solapas().strip("TabReg1Mostrar")->isEnabled() &&
           !mdi.solapas().strip("TabReg2Mostrar")->isEnabled() &&
           mdi.solapas().strip("TabAyuda")->isEnabled();
}

inline bool editable(QWidget* s, int g) {
    for (const BoxDef& b : registers::at(g).boxes)
        if (box(s, b.control)->isReadOnly()) return false;
    return !w<QTextEdit>(s, "TxtNotas")->isReadOnly();
}

inline bool locked(QWidget* s, int g) {
    for (const BoxDef& b : registers::at(g).boxes)
        if (!box(s, b.control)->isReadOnly()) return false;
    return w<QTextEdit>(s, "TxtNotas")->isReadOnly();
}

inline void next(QWidget* s) {
    w<QScrollBar>(s, "HScroll")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

inline void goTo(QWidget* s, int n) {
    type(s, "TxtOrden", QString::number(n));
}

}  // namespace bs

using namespace bs;
