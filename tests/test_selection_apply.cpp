// Selections run against a small catalogue: the worked-example statements on the engine, then
// selections built with the model and applied to the data hub (connectives left to right, letter
// case, accents, Spanish order, numbers, ensemble kinds, apostrophes, a work's movements), and the
// failure path.
#include <sqlite3.h>

#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

#include "selection/apply.h"
#include "selection/filter_model.h"
#include "shell/windowing/context.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "tests/fixture.h"

using selection::FilterModel;

namespace {

using Keys = QList<qint64>;

// Composers, keys 1-10 in this order.
void composers(TempApp& app) {
    struct C {
        const char *nombre, *apellidos;
        int f1, f2;
        const char* notas;
    };
    const C rows[] = {{"Ana", "Prueba", 1650, 1720, ""},
                      {"Mariana", "prueba", 1690, 1760, ""},
                      {"Johann Sebastian", "Bach", 1685, 1750, ""},
                      {"Carl Philipp Emanuel", "Bach", 1714, 1788, ""},
                      {"Antonín", "Dvořák", 1841, 1904, "Compuso la ópera Rusalka"},
                      {"Pat", "O'Brien", 1950, 0, ""},
                      {"Juan", "Peña", 1800, 1850, ""},
                      {"Luis", "Penella", 1880, 1940, ""},
                      {"José", "Peon", 1700, 1780, ""},
                      {"", "Anónimo", 0, 0, "sin fechas"}};
    for (const C& c : rows)
        app.insert("Compositor", {{"Nombre", QString::fromUtf8(c.nombre)},
                                  {"Apellidos", QString::fromUtf8(c.apellidos)},
                                  {"Fecha1", c.f1},
                                  {"Fecha2", c.f2},
                                  {"Notas", QString::fromUtf8(c.notas)}});
}

// Ensembles, keys 1-4.
void ensembles(TempApp& app) {
    app.insert("Orquesta", {{"Nombre", QString::fromUtf8("Orquesta de Cámara de Lausana")},
                            {"OrqGrpCor", 1},
                            {"Fecha", 1942}});
    app.insert(
        "Orquesta",
        {{"Nombre", QString::fromUtf8("Cámara Ensemble")}, {"OrqGrpCor", 2}, {"Fecha", 1980}});
    app.insert(
        "Orquesta",
        {{"Nombre", QString::fromUtf8("Coro de Cámara")}, {"OrqGrpCor", 3}, {"Fecha", 1960}});
    app.insert("Orquesta", {{"Nombre", "Berliner Philharmoniker"},
                            {"OrqGrpCor", 1},
                            {"Genero", QString::fromUtf8("Sinfónica")},
                            {"Fecha", 1882}});
}

// Works, keys 1-5: their movements as stored, the third written by hand without the final "#".
void works(TempApp& app) {
    const char* const rows[][2] = {{"Misa", "Kyrie#Gloria#Credo#"},
                                   {"Gloria", ""},
                                   {"Suite", "Preludio#Gigue"},
                                   {"Canciones", "Canción de José#Nana#"},
                                   {"Otras canciones", "Cancion de Jose#"}};
    for (const auto& r : rows)
        app.insert("Obra",
                   {{"Nombre", QString::fromUtf8(r[0])}, {"Movimientos", QString::fromUtf8(r[1])}});
}

Keys keysOf(DataControl& d) {
    Keys out;
    for (qint64 k : d.recordset().keys()) out << k;
    return out;
}

int position(const QStringList& captions, const QString& caption) {
    int i = int(captions.indexOf(caption));
    if (i < 0) qFatal("no item %s", qPrintable(caption));
    return i;
}

QStringList captions(const QVector<VocabItem>& v) {
    QStringList out;
    for (const VocabItem& i : v) out << i.caption;
    return out;
}

QStringList criterionCaptions() {
    QStringList out;
    for (const auto& c : registers::criteria()) out << c.caption;
    return out;
}

// Builds a selection as the screen does. Each filter is "field|criterion|value", later ones
// prefixed by "Y|" or "O|".
void build(FilterModel& m, const QStringList& filters) {
    for (const QString& f : filters) {
        QStringList p = f.split('|');
        if (p.size() == 4) m.chooseConnective(p.takeFirst());
        const int field = position(captions(m.reg().selFields), p[0]);
        m.chooseField(field);
        m.chooseCriterion(position(criterionCaptions(), p[1]));
        m.changeValue(p[2]);
        QVERIFY(m.addFilter(p[2], field, p[0], p[1]));
    }
}

}  // namespace

