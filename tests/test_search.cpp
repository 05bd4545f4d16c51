// The search of the whole catalogue and the duplicate list: the words against a plain evaluation
// on tricky texts, across what a recording links, the limit of lines shown, and the windows
// driven as a user does (Ctrl+F, "Buscar...", "Duplicados...", Enter on a result).
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>

#include "info/duplicates_window.h"
#include "info/search_window.h"
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/screen.h"
#include "store/catalogue_search.h"
#include "store/data_hub.h"
#include "store/duplicates.h"
#include "store/jet_dialect.h"
#include "tests/record_screens.h"
#include "tests/test_works_grabacion_support.h"

namespace {

const QStringList& trickyTexts() {
    static const QStringList t = {"Dvořák",     "DVORAK",    "Núñez",      "Nunez",
                                  "año",        "ano",       "O'Brien",    "o'brien mayor",
                                  "*",          "a*b",       "ab",         "?",
                                  "¿Qué?",      "#1",        "n.º 1",      "[a-c]",
                                  "a-c",        "b",         "Ärger",      "straße",
                                  "Élan vital", "",          "Sinfonía 9", "sinfonia 10",
                                  "🎻 cuerdas",  "Ana María", "maría",      "100%"};
    return t;
}

QString longNote(int i) {
    return QString("Manuscrito %1 ").arg(i).repeated(300) + trickyTexts()[i % trickyTexts().size()];
}

// Every word of `words` is, folded, inside one of `texts` folded.
bool holdsAll(const QStringList& texts, const QStringList& words) {
    for (const QString& w : words) {
        bool found = false;
        for (const QString& t : texts) found = found || jet::folded(t).contains(jet::folded(w));
        if (!found) return false;
    }
    return true;
}

std::vector<qint64> keysOf(const search::Result& r, int global) {
    std::vector<qint64> out;
    for (const search::Hit& h : r.shown)
        if (h.global == global) out.push_back(h.key);
    return out;
}

QStringList lines(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(i)->text(c);
        out << cells.join(" | ");
    }
    return out;
}

}  // namespace

class SearchTest : public QObject {
    Q_OBJECT
  private slots:
    void wordsMatchAPlainEvaluation();
    void recordingMatchesAcrossItsLinks();
    void atMost500LinesShown();
    void searchWindowOpensTheShowScreen();
    void duplicateGroupsAreListedAndOpened();
};

// Composers with tricky names and long notes: each query finds exactly the records a plain
// folded comparison finds, in key order, with the field of the first word.
void SearchTest::wordsMatchAPlainEvaluation() {
    TempApp app;
    const QStringList& t = trickyTexts();
    QMap<qint64, QStringList> texts;
    for (int i = 0; i < t.size() * 2; ++i) {
        const QStringList values{t[(i * 5 + 1) % t.size()], t[i % t.size()],
                                 i % 3 == 0 ? QString() : longNote(i)};
        texts.insert(
            app.insert("Compositor",
                       {{"Nombre", values[0]}, {"Apellidos", values[1]}, {"Notas", values[2]}}),
            values);
    }
    LoadedHub h(app);
    Connection& conn = *h.hub.Data[0].connection();
    const QStringList queries = {
        "dvorak",     "DVOŘÁK", "nunez",     "núñez",        "año",    "ano",   "o'brien",
        "*",          "a*b",    "?",         "¿qué",         "#",      "#1",    "[",
        "[a-c]",      "a-c",    "ärger",     "STRASSE",      "straße", "élan",  "sinfonia 9",
        "9 sinfonía", "🎻",      "maria ana", "manuscrito 7", "100%",   "x y z", "n.º"};
    for (const QString& q : queries) {
        const QStringList words = search::words(q);
        std::vector<qint64> want;
        for (auto it = texts.begin(); it != texts.end(); ++it)
            if (holdsAll(it.value(), words)) want.push_back(it.key());
        const search::Result r = search::run(conn, h.hub, words);
        QVERIFY2(keysOf(r, registers::kCompositor) == want, qPrintable(q));
        QCOMPARE(r.total, qint64(want.size()));
        for (const search::Hit& hit : r.shown) {
            const QStringList v = texts.value(hit.key);
            const QString first = jet::folded(words.first());
            const QString field = jet::folded(v[0]).contains(first)   ? "Nombre"
                                  : jet::folded(v[1]).contains(first) ? "Apellidos"
                                                                      : "Notas";
            QCOMPARE(hit.field, field);
            QCOMPARE(hit.label, v[0] + " " + v[1]);
        }
    }
    QCOMPARE(search::run(conn, h.hub, {}).total, 0);
}

