// The work's entry screen: the movements table with its editors, limits and total, the title
// line, the widened layout kept across visits, saving a work with its movements and taking it
// back, and the half-typed work kept while another screen is shown.
#include "store/data_hub.h"
#include "tests/test_works_obra_support.h"
#include "works/obra_movements.h"

using namespace wt;

class WorksObraTest : public QObject {
    Q_OBJECT
  private slots:
    void totals_data();
    void totals();
    void refusedMovements_data();
    void refusedMovements();
    void changeAndDeleteMovement();
    void deletingOnlyMovementEmptiesGrid();
    void limitOf150();
    void hashNeverInMovement();
    void title_data();
    void title();
    void focusRules();
    void widenedLayoutKept();
    void saveReadsBackAndUndo();
    void saveNeedsBothIdentifiers_data();
    void saveNeedsBothIdentifiers();
    void pendingWorkSurvivesVisit();
};

namespace {

// A movement as "text|h|m|s".
void add(QWidget* s, const QString& line) {
    const QStringList p = line.split(QLatin1Char('|'));
    movement(s, p.value(0), p.value(1), p.value(2), p.value(3));
}

}  // namespace

void WorksObraTest::totals_data() {
    QTest::addColumn<QStringList>("movements");
    QTest::addColumn<QStringList>("grid");
    QTest::addColumn<QString>("total");
    QTest::newRow("carry of seconds")
        << QStringList{"Allegro|0|10|40", "Adagio|0|05|30"}
        << QStringList{"Allegro|0|10|40", "Adagio|0|5|30"} << "00:16:10";
    QTest::newRow("then hours") << QStringList{"I|0|10|40", "II|0|5|30", "III|1|50|00"}
                                << QStringList{"I|0|10|40", "II|0|5|30", "III|1|50|0"}
                                << "02:06:10";
    QTest::newRow("three of 0:59:59")
        << QStringList{"a|0|59|59", "b|0|59|59", "c|0|59|59"}
        << QStringList{"a|0|59|59", "b|0|59|59", "c|0|59|59"} << "02:59:57";
    QTest::newRow("empty duration is 0 0 0")
        << QStringList{"Preludio|||"} << QStringList{"Preludio|0|0|0"} << "00:00:00";
    QTest::newRow("leading zeros dropped")
        << QStringList{"Fuga|00|05|09"} << QStringList{"Fuga|0|5|9"} << "00:05:09";
    QTest::newRow("more than 99 hours")
        << QStringList{"a|99|0|0", "b|9|0|0"} << QStringList{"a|99|0|0", "b|9|0|0"} << "108:00:00";
}

void WorksObraTest::totals() {
    QFETCH(QStringList, movements);
    QFETCH(QStringList, grid);
    QFETCH(QString, total);
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    QVERIFY(s);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaObra"));
    for (const QString& m : movements) add(s, m);
    QCOMPARE(cells(s), grid);
    QCOMPARE(text(s, "TxtTotal"), total);
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QString::number(grid.size()));
    // The editors are emptied for the next movement.
    for (const char* e : {"TxtMovimiento", "TxtHoras", "TxtMinutos", "TxtSegundos"})
        QVERIFY2(box(s, e)->text().isEmpty(), e);
    QVERIFY(app.messages.shown.empty());
}

void WorksObraTest::refusedMovements_data() {
    QTest::addColumn<QString>("movement");
    QTest::addColumn<QString>("focused");  // the editor emptied and focused
    QTest::newRow("minutes 60") << "Largo|0|60|10"
                                << "TxtMinutos";
    QTest::newRow("seconds 75") << "Largo|1|10|75"
                                << "TxtSegundos";
    QTest::newRow("minutes before seconds") << "Largo|0|99|99"
                                            << "TxtMinutos";
    QTest::newRow("blank movement") << "   |0|10|10"
                                    << "TxtMovimiento";
    QTest::newRow("no movement") << "|0|10|10"
                                 << "TxtMovimiento";
}

void WorksObraTest::refusedMovements() {
    QFETCH(QString, movement);
    QFETCH(QString, focused);
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    add(s, "Primero|0|1|2");
    s->window()->activateWindow();
    add(s, movement);
    QCOMPARE(cells(s), QStringList{"Primero|0|1|2"});
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QStringLiteral("1"));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:01:02"));
    QLineEdit* e = box(s, qPrintable(focused));
    QCOMPARE(QApplication::focusWidget(), e);
    if (focused != QLatin1String("TxtMovimiento")) QVERIFY(e->text().isEmpty());
    QVERIFY(app.messages.shown.empty());
}