class SelectionApplyTest : public QObject {
    Q_OBJECT
  private slots:
    void workedStatementsOnEngine_data();
    void workedStatementsOnEngine();
    void appliedSelections_data();
    void appliedSelections();
    void applyStoresCounters();
    void applyAllRecords();
    void failureFallsBackToWholeTable();
    void tooComplex();
    void longSelectionCanBeCancelled_data();
    void longSelectionCanBeCancelled();
};

void SelectionApplyTest::workedStatementsOnEngine_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<Keys>("keys");
    const QString w =
        "SELECT * FROM Compositor WHERE ((Apellidos = 'Prueba' AND Nombre LIKE "
        "'*ana*') OR Fecha1 < 1700)";
    // Anónimo (0 as year), Bach, then the two "Prueba" in order of entry.
    QTest::newRow("worked, ascending") << w + " ORDER BY Apellidos ASC" << Keys{10, 3, 1, 2};
    QTest::newRow("worked, Histórico") << w << Keys{1, 2, 3, 10};
    QTest::newRow("all by name descending")
        << "SELECT * FROM Compositor ORDER BY Nombre DESC" << Keys{6, 2, 8, 7, 9, 3, 4, 5, 1, 10};
    QTest::newRow("all") << "SELECT * FROM Compositor" << Keys{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("not a number") << "SELECT * FROM Compositor WHERE Fecha2 > -1"
                                  << Keys{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("number pattern")
        << "SELECT * FROM Compositor WHERE Fecha1 LIKE '*17*'" << Keys{4, 9};
    QTest::newRow("notes without accent")
        << QString::fromUtf8("SELECT * FROM Compositor WHERE Notas NOT LIKE '*ópera*'")
        << Keys{1, 2, 3, 4, 6, 7, 8, 9, 10};
    QTest::newRow("accents ignored by LIKE")
        << "SELECT * FROM Compositor WHERE Apellidos LIKE '*dvorak*'" << Keys{5};
    QTest::newRow("letter case") << "SELECT * FROM Compositor WHERE Apellidos = 'PRUEBA'"
                                 << Keys{1, 2};
    QTest::newRow("ñ after n")
        << "SELECT * FROM Compositor WHERE Apellidos LIKE 'Pe*' ORDER BY Apellidos ASC"
        << Keys{8, 7, 9};
    QTest::newRow("ñ after n, descending")
        << "SELECT * FROM Compositor WHERE Apellidos LIKE 'Pe*' ORDER BY Apellidos DESC"
        << Keys{9, 7, 8};
    QTest::newRow("ties in order of entry, descending")
        << "SELECT * FROM Compositor WHERE Apellidos = 'bach' ORDER BY Apellidos DESC"
        << Keys{3, 4};
    QTest::newRow("apostrophe doubled")
        << "SELECT * FROM Compositor WHERE Apellidos = 'O''Brien'" << Keys{6};
    QTest::newRow("numbers compared as numbers")
        << "SELECT * FROM Compositor WHERE Fecha1 > 1800 ORDER BY Fecha1 ASC" << Keys{5, 8, 6};
}

void SelectionApplyTest::workedStatementsOnEngine() {
    QFETCH(QString, statement);
    QFETCH(Keys, keys);
    TempApp app;
    composers(app);
    DataControl d;
    d.DatabaseName = app.catalogue();
    d.RecordSource = statement;
    d.Refresh();
    QCOMPARE(keysOf(d), keys);
    QCOMPARE(d.recordset().RecordCount(), long(keys.size()));
    if (!keys.isEmpty()) QCOMPARE(d.recordset().currentKey(), keys.first());
}

void SelectionApplyTest::appliedSelections_data() {
    QTest::addColumn<int>("reg");
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<int>("sortField");
    QTest::addColumn<int>("direction");
    QTest::addColumn<Keys>("keys");
    const int C = registers::kCompositor, Q = registers::kOrquesta, O = registers::kObra;
    QTest::newRow("Y then O, left to right")
        << C
        << QStringList{"Apellidos|Es Igual a|Prueba", "Y|Nombre|Contiene|ana",
                       "O|Fecha 1|Es Menor que|1700"}
        << 1 << 0 << Keys{10, 3, 1, 2};
    // ((Bach O Dvořák) Y after 1700): precedence would also let J. S. Bach through.
    QTest::newRow("O then Y, left to right")
        << C
        << QStringList{"Apellidos|Es Igual a|Bach",
                       QString::fromUtf8("O|Apellidos|Es Igual a|Dvořák"),
                       "Y|Fecha 1|Es Mayor que|1700"}
        << 0 << 2 << Keys{4, 5};
    QTest::newRow("letter case") << C << QStringList{"Apellidos|Es Igual a|pRUEBA"} << 0 << 2
                                 << Keys{1, 2};
    QTest::newRow("accents") << C
                             << QStringList{"Apellidos|Contiene|dvorak",
                                            "O|Nombre|Contiene|antonin"}
                             << 0 << 2 << Keys{5};
    QTest::newRow("accented pattern finds plain text")
        << C << QStringList{QString::fromUtf8("Nombre|Contiene|Jóhann")} << 0 << 2 << Keys{3};
    QTest::newRow("Spanish order")
        << C << QStringList{"Apellidos|Contiene|pe"} << 1 << 0 << Keys{8, 7, 9};
    QTest::newRow("number bare") << C << QStringList{"Fecha 2|Es Mayor que|1800"} << 3 << 1
                                 << Keys{8, 5, 7};
    QTest::newRow("number pattern")
        << C << QStringList{"Fecha 1|Contiene|17"} << 2 << 2 << Keys{4, 9};
    QTest::newRow("not a number") << C << QStringList{"Fecha 2|Es Mayor que|siglo"} << 0 << 2
                                  << Keys{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("number escape attempt")
        << C << QStringList{"Fecha 1|Es Igual a|1) OR (1=1"} << 0 << 2 << Keys{};
    QTest::newRow("text escape attempt")
        << C << QStringList{"Apellidos|Es Igual a|x' OR 'a'='a"} << 0 << 2 << Keys{};
    QTest::newRow("apostrophe") << C << QStringList{"Apellidos|Es Igual a|O'Brien"} << 0 << 2
                                << Keys{6};
    QTest::newRow("apostrophe alone")
        << C << QStringList{"Apellidos|Contiene|'"} << 0 << 2 << Keys{6};
    QTest::newRow("notes") << C << QStringList{"Notas|No contiene|opera"} << 1 << 1
                           << Keys{1, 2, 9, 7, 8, 6, 3, 4, 10};
    QTest::newRow("group kind") << Q << QStringList{"Grupo|Contiene|camara"} << 0 << 2 << Keys{2};
    QTest::newRow("orchestra kind")
        << Q << QStringList{QString::fromUtf8("Orquesta|Contiene|cámara")} << 0 << 2 << Keys{1};
    QTest::newRow("choir equal") << Q
                                 << QStringList{QString::fromUtf8("Coro|Es Igual a|coro de cámara")}
                                 << 0 << 2 << Keys{3};
    QTest::newRow("orchestras or choirs")
        << Q << QStringList{"Orquesta|Contiene|a", "O|Coro|Contiene|a"} << 4 << 0 << Keys{4, 1, 3};
    QTest::newRow("kind then year")
        << Q << QStringList{"Orquesta|Contiene|e", "Y|Fecha|Es Mayor que|1900"} << 0 << 2
        << Keys{1};
    // A work is found when one of its movements equals the value.
    QTest::newRow("a movement, letter case")
        << O << QStringList{"Movimientos|Es Igual a|gloria"} << 0 << 2 << Keys{1};
    QTest::newRow("first movement")
        << O << QStringList{"Movimientos|Es Igual a|Kyrie"} << 0 << 2 << Keys{1};
    QTest::newRow("last movement without its final mark")
        << O << QStringList{"Movimientos|Es Igual a|gigue"} << 0 << 2 << Keys{3};
    QTest::newRow("part of a movement is not equal")
        << O << QStringList{"Movimientos|Es Igual a|Kyr"} << 0 << 2 << Keys{};
    QTest::newRow("the stored list is not a movement")
        << O << QStringList{"Movimientos|Es Igual a|Kyrie#Gloria#Credo#"} << 0 << 2 << Keys{};
    QTest::newRow("accents tell movements apart")
        << O << QStringList{QString::fromUtf8("Movimientos|Es Igual a|canción de josé")} << 0 << 2
        << Keys{4};
    QTest::newRow("plain movement")
        << O << QStringList{"Movimientos|Es Igual a|CANCION DE JOSE"} << 0 << 2 << Keys{5};
    QTest::newRow("movement then another field")
        << O << QStringList{"Movimientos|Es Igual a|nana", "O|Obra|Es Igual a|Suite"} << 0 << 2
        << Keys{3, 4};
    QTest::newRow("movement contains")
        << O << QStringList{"Movimientos|Contiene|relu"} << 0 << 2 << Keys{3};
}

void SelectionApplyTest::appliedSelections() {
    QFETCH(int, reg);
    QFETCH(QStringList, filters);
    QFETCH(int, sortField);
    QFETCH(int, direction);
    QFETCH(Keys, keys);
    TempApp app;
    composers(app);
    ensembles(app);
    works(app);
    LoadedHub h(app);
    FilterModel m(registers::at(reg));
    build(m, filters);
    m.chooseSortField(sortField);
    m.chooseSortDirection(direction);
    QCOMPARE(selection::applySelection(h.hub, reg, m, sortField, direction, nullptr),
             selection::Outcome::Applied);
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(keysOf(h.hub.Data[reg]), keys);
    QCOMPARE(h.hub.reg[reg].ContSel, qint32(keys.size()));
    QCOMPARE(h.hub.reg[reg].ContFil, qint32(filters.size()));
}

void SelectionApplyTest::applyStoresCounters() {
    TempApp app;
    composers(app);
    LoadedHub h(app);
    RegisterState& s = h.hub.reg[0];
    s.Posicion = 7;
    FilterModel m(registers::at(0));
    build(m, {"Apellidos|Es Igual a|Bach", "O|Apellidos|Es Igual a|Peon"});
    selection::storeUnderConstruction(s, m);
    QCOMPARE(s.MemoSelNT, qint16(0));
    QCOMPARE(s.MemoSelOpcionSQL, QStringLiteral("(Apellidos = 'Bach' OR Apellidos = 'Peon')"));
    const QStringList list = s.MemoSelLista;
    QCOMPARE(list, QStringList({"Apellidos", "Es Igual a", "'Bach'", "       O", "Apellidos",
                                "Es Igual a", "'Peon'"}));
    const QString description = m.TextoFiltros;
    m.chooseSortField(1);
    m.chooseSortDirection(1);
    QCOMPARE(selection::applySelection(h.hub, 0, m, 1, 1, nullptr), selection::Outcome::Applied);
    QCOMPARE(h.hub.Data[0].RecordSource,
             QStringLiteral("SELECT * FROM Compositor WHERE (Apellidos = 'Bach' OR Apellidos = "
                            "'Peon') ORDER BY Apellidos DESC"));
    QCOMPARE(s.SelRecordSource, h.hub.Data[0].RecordSource);
    QCOMPARE(keysOf(h.hub.Data[0]), Keys({9, 3, 4}));
    QCOMPARE(h.hub.ContSelCompositor(), 3);
    QCOMPARE(h.hub.ContFilCompositor(), 2);
    QCOMPARE(h.hub.PosicionCompositor(), 1);
    QCOMPARE(h.hub.MemoSelCompNT(), qint16(2));
    QVERIFY(h.hub.MemoSelCompOpcionSQL().isEmpty());
    QCOMPARE(h.hub.MemoSelCompValorFiltro(), description);
    QCOMPARE(h.hub.MemoSelCompLista(), list);  // kept, so the list can be shown again
    QCOMPARE(h.hub.MemoSelCompCampoOrden(), qint16(1));
    QCOMPARE(h.hub.MemoSelCompCriterioOrden(), qint16(1));
    // The working state is cleared.
    QVERIFY(m.CampoSQL.isEmpty() && m.OperadorSQL.isEmpty() && m.ValorSQL.isEmpty() &&
            m.CampoOrdenSQL.isEmpty() && m.SentidoOrdenSQL.isEmpty() && m.OpcionSQL.isEmpty() &&
            m.TextoFiltros.isEmpty());
    // A second "Aceptar" without an order chosen does nothing.
    QCOMPARE(selection::applySelection(h.hub, 0, m, 1, 1, nullptr), selection::Outcome::NotApplied);
    QCOMPARE(h.hub.ContSelCompositor(), 3);
}

void SelectionApplyTest::applyAllRecords() {
    TempApp app;
    composers(app);
    LoadedHub h(app);
    h.hub.MemoSelCompLista() = QStringList({"Nombre", "Contiene", "'a'"});
    FilterModel m(registers::at(0));
    m.allRecords();
    m.chooseSortField(0);
    m.chooseSortDirection(1);
    QCOMPARE(selection::applySelection(h.hub, 0, m, 0, 1, nullptr), selection::Outcome::Applied);
    QCOMPARE(h.hub.Data[0].RecordSource,
             QStringLiteral("SELECT * FROM Compositor ORDER BY Nombre DESC"));
    QVERIFY(h.hub.MemoSelCompLista().isEmpty());
    QCOMPARE(h.hub.ContFilCompositor(), 0);
    QCOMPARE(h.hub.ContSelCompositor(), 10);
    QVERIFY(h.hub.MemoSelCompValorFiltro().isEmpty());
    // The clean entry point the benchmark uses.
    QCOMPARE(selection::applyStatement(h.hub, 2, "SELECT * FROM Orquesta"), 0);
    QCOMPARE(selection::applyStatement(h.hub, 0, "SELECT * FROM Compositor WHERE Fecha1 < 1700"),
             4);
    QCOMPARE(h.hub.ContSelCompositor(), 4);
}

void SelectionApplyTest::failureFallsBackToWholeTable() {
    TempApp app;
    composers(app);
    LoadedHub h(app);
    FilterModel m(registers::at(0));
    build(m, {"Apellidos|Es Igual a|Bach"});
    m.chooseSortField(1);
    m.chooseSortDirection(0);
    QCOMPARE(selection::applySelection(h.hub, 0, m, 1, 0, nullptr), selection::Outcome::Applied);
    QCOMPARE(h.hub.ContSelCompositor(), 2);
    // The column disappears under the program's feet: the engine refuses the next statement.
    app.exec("ALTER TABLE Compositor RENAME COLUMN Nombre TO NombreAntiguo");
    build(m, {"Nombre|Contiene|a"});
    m.chooseSortField(0);
    m.chooseSortDirection(0);
    QCOMPARE(selection::applySelection(h.hub, 0, m, 0, 0, nullptr), selection::Outcome::Failed);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.messages.shown[0].text, QStringLiteral("Se ha producido el ERROR: 3061"));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(h.hub.Data[0].RecordSource, QStringLiteral("SELECT * FROM Compositor "));
    QCOMPARE(h.hub.Data[0].recordset().RecordCount(), 10L);
    QCOMPARE(h.hub.Data[0].recordset().currentKey(), 1);
    QCOMPARE(h.hub.MemoSelCompNT(), qint16(2));
    QVERIFY(h.hub.MemoSelCompLista().isEmpty());
    QVERIFY(h.hub.MemoSelCompOpcionSQL().isEmpty());
    QVERIFY(h.hub.MemoSelCompValorFiltro().isEmpty());
    // The counters describe the selection now in effect: the whole table.
    QCOMPARE(h.hub.ContSelCompositor(), 10);
    QCOMPARE(h.hub.ContFilCompositor(), 0);
    QCOMPARE(h.hub.PosicionCompositor(), 1);
    QCOMPARE(h.hub.MemoSelCompCampoOrden(), qint16(-1));
    QVERIFY(m.OpcionSQL.isEmpty() && m.TextoFiltros.isEmpty() && m.CampoSQL.isEmpty() &&
            m.CampoOrdenSQL.isEmpty() && m.SentidoOrdenSQL.isEmpty());
}

void SelectionApplyTest::tooComplex() {
    TempApp app;
    composers(app);
    LoadedHub h(app);
    // A very small engine limit stands for a selection beyond the engine's reach.
    sqlite3_limit(h.hub.Data[0].connection()->db(), SQLITE_LIMIT_EXPR_DEPTH, 4);
    FilterModel m(registers::at(0));
    QStringList filters{"Apellidos|Contiene|a"};
    for (int i = 0; i < 7; ++i) filters << QString("O|Nombre|Contiene|%1").arg(i);
    build(m, filters);
    m.chooseSortField(0);
    m.chooseSortDirection(2);
    QCOMPARE(selection::applySelection(h.hub, 0, m, 0, 2, nullptr), selection::Outcome::Failed);
    QCOMPARE(app.messages.texts(), QStringList{"Complejidad Excesiva."});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(h.hub.Data[0].recordset().RecordCount(), 10L);
    QCOMPARE(h.hub.MemoSelCompNT(), qint16(2));
}

void SelectionApplyTest::longSelectionCanBeCancelled_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("let run") << false;
}