// "karajan dvorak" finds the recordings of Dvořák conducted by Karajan and no other; a word
// in the recording's notes counts too.
void SearchTest::recordingMatchesAcrossItsLinks() {
    TempApp app;
    const qint64 dvorak =
        app.insert("Compositor", {{"Nombre", "Antonín"}, {"Apellidos", "Dvořák"}});
    const qint64 brahms =
        app.insert("Compositor", {{"Nombre", "Johannes"}, {"Apellidos", "Brahms"}});
    const qint64 ninth = app.insert("Obra", {{"Nombre", "Sinfonía"}, {"Numero", "9"}});
    const qint64 karajan =
        app.insert("Director", {{"Nombre", "Herbert von"}, {"Apellidos", "Karajan"}});
    const qint64 kubelik = app.insert("Director", {{"Nombre", "Rafael"}, {"Apellidos", "Kubelík"}});
    const qint64 bpo = app.insert("Orquesta", {{"Nombre", "Berliner Philharmoniker"}});
    const qint64 dg = app.insert("Soporte", {{"Discografica", "DG"}, {"NumeroCatalogo", "1"}});
    auto rec = [&](qint64 c, qint64 conductor, const char* notes) {
        const qint64 r = app.insert(
            "Grabacion",
            {{"CompositorId", c}, {"ObraId", ninth}, {"SoporteId", dg}, {"Notas", notes}});
        app.exec(QString("INSERT INTO GrabacionDirector (GrabacionId, Orden, RegistroId) VALUES "
                         "(%1, 0, %2)")
                     .arg(r)
                     .arg(conductor));
        app.exec(QString("INSERT INTO GrabacionOrquesta (GrabacionId, Orden, RegistroId) VALUES "
                         "(%1, 0, %2)")
                     .arg(r)
                     .arg(bpo));
        return r;
    };
    const qint64 a = rec(dvorak, karajan, "");
    const qint64 b = rec(dvorak, kubelik, "Karajan la escuchó");
    const qint64 c = rec(brahms, karajan, "");
    LoadedHub h(app);
    Connection& conn = *h.hub.Data[0].connection();
    auto recordings = [&](const QString& q) {
        return keysOf(search::run(conn, h.hub, search::words(q)), registers::kGrabacion);
    };
    QCOMPARE(recordings("karajan dvorak"), (std::vector<qint64>{a, b}));
    QCOMPARE(recordings("KUBELIK sinfonia"), (std::vector<qint64>{b}));
    QCOMPARE(recordings("philharmoniker"), (std::vector<qint64>{a, b, c}));
    QCOMPARE(recordings("karajan brahms dg"), (std::vector<qint64>{c}));
    QCOMPARE(recordings("karajan mozart"), std::vector<qint64>{});
    const search::Result r = search::run(conn, h.hub, search::words("karajan dvorak"));
    QStringList fields;
    for (const search::Hit& hit : r.shown)
        if (hit.global == registers::kGrabacion) fields << hit.label + " / " + hit.field;
    QCOMPARE(fields, (QStringList{
                         QString::fromUtf8("Antonín Dvořák - Sinfonía Nº 9 - DG 1 / DIR Apellidos"),
                         QString::fromUtf8("Antonín Dvořák - Sinfonía Nº 9 - DG 1 / GRA Notas")}));
    // The registers come in their order: the composer, then the recordings.
    const search::Result all = search::run(conn, h.hub, {"dvorak"});
    QCOMPARE(all.total, 3);
    QCOMPARE(all.shown.front().global, registers::kCompositor);
    QCOMPARE(all.shown.back().global, registers::kGrabacion);
}

void SearchTest::atMost500LinesShown() {
    TempApp app;
    app.exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 620) "
        "INSERT INTO Compositor (Nombre, Apellidos) SELECT 'Juan', 'Pérez ' || i FROM n");
    app.exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30) "
        "INSERT INTO Interprete (Nombre, Apellidos) SELECT 'Juan', 'Gómez ' || i FROM n");
    LoadedHub h(app);
    const search::Result r = search::run(*h.hub.Data[0].connection(), h.hub, {"juan"});
    QCOMPARE(r.total, 650);
    QCOMPARE(int(r.shown.size()), 500);
    QCOMPARE(r.shown.back().key, 500);
}