void WorksObraTest::changeAndDeleteMovement() {
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    add(s, "Allegro|0|10|40");
    add(s, "Andante|0|05|30");
    add(s, "Presto|0|3|0");
    doubleClickRow(s, 1);
    QCOMPARE(box(s, "TxtMovimiento")->text(), QStringLiteral("Andante"));
    QCOMPARE(box(s, "TxtHoras")->text(), QStringLiteral("0"));
    QCOMPARE(box(s, "TxtMinutos")->text(), QStringLiteral("5"));
    QCOMPARE(box(s, "TxtSegundos")->text(), QStringLiteral("30"));
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QStringLiteral("Modificar"));
    // Changing it overwrites the row in place.
    add(s, "Andante con moto|0|6|1");
    QCOMPARE(cells(s), (QStringList{"Allegro|0|10|40", "Andante con moto|0|6|1", "Presto|0|3|0"}));
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QString::fromUtf8("Añadir"));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:19:41"));
    // Emptying the text of a chosen movement deletes it; the rows below move up.
    doubleClickRow(s, 0);
    box(s, "TxtMovimiento")->clear();
    click(s, "BtnAMList");
    QCOMPARE(cells(s), (QStringList{"Andante con moto|0|6|1", "Presto|0|3|0"}));
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QStringLiteral("2"));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:09:01"));
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QString::fromUtf8("Añadir"));
    // A changed movement is still checked: minutes above 59 are refused, the row kept.
    doubleClickRow(s, 1);
    add(s, "Presto|0|70|0");
    QCOMPARE(cells(s), (QStringList{"Andante con moto|0|6|1", "Presto|0|3|0"}));
    QVERIFY(box(s, "TxtMinutos")->text().isEmpty());
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QStringLiteral("Modificar"));
}

void WorksObraTest::deletingOnlyMovementEmptiesGrid() {
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    add(s, "Aria|0|4|0");
    doubleClickRow(s, 0);
    box(s, "TxtMovimiento")->setText(QStringLiteral("   "));
    click(s, "BtnAMList");
    QCOMPARE(grid(s)->rowCount(), 0);
    QCOMPARE(grid(s)->columnCount(), 0);
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QStringLiteral("0"));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:00:00"));
}

void WorksObraTest::limitOf150() {
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    for (int i = 1; i <= 150; ++i) add(s, QStringLiteral("Variación %1|0|0|1").arg(i));
    QCOMPARE(grid(s)->rowCount(), 150);
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:02:30"));
    QVERIFY(app.messages.shown.empty());
    add(s, "Coda|0|1|0");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.messages.shown[0].text, QString::fromUtf8("Máximo 150 Movimientos."));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(grid(s)->rowCount(), 150);
    QCOMPARE(box(s, "TxtMovimiento")->text(), QStringLiteral("Coda"));  // nothing else happens
    // A chosen movement can still be changed and deleted.
    doubleClickRow(s, 149);
    add(s, "Tema|0|2|0");
    QCOMPARE(grid(s)->item(149, 0)->text(), QStringLiteral("Tema"));
    QCOMPARE(grid(s)->item(149, 2)->text(), QStringLiteral("2"));
    doubleClickRow(s, 0);
    box(s, "TxtMovimiento")->clear();
    click(s, "BtnAMList");
    QCOMPARE(grid(s)->rowCount(), 149);
    QCOMPARE(grid(s)->item(0, 0)->text(), QString::fromUtf8("Variación 2"));
    QCOMPARE(app.messages.shown.size(), size_t(1));
    // Back under the limit, one more can be added.
    add(s, "Coda|0|1|0");
    QCOMPARE(grid(s)->rowCount(), 150);
}

void WorksObraTest::hashNeverInMovement() {
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    QLineEdit* m = box(s, "TxtMovimiento");
    QTest::keyClicks(m, "Allegro#");
    QCOMPARE(m->text(), QStringLiteral("Allegro"));
    m->clear();
    m->insert(QStringLiteral("Allegro # vivace"));  // pasted
    QCOMPARE(m->text(), QStringLiteral("Allegro  vivace"));
    QCOMPARE(m->cursorPosition(), m->text().size());
    click(s, "BtnAMList");
    QCOMPARE(cells(s), QStringList{"Allegro  vivace|0|0|0"});
}

