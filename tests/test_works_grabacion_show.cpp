// The recording show screen: recordings read back with their linked records' current values
// (after edits on the composer and performer show screens), links and notes modified, the blank
// carrier refused, cancel, deletion, reduce/expand; and the refused deletion of a record that a
// recording links, on that record's own show screen.
#include <QDialog>
#include <QFrame>
#include <QPointer>

#include "shell/windowing/look.h"
#include "tests/test_works_grabacion_support.h"

using namespace gt;

class GrabacionShowTest : public QObject {
    Q_OBJECT
  private slots:
    void savedRecordingReadsBack();
    void showsLinkedRecordsAsTheyAreNow();
    void modifiesLinksAndNotes();
    void blankCarrierRefusedAndCancelRestores();
    void deletesRecording();
    void reduceExpandIsKept();
    void linkedRecordDeletionRefused_data();
    void linkedRecordDeletionRefused();
    void setPicturesOnDoubleClick_data();
    void setPicturesOnDoubleClick();
};

void GrabacionShowTest::savedRecordingReadsBack() {
    TempApp app;
    Keys k = catalogue(app, false);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    hub.PosicionCompositor() = 2;
    hub.reg[1].Posicion = 2;
    hub.reg[5].Posicion = 2;
    hub.ConjuntoOrquesta = {k.ebs};
    hub.ConjuntoDirector = {k.harnoncourt, k.gardiner};
    hub.ConjuntoInterprete = {k.argenta, k.otter};
    Screen* s = go(mdi, 0, 6);
    for (const char* lab :
         {"LabCompositor", "LabObra", "LabOrquesta", "LabDirector", "LabInterprete", "LabSoporte"})
        click(s, lab);
    w<QTextEdit>(s, "TxtNotas")->setPlainText("Venecia, 1990");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList({"Se ha GUARDADO correctamente el Registro."}));

    s = go(mdi, 2, 6);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1MosGrabacion"));
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Vivaldi"));
    QCOMPARE(text(s, "LabObraNombre"), QStringLiteral("Gloria"));
    QCOMPARE(text(s, "LabObraTotal"), QStringLiteral("00:30:00"));
    QCOMPARE(column(s, "FlexOrquesta", 0), QStringList({"English Baroque Soloists"}));
    QCOMPARE(column(s, "FlexDirectores", 0),
             QStringList({"Nikolaus Harnoncourt", "John Eliot Gardiner"}));
    QCOMPARE(column(s, "FlexInterpretes", 0),
             QStringList({"Nancy Argenta", "Anne Sofie von Otter"}));
    QCOMPARE(text(s, "LabInterpreteNumeroInterprete"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabSoporteDiscografica"), QStringLiteral("Decca"));
    QCOMPARE(w<QTextEdit>(s, "TxtNotas")->toPlainText(), QStringLiteral("Venecia, 1990"));
    // Viewing: no remove button, and a bring label changes nothing.
    QVERIFY(w<QPushButton>(s, "BtnEliImaCompositor")->isHidden());
    hub.PosicionCompositor() = 1;
    click(s, "LabCompositor");
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Vivaldi"));
}

void GrabacionShowTest::showsLinkedRecordsAsTheyAreNow() {
    TempApp app;
    catalogue(app, true);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 2, 6);
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    QCOMPARE(column(s, "FlexOrquesta", 0),
             QStringList({"English Baroque Soloists", "Monteverdi Choir"}));
    QCOMPARE(column(s, "FlexInterpretes", 0),
             QStringList({"Anne Sofie von Otter", "Nancy Argenta"}));
    QCOMPARE(w<QTextEdit>(s, "TxtNotas")->toPlainText(), QStringLiteral("Gardiner 1985"));
    moveTo(s, 3);
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Mozart"));
    QCOMPARE(column(s, "FlexDirectores", 0),
             QStringList({"John Eliot Gardiner", "Nikolaus Harnoncourt"}));
    QCOMPARE(text(s, "LabSoporteDiscografica"), QStringLiteral("Archiv"));

    // The composer and a performer edited on their own show screens.
    s = go(mdi, 2, 0);
    moveTo(s, 1);
    click(s, "BtnModificar");
    w<QLineEdit>(s, "TxtApellidos")->setText("Bach (J. S.)");
    click(s, "BtnGuardar");
    s = go(mdi, 2, 4);
    moveTo(s, 2);
    click(s, "BtnModificar");
    w<QLineEdit>(s, "TxtInstrumento")->setText("Soprano lírica");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());

    s = go(mdi, 2, 6);
    moveTo(s, 1);
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach (J. S.)"));
    QCOMPARE(column(s, "FlexInterpretes", 1),
             QStringList({"Mezzosoprano", QString::fromUtf8("Soprano lírica")}));
    moveTo(s, 2);
    QCOMPARE(column(s, "FlexInterpretes", 1), QStringList({QString::fromUtf8("Soprano lírica")}));
}

