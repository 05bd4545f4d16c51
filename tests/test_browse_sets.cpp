// The orchestra's show screen with its three name boxes, and the sets of orchestras, conductors
// and performers gathered on their show screens for the recording entry screen.
#include <QTableWidget>

#include "tests/browse_support.h"

class BrowseSetsTest : public QObject {
    Q_OBJECT
  private slots:
    void orchestraShowsNameInTheBoxOfItsKind();
    void setsGatherAndDropRecords_data();
    void setsGatherAndDropRecords();
    void setsStopAtTheirLimit_data();
    void setsStopAtTheirLimit();
    void modifyingOrDeletingErasesTheSet();
    void emptySelectionAddsNothing();
};

void BrowseSetsTest::orchestraShowsNameInTheBoxOfItsKind() {
    TempApp app;
    for (int k = 1; k <= 3; ++k)
        rs::insertRecord(app, registers::kOrquesta, QString("K%1").arg(k), {}, k);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kOrquesta, 2);
    QVERIFY(s);
    const char* names[] = {"TxtNombreOrquesta", "TxtNombreGrupo", "TxtNombreCoro"};
    for (int k = 1; k <= 3; ++k) {
        goTo(s, k);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(box(s, names[i])->text(),
                     i == k - 1 ? QString("K%1 Nombre").arg(k) : QString());
        QCOMPARE(label(s, "LabNombre"), QString("K%1 Nombre").arg(k));
    }
    // A group typed in while the name is in "Orquesta" is refused; moving the name changes kind.
    goTo(s, 1);
    click(s, "BtnModificar");
    QTest::keyClicks(box(s, "TxtNombreGrupo"), "x");
    QVERIFY(box(s, "TxtNombreGrupo")->text().isEmpty());
    type(s, "TxtNombreOrquesta", "");
    type(s, "TxtNombreGrupo", "Il Giardino Armonico");
    click(s, "BtnGuardar");
    const auto r = app.rows("SELECT Nombre, OrqGrpCor FROM Orquesta ORDER BY Id").first();
    QCOMPARE(r["Nombre"].toString(), QStringLiteral("Il Giardino Armonico"));
    QCOMPARE(r["OrqGrpCor"].toInt(), 2);
    QCOMPARE(box(s, "TxtNombreGrupo")->text(), QStringLiteral("Il Giardino Armonico"));
    QVERIFY(box(s, "TxtNombreOrquesta")->text().isEmpty());
}

