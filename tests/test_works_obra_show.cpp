// The work's show screen: works shown with their movements, modified (movements included) and
// deleted as on the other show screens, a work that recordings use kept; selections by the
// work's total duration and movement count.
#include <QComboBox>
#include <QScrollBar>

#include "selection/apply.h"
#include "selection/filter_model.h"
#include "store/data_hub.h"
#include "tests/test_works_obra_support.h"

using namespace wt;

class WorksObraShowTest : public QObject {
    Q_OBJECT
  private slots:
    void showsWorksWithMovements();
    void viewingLocksMovements();
    void modifyWritesMovements();
    void cancelDropsMovementEdits();
    void modifyNeedsIdentifiers();
    void readsOddStoredMovements();
    void deleteWork();
    void workUsedByRecordingIsKept();
    void layoutsKept();
    void selectionByTotalAndCount_data();
    void selectionByTotalAndCount();
    void selectionScreenOverAnHour();
};

namespace {

qint64 work(TempApp& app, const QString& nombre, const QString& movimientos,
            const QString& duraciones, qint64 total, int count) {
    return app.insert("Obra", {{"Nombre", nombre},
                               {"Numero", "3"},
                               {"Tonalidad", "sol mayor"},
                               {"Opus", "BWV"},
                               {"NumeroOpus", "1048"},
                               {"Fecha1", 1721},
                               {"Autor", "Bach"},
                               {"Notas", "Brandeburgo"},
                               {"Movimientos", movimientos},
                               {"Duraciones", duraciones},
                               {"TiempoTotal", total},
                               {"NumeroMovimientos", count}});
}

void twoWorks(TempApp& app) {
    work(app, "Concierto", "Allegro#Adagio#Allegro assai#", "0:5:50#0:0:20#0:4:45#", 655, 3);
    work(app, "Suite", "Ouverture#Air#", "0:10:0#0:5:5#", 905, 2);
}

Screen* showScreen(TempApp& app) {
    Screen* s = open(app.enter(), kBrowse);
    if (s && s->objectName() != QLatin1String("FormReg1MosObra")) qWarning("wrong screen");
    return s;
}

}  // namespace

void WorksObraShowTest::showsWorksWithMovements() {
    TempApp app;
    twoWorks(app);
    Screen* s = showScreen(app);
    QVERIFY(s);
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(box(s, "TxtNombre")->text(), QStringLiteral("Concierto"));
    QCOMPARE(box(s, "TxtNumeroOpus")->text(), QStringLiteral("1048"));
    QCOMPARE(box(s, "TxtFecha1")->text(), QStringLiteral("1721"));
    QVERIFY(box(s, "TxtFecha2")->text().isEmpty());
    QCOMPARE(box(s, "TxtAutor")->text(), QStringLiteral("Bach"));
    QCOMPARE(w<QLabel>(s, "LabNombre")->text(), QString::fromUtf8("Concierto Nº 3 en sol mayor"));
    QCOMPARE(cells(s), (QStringList{"Allegro|0|5|50", "Adagio|0|0|20", "Allegro assai|0|4|45"}));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:10:55"));
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QStringLiteral("3"));
    w<QScrollBar>(s, "HScroll")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(box(s, "TxtNombre")->text(), QStringLiteral("Suite"));
    QCOMPARE(cells(s), (QStringList{"Ouverture|0|10|0", "Air|0|5|5"}));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:15:05"));
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QStringLiteral("2"));
}

void WorksObraShowTest::viewingLocksMovements() {
    TempApp app;
    twoWorks(app);
    Screen* s = showScreen(app);
    for (const char* name : {"TxtMovimiento", "TxtHoras", "TxtMinutos", "TxtSegundos", "BtnAMList"})
        QVERIFY2(!w<QWidget>(s, name)->isEnabled(), name);
    doubleClickRow(s, 1);
    QVERIFY(box(s, "TxtMovimiento")->text().isEmpty());
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QString::fromUtf8("Añadir"));
    click(s, "BtnModificar");
    for (const char* name : {"TxtMovimiento", "TxtHoras", "TxtMinutos", "TxtSegundos", "BtnAMList"})
        QVERIFY2(w<QWidget>(s, name)->isEnabled(), name);
    doubleClickRow(s, 1);
    QCOMPARE(box(s, "TxtMovimiento")->text(), QStringLiteral("Adagio"));
    QCOMPARE(box(s, "TxtSegundos")->text(), QStringLiteral("20"));
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QStringLiteral("Modificar"));
}