// A selection that runs past the delay shows the progress window; "Cancelar" stops the engine
// and leaves the selection in force as it was, with no error box.
void SelectionApplyTest::longSelectionCanBeCancelled() {
    QFETCH(bool, cancel);
    TempApp app;
    composers(app);
    // Enough rows for the engine to ask whether to go on.
    app.exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Compositor (Nombre, Apellidos) SELECT 'Ana', 'Otra' FROM n");
    LoadedHub h(app);
    FilterModel m(registers::at(0));
    build(m, {"Apellidos|Es Igual a|Bach"});
    m.chooseSortField(1);
    m.chooseSortDirection(0);
    QCOMPARE(selection::applySelection(h.hub, 0, m, 1, 0, nullptr), selection::Outcome::Applied);
    const QString applied = h.hub.Data[0].RecordSource;
    const qint64 firstKey = h.hub.Data[0].recordset().currentKey();
    QCOMPARE(h.hub.ContSelCompositor(), 2);
    const RegisterState inForce = h.hub.reg[0];

    QStringList shown;
    build(m, {"Nombre|Contiene|a"});
    // The filter added puts the selection under construction into the hub, as the screen does.
    selection::storeUnderConstruction(h.hub.reg[0], m);
    m.chooseSortField(0);
    m.chooseSortDirection(0);
    const auto outcome = [&] {
        ProgressAnswerer answering([&](QProgressDialog& window) {
            shown << window.labelText();
            for (QPushButton* b : window.findChildren<QPushButton*>()) shown << b->text();
            return cancel;
        });
        return selection::applySelection(h.hub, 0, m, 0, 0, nullptr);
    }();
    QCOMPARE(shown, QStringList({h.hub.MensaSeleccionando, QStringLiteral("Cancelar")}));
    QVERIFY(app.messages.shown.empty());
    if (!cancel) {
        QCOMPARE(outcome, selection::Outcome::Applied);
        QVERIFY(h.hub.Data[0].RecordSource != applied);
        return;
    }
    QCOMPARE(outcome, selection::Outcome::Cancelled);
    QCOMPARE(h.hub.Data[0].RecordSource, applied);
    // The memos are the selection in force again, description and filter list included.
    const RegisterState& s = h.hub.reg[0];
    QCOMPARE(s.MemoSelNT, 2);
    QCOMPARE(s.MemoSelValorFiltro, inForce.MemoSelValorFiltro);
    QVERIFY(s.MemoSelValorFiltro.contains("Bach"));
    QCOMPARE(s.MemoSelLista, inForce.MemoSelLista);
    QVERIFY(s.MemoSelOpcionSQL.isEmpty());
    QCOMPARE(h.hub.Data[0].recordset().RecordCount(), 2L);
    QCOMPARE(h.hub.Data[0].recordset().currentKey(), firstKey);
    QCOMPARE(h.hub.ContSelCompositor(), 2);
    QCOMPARE(h.hub.ContFilCompositor(), 1);
    // The engine is free again: the next selection runs.
    build(m, {"Nombre|Contiene|a"});
    m.chooseSortField(0);
    m.chooseSortDirection(0);
    QCOMPARE(selection::applySelection(h.hub, 0, m, 0, 0, nullptr), selection::Outcome::Applied);
}

QTEST_MAIN(SelectionApplyTest)
#include "test_selection_apply.moc"