void GrabacionShowTest::modifiesLinksAndNotes() {
    TempApp app;
    Keys k = catalogue(app, true);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    hub.PosicionCompositor() = 2;
    hub.ConjuntoInterprete = {k.argenta};
    Screen* s = go(mdi, 2, 6);
    click(s, "BtnModificar");
    QVERIFY(!w<QPushButton>(s, "BtnEliImaDirector")->isHidden());
    click(s, "LabCompositor");
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Vivaldi"));
    click(s, "LabInterprete");
    click(s, "BtnEliImaDirector");
    QCOMPARE(column(s, "FlexDirectores", 0), QStringList());
    w<QTextEdit>(s, "TxtNotas")->setPlainText("Londres, 1985");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());

    const auto row = app.rows(QString("SELECT * FROM Grabacion WHERE Id = %1").arg(k.r1));
    QCOMPARE(row[0]["CompositorId"].toLongLong(), k.vivaldi);
    QCOMPARE(row[0]["ObraId"].toLongLong(), k.misa);
    QCOMPARE(row[0]["Notas"].toString(), QStringLiteral("Londres, 1985"));
    QCOMPARE(
        app.scalar(
               QString("SELECT COUNT(*) FROM GrabacionDirector WHERE GrabacionId = %1").arg(k.r1))
            .toInt(),
        0);
    QCOMPARE(app.scalar(QString("SELECT GROUP_CONCAT(RegistroId) FROM GrabacionInterprete WHERE "
                                "GrabacionId = %1")
                            .arg(k.r1))
                 .toString(),
             QString::number(k.argenta));
    // The other recordings keep their links.
    QCOMPARE(
        app.scalar(
               QString("SELECT COUNT(*) FROM GrabacionDirector WHERE GrabacionId = %1").arg(k.r3))
            .toInt(),
        2);
    // Back to viewing, showing what was stored.
    QVERIFY(!w<QPushButton>(s, "BtnGuardar")->isEnabled());
    QVERIFY(w<QPushButton>(s, "BtnEliImaCompositor")->isHidden());
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Vivaldi"));
    QCOMPARE(column(s, "FlexInterpretes", 0), QStringList({"Nancy Argenta"}));
}

void GrabacionShowTest::blankCarrierRefusedAndCancelRestores() {
    TempApp app;
    Keys k = catalogue(app, true);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 2, 6);
    click(s, "BtnModificar");
    click(s, "BtnEliImaSoporte");
    click(s, "BtnEliImaOrquesta");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList({"Debe introducir un IDENTIFICADOR."}));
    QVERIFY(w<QPushButton>(s, "BtnGuardar")->isEnabled());  // still editing
    QCOMPARE(
        app.scalar(QString("SELECT SoporteId FROM Grabacion WHERE Id = %1").arg(k.r1)).toLongLong(),
        k.archiv);
    click(s, "BtnDeshacer");
    QCOMPARE(text(s, "LabSoporteDiscografica"), QStringLiteral("Archiv"));
    QCOMPARE(column(s, "FlexOrquesta", 0),
             QStringList({"English Baroque Soloists", "Monteverdi Choir"}));
    QVERIFY(!w<QPushButton>(s, "BtnGuardar")->isEnabled());
}

void GrabacionShowTest::deletesRecording() {
    TempApp app;
    Keys k = catalogue(app, true);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 2, 6);
    moveTo(s, 2);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 2);
    QCOMPARE(
        app.scalar(
               QString("SELECT COUNT(*) FROM GrabacionInterprete WHERE GrabacionId = %1").arg(k.r2))
            .toInt(),
        0);
    QCOMPARE(mdi.hub().reg[6].Cont, 2);
    QCOMPARE(mdi.hub().reg[6].ContEli, 1);
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));  // the previous one
    // The records it linked are free now: Decca can go.
    s = go(mdi, 2, 5);
    moveTo(s, 2);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Soporte").toInt(), 1);
}

void GrabacionShowTest::reduceExpandIsKept() {
    TempApp app;
    catalogue(app, true);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 2, 6);
    QFrame* f = w<QFrame>(s, "Frame1");
    QCOMPARE(twips::height(f), 3870.0f);
    click(s, "BtnReducirAmpliar");
    QCOMPARE(twips::height(f), 2255.0f);
    QCOMPARE(twips::top(f), 4260.0f);
    QCOMPARE(text(s, "BtnReducirAmpliar"), QStringLiteral("Ampliar"));
    QVERIFY(mdi.hub().MemoGraRedAmp);
    s = go(mdi, 0, 6);
    s = go(mdi, 2, 6);
    f = w<QFrame>(s, "Frame1");
    QCOMPARE(twips::height(f), 2255.0f);
    QCOMPARE(text(s, "BtnReducirAmpliar"), QStringLiteral("Ampliar"));
    click(s, "BtnReducirAmpliar");
    QCOMPARE(twips::height(f), 3870.0f);
    QCOMPARE(twips::top(f), 3750.0f);
    QVERIFY(!mdi.hub().MemoGraRedAmp);
}