void WorksObraShowTest::modifyWritesMovements() {
    TempApp app;
    twoWorks(app);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, kBrowse);
    click(s, "BtnModificar");
    box(s, "TxtNumero")->setText(QStringLiteral("4"));
    QCOMPARE(w<QLabel>(s, "LabNombre")->text(), QString::fromUtf8("Concierto Nº 4 en sol mayor"));
    doubleClickRow(s, 1);
    movement(s, "Adagio (cadenza)", "", "1", "5");
    doubleClickRow(s, 2);
    box(s, "TxtMovimiento")->clear();
    click(s, "BtnAMList");
    movement(s, "Bis", "1", "0", "0");
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("01:06:55"));
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    const QVariantMap r = app.rows("SELECT * FROM Obra WHERE Id = 1").value(0);
    QCOMPARE(r["Numero"].toString(), QStringLiteral("4"));
    QCOMPARE(r["Movimientos"].toString(), QStringLiteral("Allegro#Adagio (cadenza)#Bis#"));
    QCOMPARE(r["Duraciones"].toString(), QStringLiteral("0:5:50#0:1:5#1:0:0#"));
    QCOMPARE(r["TiempoTotal"].toLongLong(), 4015LL);
    QCOMPARE(r["NumeroMovimientos"].toInt(), 3);
    QCOMPARE(r["Notas"].toString(), QStringLiteral("Brandeburgo"));
    QCOMPARE(r["Fecha2"].toInt(), 0);
    // The other work is untouched; the screen is back to viewing the same work, re-read.
    QCOMPARE(app.scalar("SELECT Movimientos FROM Obra WHERE Id = 2").toString(),
             QStringLiteral("Ouverture#Air#"));
    QCOMPARE(box(s, "TxtOrden")->text(), QStringLiteral("1"));
    QCOMPARE(cells(s), (QStringList{"Allegro|0|5|50", "Adagio (cadenza)|0|1|5", "Bis|1|0|0"}));
    QVERIFY(!w<QWidget>(s, "BtnAMList")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnModificar")->isEnabled());
    QVERIFY(!w<QWidget>(s, "BtnGuardar")->isEnabled());
    // Another screen can be chosen again.
    Screen* e = open(mdi, kEntry);
    QCOMPARE(e->objectName(), QStringLiteral("FormReg1AnaObra"));
}

void WorksObraShowTest::cancelDropsMovementEdits() {
    TempApp app;
    twoWorks(app);
    Screen* s = showScreen(app);
    click(s, "BtnModificar");
    movement(s, "Extra", "0", "3", "0");
    doubleClickRow(s, 0);
    box(s, "TxtMovimiento")->clear();
    click(s, "BtnAMList");
    QCOMPARE(grid(s)->rowCount(), 3);
    click(s, "BtnDeshacer");
    QCOMPARE(cells(s), (QStringList{"Allegro|0|5|50", "Adagio|0|0|20", "Allegro assai|0|4|45"}));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:10:55"));
    QCOMPARE(app.scalar("SELECT Movimientos FROM Obra WHERE Id = 1").toString(),
             QStringLiteral("Allegro#Adagio#Allegro assai#"));
    QVERIFY(!w<QWidget>(s, "TxtMovimiento")->isEnabled());
}

void WorksObraShowTest::modifyNeedsIdentifiers() {
    TempApp app;
    twoWorks(app);
    Screen* s = showScreen(app);
    click(s, "BtnModificar");
    box(s, "TxtAutor")->setText(QStringLiteral("  "));
    movement(s, "Coda", "0", "1", "0");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Debe introducir un IDENTIFICADOR."});
    QVERIFY(box(s, "TxtAutor")->text().isEmpty());
    // Still editing, nothing written, the movements as typed.
    QVERIFY(w<QWidget>(s, "BtnGuardar")->isEnabled());
    QCOMPARE(grid(s)->rowCount(), 4);
    QCOMPARE(app.scalar("SELECT Autor FROM Obra WHERE Id = 1").toString(), QStringLiteral("Bach"));
    QCOMPARE(app.scalar("SELECT NumeroMovimientos FROM Obra WHERE Id = 1").toInt(), 3);
}

void WorksObraShowTest::readsOddStoredMovements() {
    // Written by hand: no final "#", a duration missing, a long title, leading zeros.
    TempApp app;
    const QString longText = QString(90, QLatin1Char('x'));
    work(app, "Rara", "Uno#" + longText + "#Tres", "00:02:03#0:0:7", 0, 0);
    Screen* s = showScreen(app);
    QCOMPARE(cells(s), (QStringList{"Uno|0|2|3", longText + "|0|0|7", "Tres|0|0|0"}));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:02:10"));
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QStringLiteral("3"));
    // A modification writes the movements back whole, with the total and count they give.
    click(s, "BtnModificar");
    click(s, "BtnGuardar");
    const QVariantMap r = app.rows("SELECT * FROM Obra").value(0);
    QCOMPARE(r["Movimientos"].toString(), "Uno#" + longText + "#Tres#");
    QCOMPARE(r["Duraciones"].toString(), QStringLiteral("0:2:3#0:0:7#0:0:0#"));
    QCOMPARE(r["TiempoTotal"].toLongLong(), 130LL);
    QCOMPARE(r["NumeroMovimientos"].toInt(), 3);
}