void WorksObraTest::title_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("tonalidad");
    QTest::addColumn<QString>("title");
    QTest::newRow("all three") << QString::fromUtf8("Sinfonía") << "5"
                               << "do menor" << QString::fromUtf8("Sinfonía Nº 5 en do menor");
    QTest::newRow("number without a name") << ""
                                           << "5"
                                           << "" << QString::fromUtf8(" Nº 5");
    QTest::newRow("key without number") << "Concierto"
                                        << ""
                                        << "re mayor"
                                        << "Concierto en re mayor";
    QTest::newRow("blank parts count as empty") << "  "
                                                << "  "
                                                << "fa"
                                                << " en fa";
}

void WorksObraTest::title() {
    QFETCH(QString, nombre);
    QFETCH(QString, numero);
    QFETCH(QString, tonalidad);
    QFETCH(QString, title);
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    // Typed in the other order, so each box's change rebuilds the title.
    QTest::keyClicks(box(s, "TxtTonalidad"), tonalidad);
    QTest::keyClicks(box(s, "TxtNumero"), numero);
    type(box(s, "TxtNombre"), nombre);
    QLabel* lab = w<QLabel>(s, "LabNombre");
    QCOMPARE(lab->text(), title);
    QCOMPARE(lab->toolTip(), title);
}

void WorksObraTest::focusRules() {
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    s->window()->activateWindow();
    for (const char* name : {"TxtOpus", "TxtNumeroCatalogo", "TxtSubtitulo", "TxtAutor"})
        box(s, name)->setText(QStringLiteral("BWV 1046"));
    box(s, "TxtOpus")->setFocus();
    QCOMPARE(box(s, "TxtOpus")->selectedText(), QStringLiteral("BWV 1046"));
    QLineEdit* cat = box(s, "TxtNumeroCatalogo");
    cat->setCursorPosition(5);
    cat->setFocus();
    QVERIFY(!cat->hasSelectedText());
    QCOMPARE(cat->cursorPosition(), 0);
    box(s, "TxtAutor")->setFocus();
    QCOMPARE(box(s, "TxtAutor")->selectedText(), QStringLiteral("BWV 1046"));
    // Year and time boxes never keep a non-number.
    for (const char* name : {"TxtFecha1", "TxtHoras", "TxtMinutos", "TxtSegundos"}) {
        QLineEdit* b = box(s, name);
        QTest::keyClicks(b, "1");
        QTest::keyClicks(b, "x");
        QVERIFY2(b->text().isEmpty(), name);
    }
    // The identifiers are white while empty, grey once filled.
    QLineEdit* nombre = box(s, "TxtNombre");
    QCOMPARE(nombre->palette().color(QPalette::Base), QColor(255, 255, 255));
    QTest::keyClicks(nombre, "Misa");
    QCOMPARE(nombre->palette().color(QPalette::Base), QColor(224, 224, 224));
    QCOMPARE(nombre->toolTip(), QStringLiteral("Identificador"));
}

void WorksObraTest::widenedLayoutKept() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, kEntry);
    QTableWidget* g = grid(s);
    QCOMPARE(twips::left(g), 4740.0f);
    QCOMPARE(twips::width(g), 5130.0f);
    QCOMPARE(text(s, "LabExpandir"), QStringLiteral("<>"));
    click(s, "LabExpandir");
    QVERIFY(mdi.hub().MemoAnaObraAmpRed);
    QCOMPARE(text(s, "LabExpandir"), QStringLiteral("><"));
    QCOMPARE(twips::left(g), 3555.0f);
    QCOMPARE(twips::width(g), 6315.0f);
    QCOMPARE(twips::left(box(s, "TxtMovimiento")), 3570.0f);
    QCOMPARE(twips::width(box(s, "TxtMovimiento")), 4845.0f);
    QCOMPARE(twips::left(w<QWidget>(s, "BtnAMList")), 3570.0f);
    QCOMPARE(twips::width(w<QWidget>(s, "BtnAMList")), 6015.0f);
    QCOMPARE(twips::left(box(s, "TxtHoras")), 8415.0f);
    QCOMPARE(twips::left(box(s, "TxtSegundos")), 9195.0f);
    // With an empty grid no column is set; the next movement gets the widened width.
    QCOMPARE(g->columnCount(), 0);
    add(s, "Kyrie|0|9|0");
    auto& mov = *s->findChild<ObraMovements*>();
    QCOMPARE(mov.columnWidth(0), 4770.0f);
    QCOMPARE(g->columnWidth(0), twips::toPixels(4770));
    QCOMPARE(g->columnWidth(3), twips::toPixels(385));
    // Kept while another screen is shown; the show screen has its own layout.
    open(mdi, 15);
    s = open(mdi, kEntry);
    QCOMPARE(text(s, "LabExpandir"), QStringLiteral("><"));
    QCOMPARE(twips::left(grid(s)), 3555.0f);
    Screen* b = open(mdi, kBrowse);
    QCOMPARE(text(b, "LabExpandir"), QStringLiteral("<>"));
    QCOMPARE(twips::left(grid(b)), 4740.0f);
    s = open(mdi, kEntry);
    click(s, "LabExpandir");
    QVERIFY(!mdi.hub().MemoAnaObraAmpRed);
    QCOMPARE(twips::left(grid(s)), 4740.0f);
    QCOMPARE(twips::width(box(s, "TxtMovimiento")), 3660.0f);
    QCOMPARE(twips::width(w<QWidget>(s, "BtnAMList")), 4830.0f);
    // The pending movement came back with the screen, and takes the normal width now.
    QCOMPARE(cells(s), QStringList{"Kyrie|0|9|0"});
    QCOMPARE(s->findChild<ObraMovements*>()->columnWidth(0), 3585.0f);
}