void GrabacionShowTest::linkedRecordDeletionRefused_data() {
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("users");
    QTest::newRow("compositor") << 0 << 1 << "Compositor" << 1;
    QTest::newRow("orquesta") << 2 << 1 << "Orquesta" << 2;
    QTest::newRow("director") << 3 << 2 << "Director" << 1;
    QTest::newRow("interprete") << 4 << 2 << "Interprete" << 2;
    QTest::newRow("soporte") << 5 << 1 << "Soporte" << 2;
}

void GrabacionShowTest::linkedRecordDeletionRefused() {
    QFETCH(int, reg);
    QFETCH(int, position);
    QFETCH(QString, table);
    QFETCH(int, users);
    TempApp app;
    catalogue(app, true);
    // One record that no recording uses, last in its table.
    app.insert(table, {{registers::at(reg).identifierColumns().first(), "Libre"}});
    FormMdi& mdi = app.enter();
    const int before = app.scalar("SELECT COUNT(*) FROM " + table).toInt();
    Screen* s = go(mdi, 2, reg);
    moveTo(s, position);
    click(s, "BtnEliminar");
    QCOMPARE(app.messages.texts(), QStringList({mdi.hub().MensaRegistroEnUso.arg(users)}));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QVERIFY(!w<QPushButton>(s, "BtnGuardar")->isEnabled());  // no deletion pending
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + table).toInt(), before);
    QCOMPARE(mdi.hub().reg[reg].Cont, before);
    QCOMPARE(mdi.hub().reg[reg].ContEli, 0);
    // The free record goes.
    app.messages.clear();
    moveTo(s, before);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + table).toInt(), before - 1);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + table + " WHERE " +
                        registers::at(reg).identifierColumns().first() + " = 'Libre'")
                 .toInt(),
             0);
}

void GrabacionShowTest::setPicturesOnDoubleClick_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<bool>>("pictures");  // whether each member has a picture of its own
    QTest::newRow("performers") << "FlexInterpretes" << QString::fromUtf8("Intérprete")
                                << QStringList{"Anne Sofie von Otter", "Nancy Argenta"}
                                << QList<bool>{true, false};
    QTest::newRow("ensembles") << "FlexOrquesta"
                               << "Orquesta - Grupo"
                               << QStringList{"English Baroque Soloists", "Monteverdi Choir"}
                               << QList<bool>{false, true};
}

// A double click on a set's names shows the members' pictures with their names, in set order,
// in a window of the screen's look; closing it leaves the screen as it was.
void GrabacionShowTest::setPicturesOnDoubleClick() {
    QFETCH(QString, table);
    QFETCH(QString, caption);
    QFETCH(QStringList, names);
    QFETCH(QList<bool>, pictures);
    TempApp app;
    Keys k = catalogue(app, true);
    const QString otter = makePicture(app.folder(), "otter.png", 60, 120);
    const QString choir = makePicture(app.folder(), "coro.png", 160, 80);
    app.exec(QString("UPDATE Interprete SET Imagen = '%1' WHERE Id = %2").arg(otter).arg(k.otter));
    app.exec(QString("UPDATE Orquesta SET Imagen = '%1' WHERE Id = %2").arg(choir).arg(k.choir));
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 2, 6);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1MosGrabacion"));
    QVERIFY(!s->findChild<QDialog*>(QStringLiteral("FormConjuntoImagenes")));
    const QStringList before = column(s, table, 0);
    QCOMPARE(before, names);
    QTableWidget* list = w<QTableWidget>(s, table);
    // A double click on the second name: the view takes it on the row its press chose.
    const QPoint at = list->visualItemRect(list->item(1, 0)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QPointer<QDialog> window = s->findChild<QDialog*>(QStringLiteral("FormConjuntoImagenes"));
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->isModal());
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Imágenes del Conjunto: ") + caption);
    QCOMPARE(window->palette().color(QPalette::Window), look::kPanel);
    for (int i = 0; i < names.size(); ++i) {
        QLabel* name = w<QLabel>(window, QString("LabConjunto_%1").arg(i));
        QVERIFY(name);
        QCOMPARE(name->text(), names[i]);
        auto* picture = w<PictureBox>(window, QString("ImagenConjunto_%1").arg(i));
        QVERIFY(picture && picture->isVisible());
        QCOMPARE(picture->image() != PictureBox::placeholder(), pictures[i]);
        // The picture stands above its name, within its square.
        QVERIFY(picture->geometry().bottom() <= name->geometry().top());
        if (i > 0)
            QVERIFY(twips::left(picture) >
                    twips::left(w<QWidget>(window, QString("ImagenConjunto_%1").arg(i - 1))));
    }
    QVERIFY(!window->findChild<QLabel*>(QString("LabConjunto_%1").arg(names.size())));

    click(window, "BtnCerrar");
    QVERIFY(!window);
    QCOMPARE(current(mdi), s);
    QCOMPARE(column(s, table, 0), before);
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    QVERIFY(!w<QPushButton>(s, "BtnGuardar")->isEnabled());
    QVERIFY(app.messages.shown.empty());
}

QTEST_MAIN(GrabacionShowTest)
#include "test_works_grabacion_show.moc"