void BrowseSetsTest::setsGatherAndDropRecords_data() {
    QTest::addColumn<int>("global");
    for (int g : {registers::kOrquesta, registers::kDirector, registers::kInterprete})
        QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

void BrowseSetsTest::setsGatherAndDropRecords() {
    QFETCH(int, global);
    TempApp app;
    QVector<qint64> keys;
    for (int i = 1; i <= 3; ++i) keys << rs::insertRecord(app, global, QString("R%1").arg(i));
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    static const char* const titles[] = {"Conjunto Orquesta-Coro-Grupo", "Grupo de Directores",
                                         "Grupo de Intérpretes (Solistas)"};
    QCOMPARE(label(s, "LabConjunto"), QString::fromUtf8(titles[global - registers::kOrquesta]));
    QCOMPARE(label(s, "LabRegistroGrabacion"), QString::fromUtf8("(Registro de Grabación)"));
    QCOMPARE(w<QWidget>(s, "BtnEliminarGrupo")->toolTip(),
             QString::fromUtf8("Eliminar un Registro (Señalar con Click) del Conjunto"));
    auto* grid = w<QTableWidget>(s, "MSFlexGrid1");
    QCOMPARE(grid->rowCount(), 0);
    QCOMPARE(w<QWidget>(s, QString::fromUtf8("BtnAñadirGrupo"))->toolTip(),
             QStringLiteral("Añadir el Registro al Conjunto"));
    for (int i = 0; i < 3; ++i) {
        click(s, QString::fromUtf8("BtnAñadirGrupo"));
        next(s);
    }
    // Adding the record shown twice keeps one line.
    click(s, QString::fromUtf8("BtnAñadirGrupo"));
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(mdi.hub().ConjuntoOrquesta.size() + mdi.hub().ConjuntoDirector.size() +
                 mdi.hub().ConjuntoInterprete.size(),
             3);
    QVERIFY(grid->item(1, 0)->text().contains("R2"));
    if (global == registers::kInterprete) {
        QCOMPARE(label(s, "LabNumeroInterpretes"), QStringLiteral("3"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("R1 Instrumento"));
    } else {
        QVERIFY(!s->findChild<QLabel*>("LabNumeroInterpretes"));
    }
    // "Eliminar" takes out the line clicked.
    const QRect cell = grid->visualItemRect(grid->item(1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    click(s, "BtnEliminarGrupo");
    QCOMPARE(grid->rowCount(), 2);
    QVERIFY(grid->item(0, 0)->text().contains("R1"));
    QVERIFY(grid->item(1, 0)->text().contains("R3"));
    if (global == registers::kInterprete)
        QCOMPARE(label(s, "LabNumeroInterpretes"), QStringLiteral("2"));
    // The set lives on in the hub.
    rs::leave(mdi);
    s = open(mdi, global, 2);
    grid = w<QTableWidget>(s, "MSFlexGrid1");
    QCOMPARE(grid->rowCount(), 2);
    const QVector<qint64> expect{keys[0], keys[2]};
    QCOMPARE(global == registers::kOrquesta   ? mdi.hub().ConjuntoOrquesta
             : global == registers::kDirector ? mdi.hub().ConjuntoDirector
                                              : mdi.hub().ConjuntoInterprete,
             expect);
}

void BrowseSetsTest::setsStopAtTheirLimit_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("message");
    QTest::newRow("Orquesta") << int(registers::kOrquesta) << 10
                              << QString::fromUtf8(
                                     "Máximo 10 Orquestas-Grupos-Coros en el Conjunto.");
    QTest::newRow("Director") << int(registers::kDirector) << 10
                              << QString::fromUtf8("Máximo 10 Directores en el Conjunto.");
    QTest::newRow("Interprete") << int(registers::kInterprete) << 100
                                << QString::fromUtf8("Máximo 100 Intérpretes en el Conjunto.");
}

void BrowseSetsTest::setsStopAtTheirLimit() {
    QFETCH(int, global);
    QFETCH(int, limit);
    QFETCH(QString, message);
    TempApp app;
    for (int i = 1; i <= limit + 1; ++i) rs::insertRecord(app, global, QString("R%1").arg(i));
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    for (int i = 0; i < limit; ++i) {
        click(s, QString::fromUtf8("BtnAñadirGrupo"));
        next(s);
    }
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(box(s, "TxtOrden")->text(), QString::number(limit + 1));
    click(s, QString::fromUtf8("BtnAñadirGrupo"));
    QCOMPARE(app.messages.texts(), QStringList{message});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(w<QTableWidget>(s, "MSFlexGrid1")->rowCount(), limit);
    if (global == registers::kInterprete)
        QCOMPARE(label(s, "LabNumeroInterpretes"), QString::number(limit));
    // Taking one out makes room again.
    auto* grid = w<QTableWidget>(s, "MSFlexGrid1");
    grid->scrollToItem(grid->item(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(0, 0)).center());
    click(s, "BtnEliminarGrupo");
    click(s, QString::fromUtf8("BtnAñadirGrupo"));
    QCOMPARE(grid->rowCount(), limit);
    QVERIFY(grid->item(limit - 1, 0)->text().contains(QString("R%1 ").arg(limit + 1)));
    QCOMPARE(app.messages.shown.size(), size_t(1));
}

void BrowseSetsTest::modifyingOrDeletingErasesTheSet() {
    TempApp app;
    for (int i = 1; i <= 3; ++i) rs::insertRecord(app, registers::kDirector, QString("R%1").arg(i));
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kDirector, 2);
    auto* grid = w<QTableWidget>(s, "MSFlexGrid1");
    auto add2 = [&] {
        click(s, QString::fromUtf8("BtnAñadirGrupo"));
        next(s);
        click(s, QString::fromUtf8("BtnAñadirGrupo"));
        QCOMPARE(grid->rowCount(), 2);
    };
    add2();
    // Cancelling changes nothing.
    click(s, "BtnModificar");
    click(s, "BtnDeshacer");
    click(s, "BtnEliminar");
    click(s, "BtnDeshacer");
    QCOMPARE(grid->rowCount(), 2);
    click(s, "BtnModificar");
    type(s, "TxtNombre", "Otro");
    click(s, "BtnGuardar");
    QCOMPARE(grid->rowCount(), 0);
    QVERIFY(mdi.hub().ConjuntoDirector.isEmpty());
    goTo(s, 1);
    add2();
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(rs::count(app, registers::kDirector), 2);
    QCOMPARE(grid->rowCount(), 0);
    QVERIFY(mdi.hub().ConjuntoDirector.isEmpty());
}

void BrowseSetsTest::emptySelectionAddsNothing() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kInterprete, 2);
    QVERIFY(s);
    click(s, QString::fromUtf8("BtnAñadirGrupo"));
    QCOMPARE(app.messages.texts(), QStringList{"No ha elegido un registro."});
    QCOMPARE(w<QTableWidget>(s, "MSFlexGrid1")->rowCount(), 0);
    QCOMPARE(label(s, "LabNumeroInterpretes"), QStringLiteral("0"));
    QVERIFY(mdi.hub().ConjuntoInterprete.isEmpty());
    // Nothing to take out either.
    click(s, "BtnEliminarGrupo");
    QCOMPARE(app.messages.shown.size(), size_t(1));
}

QTEST_MAIN(BrowseSetsTest)
#include "test_browse_sets.moc"