void WorksObraShowTest::deleteWork() {
    TempApp app;
    twoWorks(app);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, kBrowse);
    w<QScrollBar>(s, "HScroll")->setValue(2);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(app.scalar("SELECT group_concat(Nombre) FROM Obra").toString(),
             QStringLiteral("Concierto"));
    QCOMPARE(box(s, "TxtNombre")->text(), QStringLiteral("Concierto"));
    QCOMPARE(cells(s).size(), 3);
    QCOMPARE(text(s, "LabNumRegEliminados"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("1"));
    QCOMPARE(mdi.hub().reg[1].Cont, 1);
    // Deleting the last work leaves the screen cleared, movements included.
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Obra").toInt(), 0);
    QCOMPARE(grid(s)->rowCount(), 0);
    QCOMPARE(grid(s)->columnCount(), 0);
    QVERIFY(text(s, "TxtTotal").isEmpty());
    QVERIFY(text(s, "TxtNumeroMovimientos").isEmpty());
    QVERIFY(w<QLabel>(s, "LabNombre")->text().isEmpty());
    QVERIFY(app.messages.shown.empty());
    // The report's work row counts them.
    Screen* r = open(mdi, 57);
    QCOMPARE(text(r, "LabObraNumRegTotal"), QStringLiteral("0"));
    QCOMPARE(text(r, "LabObraNumRegEliminados"), QStringLiteral("2"));
    QCOMPARE(text(r, "LabObraNumRegSeleccion"), QStringLiteral("0"));
}

void WorksObraShowTest::workUsedByRecordingIsKept() {
    TempApp app;
    twoWorks(app);
    app.insert("Grabacion", {{"ObraId", 1}, {"Notas", "1985"}});
    Screen* s = showScreen(app);
    click(s, "BtnEliminar");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY2(app.messages.shown[0].text.contains(QStringLiteral("lo usa 1 Grab")),
             qPrintable(app.messages.shown[0].text));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QVERIFY(!w<QWidget>(s, "BtnGuardar")->isEnabled());
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Obra").toInt(), 2);
    // The unused work can still be deleted.
    w<QScrollBar>(s, "HScroll")->setValue(2);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(app.scalar("SELECT group_concat(Nombre) FROM Obra").toString(),
             QStringLiteral("Concierto"));
    QCOMPARE(app.scalar("SELECT ObraId FROM Grabacion").toInt(), 1);
}

void WorksObraShowTest::layoutsKept() {
    TempApp app;
    twoWorks(app);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, kBrowse);
    click(s, "LabExpandir");
    click(s, "BtnReducirAmpliar");
    QVERIFY(mdi.hub().MemoMosObraAmpRed);
    QVERIFY(mdi.hub().MemoObraRedAmp);
    QVERIFY(!mdi.hub().MemoAnaObraAmpRed);
    QCOMPARE(grid(s)->columnWidth(0), twips::toPixels(4770));
    open(mdi, kEntry);
    s = open(mdi, kBrowse);
    QCOMPARE(text(s, "LabExpandir"), QStringLiteral("><"));
    QCOMPARE(twips::left(grid(s)), 3555.0f);
    QCOMPARE(twips::left(box(s, "TxtMovimiento")), 3570.0f);
    QCOMPARE(grid(s)->columnWidth(0), twips::toPixels(4770));
    QCOMPARE(text(s, "BtnReducirAmpliar"), QStringLiteral("Ampliar"));
    QCOMPARE(twips::height(w<QWidget>(s, "Frame1")), 2255.0f);
}

void WorksObraShowTest::selectionByTotalAndCount_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("over an hour") << "Tiempo Total"
                                  << "Es Mayor que"
                                  << "3600" << QStringList{"Misa", "Pasión"};
    QTest::newRow("an hour or less") << "Tiempo Total"
                                     << "Es Menor que"
                                     << "3601" << QStringList{"Concierto", "Hora"};
    QTest::newRow("two movements") << QString::fromUtf8("Nº de  Movimientos") << "Es Igual a"
                                   << "2" << QStringList{"Hora", "Misa"};
    QTest::newRow("movement text") << "Movimientos"
                                   << "Contiene"
                                   << "gloria" << QStringList{"Misa"};
}

