#pragma once
// Helpers of the recording tests: a small catalogue of the records a recording links (and, when
// asked, three recordings of them), moving between screens as the navigation panel does, and
// reading the recording screens' slots.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextEdit>

#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "tests/fixture.h"

namespace gt {

struct Keys {
    qint64 bach, vivaldi, mozart;   // composers 1-3
    qint64 misa, gloria, requiem;   // works
    qint64 ebs, choir;              // ensembles
    qint64 gardiner, harnoncourt;   // conductors
    qint64 otter, argenta;          // performers
    qint64 archiv, decca;           // carriers
    qint64 r1 = 0, r2 = 0, r3 = 0;  // recordings, when made
};

inline void link(TempApp& app, const char* table, qint64 rec, const QList<qint64>& members) {
    int order = 1;
    for (qint64 m : members)
        app.insert(table, {{"GrabacionId", rec}, {"Orden", order++}, {"RegistroId", m}});
}

// The records, and with `recordings` three recordings:
//   r1: Bach, Misa, {EBS, Choir}, {Gardiner}, {Otter, Argenta}, Archiv, "Gardiner 1985"
//   r2: Vivaldi, Gloria, {EBS}, {}, {Argenta}, Decca, "estudio"
//   r3: Mozart, Requiem, {Choir}, {Gardiner, Harnoncourt}, {Otter}, Archiv, ""
inline Keys catalogue(TempApp& app, bool recordings, const QString& bachPicture = {}) {
    Keys k;
    k.bach = app.insert("Compositor", {{"Nombre", "Johann Sebastian"},
                                       {"Apellidos", "Bach"},
                                       {"Fecha1", 1685},
                                       {"Fecha2", 1750},
                                       {"Imagen", bachPicture}});
    k.vivaldi = app.insert(
        "Compositor",
        {{"Nombre", "Antonio"}, {"Apellidos", "Vivaldi"}, {"Fecha1", 1678}, {"Fecha2", 0}});
    k.mozart = app.insert("Compositor", {{"Nombre", "Wolfgang Amadeus"},
                                         {"Apellidos", "Mozart"},
                                         {"Fecha1", 1756},
                                         {"Fecha2", 1791}});
    k.misa = app.insert("Obra", {{"Nombre", "Misa en si menor"},
                                 {"Autor", "Bach"},
                                 {"Tonalidad", "si menor"},
                                 {"Catalogo", "BWV"},
                                 {"NumeroCatalogo", "232"},
                                 {"Movimientos", "Kyrie#Gloria#"},
                                 {"Duraciones", "0:10:0#0:20:30#"},
                                 {"TiempoTotal", 1830},
                                 {"NumeroMovimientos", 2}});
    k.gloria = app.insert("Obra", {{"Nombre", "Gloria"},
                                   {"Autor", "Vivaldi"},
                                   {"Tonalidad", "re mayor"},
                                   {"TiempoTotal", 1800},
                                   {"NumeroMovimientos", 12}});
    k.requiem = app.insert("Obra", {{"Nombre", "Requiem"},
                                    {"Autor", "Mozart"},
                                    {"Tonalidad", "re menor"},
                                    {"TiempoTotal", 3700},
                                    {"NumeroMovimientos", 14}});
    k.ebs = app.insert("Orquesta", {{"Nombre", "English Baroque Soloists"}, {"OrqGrpCor", 1}});
    k.choir = app.insert("Orquesta", {{"Nombre", "Monteverdi Choir"}, {"OrqGrpCor", 3}});
    k.gardiner = app.insert("Director", {{"Nombre", "John Eliot"}, {"Apellidos", "Gardiner"}});
    k.harnoncourt = app.insert("Director", {{"Nombre", "Nikolaus"}, {"Apellidos", "Harnoncourt"}});
    k.otter = app.insert(
        "Interprete",
        {{"Nombre", "Anne Sofie"}, {"Apellidos", "von Otter"}, {"Instrumento", "Mezzosoprano"}});
    k.argenta = app.insert(
        "Interprete", {{"Nombre", "Nancy"}, {"Apellidos", "Argenta"}, {"Instrumento", "Soprano"}});
    k.archiv = app.insert(
        "Soporte", {{"Discografica", "Archiv"}, {"NumeroCatalogo", "415 514"}, {"Formato", "CD"}});
    k.decca = app.insert("Soporte", {{"Discografica", "Decca"}, {"NumeroCatalogo", "D-1"}});
    if (!recordings) return k;
    auto rec = [&](qint64 c, qint64 o, qint64 s, const char* notas) {
        return app.insert("Grabacion",
                          {{"CompositorId", c}, {"ObraId", o}, {"SoporteId", s}, {"Notas", notas}});
    };
    k.r1 = rec(k.bach, k.misa, k.archiv, "Gardiner 1985");
    link(app, "GrabacionOrquesta", k.r1, {k.ebs, k.choir});
    link(app, "GrabacionDirector", k.r1, {k.gardiner});
    link(app, "GrabacionInterprete", k.r1, {k.otter, k.argenta});
    k.r2 = rec(k.vivaldi, k.gloria, k.decca, "estudio");
    link(app, "GrabacionOrquesta", k.r2, {k.ebs});
    link(app, "GrabacionInterprete", k.r2, {k.argenta});
    k.r3 = rec(k.mozart, k.requiem, k.archiv, "");
    link(app, "GrabacionOrquesta", k.r3, {k.choir});
    link(app, "GrabacionDirector", k.r3, {k.gardiner, k.harnoncourt});
    link(app, "GrabacionInterprete", k.r3, {k.otter});
    return k;
}

inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline Screen* current(FormMdi& mdi) {
    return mdi.solapas().currentScreen();
}

// Chooses register `reg` of "Registros I" and operation `op` (0 add, 1 select, 2 show, 3 list)
// on the navigation panel, as the user does.
inline Screen* go(FormMdi& mdi, int op, int reg) {
    FormSolapas& nav = mdi.solapas();
    nav.setSolapaRegistros1(reg);
    const int before = mdi.VentanaMostrandose;
    nav.setTabRegistros1(op);
    if (mdi.VentanaMostrandose == before) nav.TabRegistros1Click(op);
    settle();
    return current(mdi);
}

template <class T>
T* w(QWidget* s, const QString& name) {
    T* x = s ? s->findChild<T*>(name) : nullptr;
    if (!x) qWarning("no %s", qPrintable(name));
    return x;
}

inline QString text(QWidget* s, const QString& label) {
    QLabel* l = w<QLabel>(s, label);
    return l ? l->text() : QStringLiteral("<none>");
}

inline void click(QWidget* s, const QString& name) {
    QWidget* x = w<QWidget>(s, name);
    if (x) QTest::mouseClick(x, Qt::LeftButton);
    settle();
}

inline void doubleClick(QWidget* s, const QString& name) {
    QWidget* x = w<QWidget>(s, name);
    if (x) QTest::mouseDClick(x, Qt::LeftButton);
    settle();
}

inline QStringList column(QWidget* s, const QString& table, int col) {
    QStringList out;
    QTableWidget* t = w<QTableWidget>(s, table);
    if (!t) return {QStringLiteral("<none>")};
    for (int r = 0; r < t->rowCount(); ++r) out << (t->item(r, col) ? t->item(r, col)->text() : "");
    return out;
}

// Moves a show screen to record `n` of its selection.
inline void moveTo(QWidget* s, int n) {
    if (QScrollBar* b = w<QScrollBar>(s, QStringLiteral("HScroll"))) b->setValue(n);
    settle();
}

}  // namespace gt