// Ctrl+F on a screen and "Buscar..." on the report open the same window; what is typed is
// looked for after a pause; Enter on a result shows the record on its show screen, with all the
// register's records selected, and the window stays open.
void SearchTest::searchWindowOpensTheShowScreen() {
    TempApp app;
    for (const char* s : {"Bach", "Dvořák", "Brahms", "Dvorak"})
        app.insert("Compositor", {{"Nombre", "N"}, {"Apellidos", s}});
    app.insert("Interprete", {{"Nombre", "Ana"}, {"Apellidos", "Dvorakova"}});
    FormMdi& mdi = app.enter();
    mdi.hub().reg[0].ContFil = 2;  // a selection in force before
    rs::leave(mdi);
    Screen* report = mdi.solapas().currentScreen();
    QVERIFY(report);
    auto* buscar = rs::w<QPushButton>(report, "BtnBuscar");
    auto* duplicados = rs::w<QPushButton>(report, "BtnDuplicados");
    QCOMPARE(buscar->text(), QString("Buscar..."));
    QCOMPARE(duplicados->text(), QString("Duplicados..."));
    QVERIFY(buscar->geometry().right() < duplicados->geometry().left());
    QCOMPARE(buscar->geometry().top(), duplicados->geometry().top());
    QVERIFY(buscar->geometry().bottom() < report->height());
    buscar->click();
    auto* win = mdi.findChild<SearchWindow*>("FormBuscar");
    QVERIFY(win && win->isVisible());
    rs::keys(win->TxtBuscar, "dvorak");
    QTRY_VERIFY(win->ListResultados->topLevelItemCount() > 0);
    QCOMPARE(lines(win->ListResultados),
             (QStringList{QString::fromUtf8("Compositor | N Dvořák | Apellidos"),
                          "Compositor | N Dvorak | Apellidos",
                          QString::fromUtf8("Intérprete | Ana Dvorakova | Apellidos")}));
    QCOMPARE(win->LabResultados->text(), mdi.hub().EtiBuscarResultados.arg(3));
    win->ListResultados->setFocus();
    win->ListResultados->setCurrentItem(win->ListResultados->topLevelItem(1));
    QTest::keyClick(win->ListResultados, Qt::Key_Return);
    Screen* shown = mdi.solapas().currentScreen();
    QVERIFY(shown);
    QCOMPARE(shown->number(), registers::screenNumber(registers::kCompositor, 2));
    QCOMPARE(rs::box(shown, "TxtApellidos")->text(), QString("Dvorak"));
    QCOMPARE(mdi.hub().reg[0].ContSel, 4);
    QCOMPARE(mdi.hub().reg[0].ContFil, 0);
    QCOMPARE(mdi.hub().reg[0].Posicion, 4);
    QVERIFY(win->isVisible());
    // The performer from the same list: another register's show screen.
    QTest::keyClick(win->ListResultados, Qt::Key_Down);
    QTest::keyClick(win->ListResultados, Qt::Key_Return);
    QCOMPARE(mdi.solapas().currentScreen()->number(),
             registers::screenNumber(registers::kInterprete, 2));
    // Ctrl+F from the main window brings the same window back with its words selected.
    win->close();
    QApplication::setActiveWindow(&mdi);
    QTest::keyClick(mdi.solapas().currentScreen(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(mdi.findChildren<SearchWindow*>().size(), 1);
    QVERIFY(win->isVisible());
    QCOMPARE(win->TxtBuscar->selectedText(), QString("dvorak"));
    // Words nothing holds.
    win->TxtBuscar->setText("zzz");
    win->Buscar();
    QCOMPARE(win->ListResultados->topLevelItemCount(), 0);
    QCOMPARE(win->LabResultados->text(), mdi.hub().EtiBuscarNinguno);
}

// Groups of records sharing a label (case and accents aside) in every register; a double click
// shows the group's first record with the selection holding the group.
void SearchTest::duplicateGroupsAreListedAndOpened() {
    TempApp app;
    const qint64 a = app.insert("Compositor", {{"Nombre", "Antonín"}, {"Apellidos", "Dvořák"}});
    app.insert("Compositor", {{"Nombre", "Johannes"}, {"Apellidos", "Brahms"}});
    const qint64 c = app.insert("Compositor", {{"Nombre", "antonin "}, {"Apellidos", "DVORAK"}});
    app.insert("Compositor", {{"Nombre", "Antoñín"}, {"Apellidos", "Dvorak"}});  // ñ: another
    const qint64 w1 = app.insert("Obra", {{"Nombre", "Misa"}, {"Numero", "2"}, {"Autor", "x"}});
    const qint64 w2 = app.insert("Obra", {{"Nombre", "misa"}, {"Numero", "2"}, {"Autor", "y"}});
    app.insert("Obra", {{"Nombre", "Misa"}, {"Numero", "3"}, {"Autor", "x"}});
    FormMdi& mdi = app.enter();
    rs::leave(mdi);
    Screen* report = mdi.solapas().currentScreen();
    rs::click(report, "BtnDuplicados");
    auto* win = mdi.findChild<DuplicatesWindow*>("FormDuplicados");
    QVERIFY(win && win->isVisible());
    QCOMPARE(lines(win->ListDuplicados),
             (QStringList{QString::fromUtf8("Compositor | Antonín Dvořák | 2"),
                          QString::fromUtf8("Obra | Misa Nº 2 | 2")}));
    QTreeWidgetItem* work = win->ListDuplicados->topLevelItem(1);
    emit win->ListDuplicados->itemActivated(work, 0);
    Screen* shown = mdi.solapas().currentScreen();
    QCOMPARE(shown->number(), registers::screenNumber(registers::kObra, 2));
    QCOMPARE(mdi.hub().reg[registers::kObra].ContSel, 2);
    QCOMPARE(mdi.hub().Data[registers::kObra].recordset().keys(), (std::vector<qint64>{w1, w2}));
    QCOMPARE(mdi.hub().Data[registers::kObra].recordset().currentKey(), w1);
    QCOMPARE(duplicates::groups(*mdi.hub().Data[0].connection(), mdi.hub(), 0).front().keys,
             (std::vector<qint64>{a, c}));
}

QTEST_MAIN(SearchTest)
#include "test_search.moc"