void WorksObraShowTest::selectionByTotalAndCount() {
    QFETCH(QString, field);
    QFETCH(QString, criterion);
    QFETCH(QString, value);
    QFETCH(QStringList, names);
    TempApp app;
    work(app, "Concierto", "Allegro#", "0:59:59#", 3599, 1);
    work(app, "Hora", "I#II#", "0:30:0#0:30:0#", 3600, 2);
    FormMdi& mdi = app.enter();
    // Two works saved through the entry screen, so their totals are what the screen stores.
    Screen* e = open(mdi, kEntry);
    const char* saved[][3] = {{"Misa", "Kyrie|0|59|59", "Gloria|0|0|2"},
                              {"Pasión", "Coro|2|0|0", nullptr}};
    for (const auto& wk : saved) {
        type(box(e, "TxtNombre"), QString::fromUtf8(wk[0]));
        type(box(e, "TxtAutor"), QStringLiteral("Bach"));
        for (int i = 1; i < 3 && wk[i]; ++i) {
            const QStringList p = QString::fromUtf8(wk[i]).split('|');
            movement(e, p[0], p[1], p[2], p[3]);
        }
        click(e, "BtnGuardar");
    }
    QCOMPARE(app.scalar("SELECT TiempoTotal FROM Obra WHERE Nombre = 'Misa'").toInt(), 3601);

    selection::FilterModel m(registers::at(registers::kObra));
    QStringList fields, criteria;
    for (const VocabItem& v : m.reg().selFields) fields << v.caption;
    for (const auto& c : registers::criteria()) criteria << c.caption;
    const int f = int(fields.indexOf(field));
    QVERIFY(f >= 0);
    m.chooseField(f);
    m.chooseCriterion(int(criteria.indexOf(criterion)));
    m.changeValue(value);
    QVERIFY(m.addFilter(value, f, field, criterion));
    m.chooseSortField(0);
    m.chooseSortDirection(0);
    QCOMPARE(selection::applySelection(mdi.hub(), registers::kObra, m, 0, 0, nullptr),
             selection::Outcome::Applied);
    QVERIFY(app.messages.texts().size() == 2);  // the two saves only
    // The show screen browses the selection.
    Screen* s = open(mdi, kBrowse);
    QCOMPARE(text(s, "LabNumRegSeleccion"), QString::number(names.size()));
    QStringList shown;
    for (int i = 1; i <= names.size(); ++i) {
        w<QScrollBar>(s, "HScroll")->setValue(i);
        shown << box(s, "TxtNombre")->text();
    }
    QCOMPARE(shown, names);
}

void WorksObraShowTest::selectionScreenOverAnHour() {
    TempApp app;
    work(app, "Corta", "I#", "0:59:59#", 3599, 1);
    work(app, "Justa", "I#", "1:0:0#", 3600, 1);
    work(app, "Larga", "I#II#", "1:0:0#0:0:1#", 3601, 2);
    work(app, "Muy larga", "I#", "2:0:0#", 7200, 1);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, 9);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1SelObra"));
    click(s, "BtnNueva");
    auto choose = [&](const char* combo, const QString& item) {
        auto* c = w<QComboBox>(s, combo);
        const int i = c->findText(item);
        QVERIFY2(i >= 0, qPrintable(item));
        c->setCurrentIndex(i);
    };
    choose("ComboCampo", "Tiempo Total");
    choose("ComboCriterio", "Es Mayor que");
    w<QLineEdit>(s, "TxtValFiltro")->setText(QStringLiteral("3600"));
    click(s, "BtnAnadir");
    choose("ComboCampoOrden", "Tiempo Total");
    choose("ComboCriterioOrden", "Descendente");
    click(s, "BtnAceptar");
    QVERIFY(app.messages.shown.empty());
    QList<qint64> keys;
    for (qint64 k : mdi.hub().Data[registers::kObra].recordset().keys()) keys << k;
    QCOMPARE(keys, (QList<qint64>{4, 3}));
    QCOMPARE(mdi.hub().reg[registers::kObra].ContSel, 2);
    Screen* b = open(mdi, kBrowse);
    QCOMPARE(text(b, "LabNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(text(b, "LabNumFiltros"), QStringLiteral("1"));
    QCOMPARE(box(b, "TxtNombre")->text(), QStringLiteral("Muy larga"));
    QCOMPARE(text(b, "TxtTotal"), QStringLiteral("02:00:00"));
}

QTEST_MAIN(WorksObraShowTest)
#include "test_works_obra_show.moc"