void WorksObraTest::saveReadsBackAndUndo() {
    TempApp app;
    app.insert("Obra", {{"Nombre", "Anterior"}, {"Autor", "X"}});
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, kEntry);
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("1"));
    const QStringList values = {
        "TxtNombre|Misa",          "TxtNumero|2",        "TxtTonalidad|si menor", "TxtOpus|BWV",
        "TxtNumeroOpus|232",       "TxtCatalogo|BC",     "TxtNumeroCatalogo|E 1", "TxtFecha1|1733",
        "TxtSubtitulo|Missa tota", "TxtAutor|J. S. Bach"};
    for (const QString& v : values)
        QTest::keyClicks(box(s, qPrintable(v.section('|', 0, 0))), v.section('|', 1));
    w<QWidget>(s, "TxtNotas")->setFocus();
    QTest::keyClicks(w<QWidget>(s, "TxtNotas"), "Leipzig");
    add(s, " Kyrie eleison |0|10|40");
    add(s, "Gloria: in excelsis|1|05|30");
    add(s, "Credo|||");
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("01:16:10"));
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Se ha GUARDADO correctamente el Registro."});
    auto rows = app.rows(
        "SELECT *, typeof(TiempoTotal) AS t1, typeof(NumeroMovimientos) AS t2 "
        "FROM Obra ORDER BY Id");
    QCOMPARE(rows.size(), 2);
    const QVariantMap r = rows[1];
    QCOMPARE(r["Nombre"].toString(), QStringLiteral("Misa"));
    QCOMPARE(r["Numero"].toString(), QStringLiteral("2"));
    QCOMPARE(r["Tonalidad"].toString(), QStringLiteral("si menor"));
    QCOMPARE(r["NumeroOpus"].toString(), QStringLiteral("232"));
    QCOMPARE(r["NumeroCatalogo"].toString(), QStringLiteral("E 1"));
    QCOMPARE(r["Fecha1"].toInt(), 1733);
    QCOMPARE(r["Fecha2"].toInt(), 0);
    QCOMPARE(r["Subtitulo"].toString(), QStringLiteral("Missa tota"));
    QCOMPARE(r["Autor"].toString(), QStringLiteral("J. S. Bach"));
    QCOMPARE(r["Notas"].toString(), QStringLiteral("Leipzig"));
    QCOMPARE(r["Movimientos"].toString(),
             QStringLiteral(" Kyrie eleison #Gloria: in excelsis#Credo#"));
    QCOMPARE(r["Duraciones"].toString(), QStringLiteral("0:10:40#1:5:30#0:0:0#"));
    QCOMPARE(r["TiempoTotal"].toLongLong(), 4570LL);
    QCOMPARE(r["t1"].toString(), QStringLiteral("integer"));
    QCOMPARE(r["NumeroMovimientos"].toInt(), 3);
    QCOMPARE(r["t2"].toString(), QStringLiteral("integer"));
    // The screen is cleared, the counters grown, the register's selection is the whole table.
    QCOMPARE(grid(s)->rowCount(), 0);
    QVERIFY(text(s, "TxtTotal").isEmpty());
    QVERIFY(text(s, "TxtNumeroMovimientos").isEmpty());
    QVERIFY(box(s, "TxtNombre")->text().isEmpty());
    QVERIFY(w<QLabel>(s, "LabNombre")->text().isEmpty());
    QCOMPARE(text(s, "LabNumRegNuevos"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("2"));
    QCOMPARE(mdi.hub().reg[1].ContSel, 2);
    QVERIFY(mdi.hub().reg[1].MemoAna.value("Movimientos").isEmpty());

    // The show screen reads the movements back exactly.
    Screen* b = open(mdi, kBrowse);
    QLineEdit* orden = box(b, "TxtOrden");
    orden->setText(QStringLiteral("2"));
    QCOMPARE(box(b, "TxtNombre")->text(), QStringLiteral("Misa"));
    QCOMPARE(cells(b),
             (QStringList{" Kyrie eleison |0|10|40", "Gloria: in excelsis|1|5|30", "Credo|0|0|0"}));
    QCOMPARE(text(b, "TxtTotal"), QStringLiteral("01:16:10"));
    QCOMPARE(text(b, "TxtNumeroMovimientos"), QStringLiteral("3"));
    QCOMPARE(w<QLabel>(b, "LabNombre")->text(), QString::fromUtf8("Misa Nº 2 en si menor"));

    // Undo takes back the work just saved, and only it.
    s = open(mdi, kEntry);
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
    type(box(s, "TxtNombre"), QString::fromUtf8("Pasión"));
    QTest::keyClicks(box(s, "TxtAutor"), "Bach");
    add(s, "Coro|0|7|0");
    app.messages.clear();
    click(s, "BtnGuardar");
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Obra").toInt(), 3);
    click(s, "BtnDeshacer");
    QCOMPARE(app.scalar("SELECT group_concat(Nombre, ',') FROM Obra").toString(),
             QStringLiteral("Anterior,Misa"));
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
    QCOMPARE(text(s, "LabNumRegNuevos"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("2"));
    QCOMPARE(mdi.hub().reg[1].Cont, 2);
}

void WorksObraTest::saveNeedsBothIdentifiers_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("autor");
    QTest::newRow("no name") << "  "
                             << "Bach";
    QTest::newRow("no author") << "Misa"
                               << "   ";
    QTest::newRow("neither") << ""
                             << "";
}

void WorksObraTest::saveNeedsBothIdentifiers() {
    QFETCH(QString, nombre);
    QFETCH(QString, autor);
    TempApp app;
    Screen* s = open(app.enter(), kEntry);
    box(s, "TxtNombre")->setText(nombre);
    box(s, "TxtAutor")->setText(autor);
    add(s, "Kyrie|0|5|0");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Debe introducir un IDENTIFICADOR."});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Obra").toInt(), 0);
    // Nothing typed is lost but the blank identifiers, which are emptied and white.
    QCOMPARE(cells(s), QStringList{"Kyrie|0|5|0"});
    for (const char* name : {"TxtNombre", "TxtAutor"}) {
        QLineEdit* b = box(s, name);
        if (b->text().trimmed().isEmpty()) {
            QVERIFY(b->text().isEmpty());
            QCOMPARE(b->palette().color(QPalette::Base), QColor(255, 255, 255));
        }
    }
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
}

void WorksObraTest::pendingWorkSurvivesVisit() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, kEntry);
    type(box(s, "TxtNombre"), QString::fromUtf8("Sinfonía"));
    QTest::keyClicks(box(s, "TxtNumero"), "9");
    add(s, "Allegro ma non troppo|0|15|30");
    add(s, "Molto vivace|0|11|05");
    open(mdi, 23);
    s = open(mdi, kEntry);
    QCOMPARE(box(s, "TxtNombre")->text(), QString::fromUtf8("Sinfonía"));
    QCOMPARE(w<QLabel>(s, "LabNombre")->text(), QString::fromUtf8("Sinfonía Nº 9"));
    QCOMPARE(cells(s), (QStringList{"Allegro ma non troppo|0|15|30", "Molto vivace|0|11|5"}));
    QCOMPARE(text(s, "TxtTotal"), QStringLiteral("00:26:35"));
    QCOMPARE(text(s, "TxtNumeroMovimientos"), QStringLiteral("2"));
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QString::fromUtf8("Añadir"));
    // Deleting a restored movement is kept too.
    doubleClickRow(s, 0);
    box(s, "TxtMovimiento")->clear();
    click(s, "BtnAMList");
    open(mdi, 15);
    s = open(mdi, kEntry);
    QCOMPARE(cells(s), QStringList{"Molto vivace|0|11|5"});
}

QTEST_MAIN(WorksObraTest)
#include "test_works_obra.moc"
