// The recording entry screen: the composer slot brought by a visit to the composer show screen
// and "Retorno", kept across visits, removed; the partial-selection message naming each register
// with its OK and Cancel paths; every other kind of slot, the sets gathered on their show
// screens; saving with the carrier as identifier, taking the save back.
#include "selection/apply.h"
#include "tests/test_works_grabacion_support.h"
#include "works/grabacion_entry.h"

using namespace gt;

namespace {

const QString kPartial = QString::fromUtf8(
    "\r    La 'Selección Actual' de:\r\r    - %1\r\r    NO MUESTRA TODOS los registros y debe "
    "cerrarse para continuar.   \r\r");

}  // namespace

class GrabacionEntryTest : public QObject {
    Q_OBJECT
  private slots:
    void composerRoundTrip();
    void composerWithoutSecondDate();
    void partialSelectionOk();
    void partialSelectionCancel();
    void partialSelectionNamesEachRegister();
    void bringsEverySlot();
    void setsGatheredOnShowScreens();
    void outOfRangePositionDropsLink();
    void linksFollowKeysNotPositions();
    void workVisitAndReturn();
    void saveNeedsCarrierAndStoresLinks();
    void undoTakesBackTheSave();
    void failedSaveIsReported();
    void sameLinksAskBeforeSaving();
};

void GrabacionEntryTest::composerRoundTrip() {
    TempApp app;
    const QString pic = makePicture(app.folder(), "bach.png", 200, 100);
    Keys k = catalogue(app, false, pic);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 0, 6);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaGrabacion"));
    QCOMPARE(text(s, "LabCompositor"), QStringLiteral("Compositor"));
    QCOMPARE(w<QLabel>(s, "LabCompositor")->toolTip(), QStringLiteral("Traer Compositor"));
    QVERIFY(w<QPushButton>(s, "BtnEliImaCompositor")->isHidden());
    QCOMPARE(text(s, "LabNumCamposNuevo"), QStringLiteral("39"));
    QCOMPARE(text(s, "LabNumCamposTotal"), QStringLiteral("39"));

    // The visit: the composer show screen with "Retorno" in sight.
    doubleClick(s, "ImagenCompositor");
    Screen* b = current(mdi);
    QCOMPARE(b->objectName(), QStringLiteral("FormReg1MosCompositor"));
    QVERIFY(mdi.context().RetornoGrabacion);
    QPushButton* retorno = w<QPushButton>(b, "BtnRegresar");
    QCOMPARE(twips::left(retorno), 3390.0f);
    QCOMPARE(twips::top(retorno), 7230.0f);
    moveTo(b, 3);
    click(b, "BtnRegresar");
    s = current(mdi);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaGrabacion"));
    QVERIFY(!mdi.context().RetornoGrabacion);

    click(s, "LabCompositor");
    QCOMPARE(text(s, "LabCompositorNombre"), QStringLiteral("Wolfgang Amadeus"));
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Mozart"));
    QCOMPARE(text(s, "LabCompositorFecha1"), QStringLiteral("1756"));
    QCOMPARE(text(s, "LabCompositorFecha2"), QStringLiteral("1791"));
    QVERIFY(!w<QPushButton>(s, "BtnEliImaCompositor")->isHidden());
    QCOMPARE(mdi.hub().MemoAnaGraCompositorPosicion, 3);
    QCOMPARE(mdi.hub().MemoAnaGraLink[0], k.mozart);

    // Bach, with his picture centred in the 1935 square.
    s = go(mdi, 2, 0);
    moveTo(s, 1);
    s = go(mdi, 0, 6);
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Mozart"));  // kept
    click(s, "LabCompositor");
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    s = go(mdi, 3, 1);
    s = go(mdi, 0, 6);
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    PictureBox* img = w<PictureBox>(s, "ImagenCompositor");
    QCOMPARE(twips::width(img), 1935.0f);
    QCOMPARE(twips::height(img), 967.5f);
    QCOMPARE(twips::left(img), 495.0f);
    QCOMPARE(twips::top(img), 390.0f + (1935.0f - 967.5f) / 2);

    // Removed: placeholder, empty labels, hidden button, and nothing on the next return.
    click(s, "BtnEliImaCompositor");
    QCOMPARE(text(s, "LabCompositorApellidos"), QString());
    QCOMPARE(text(s, "LabCompositorNombre"), QString());
    QVERIFY(w<QPushButton>(s, "BtnEliImaCompositor")->isHidden());
    QCOMPARE(twips::width(img), 1935.0f);
    QCOMPARE(twips::height(img), 1935.0f);
    QCOMPARE(img->image(), w<PictureBox>(s, "ImagenTontaCompositor")->image());
    QCOMPARE(mdi.hub().MemoAnaGraCompositorPosicion, -1);
    s = go(mdi, 2, 0);
    s = go(mdi, 0, 6);
    QCOMPARE(text(s, "LabCompositorApellidos"), QString());
    QVERIFY(app.messages.shown.empty());
}

void GrabacionEntryTest::composerWithoutSecondDate() {
    TempApp app;
    catalogue(app, false);
    FormMdi& mdi = app.enter();
    mdi.hub().PosicionCompositor() = 2;
    Screen* s = go(mdi, 0, 6);
    click(s, "LabCompositor");
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Vivaldi"));
    QCOMPARE(text(s, "LabCompositorFecha1"), QStringLiteral("1678"));
    QCOMPARE(text(s, "LabCompositorFecha2"), QString());
}

void GrabacionEntryTest::partialSelectionOk() {
    TempApp app;
    catalogue(app, false);
    FormMdi& mdi = app.enter();
    mdi.hub().PosicionCompositor() = 3;
    Screen* s = go(mdi, 0, 6);
    click(s, "LabCompositor");
    selection::applyStatement(mdi.hub(), 0, "SELECT * FROM Compositor WHERE Apellidos = 'Bach'");
    QCOMPARE(mdi.hub().ContSelCompositor(), 1);
    app.messages.answer(QMessageBox::Ok);
    s = go(mdi, 0, 6);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const ShownMessage& m = app.messages.shown[0];
    QCOMPARE(m.text, kPartial.arg("Compositor"));
    QCOMPARE(m.icon, QMessageBox::Question);
    QCOMPARE(m.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaGrabacion"));
    QCOMPARE(text(s, "LabCompositorApellidos"), QString());  // the link was dropped
    QVERIFY(w<QPushButton>(s, "BtnEliImaCompositor")->isHidden());
    QCOMPARE(mdi.hub().MemoAnaGraCompositorPosicion, -1);
    QCOMPARE(mdi.hub().ContSelCompositor(), 3);
    QCOMPARE(mdi.hub().ContFilCompositor(), 0);
    QCOMPARE(mdi.hub().Data[0].RecordSource, QStringLiteral("SELECT * FROM Compositor "));
    QCOMPARE(long(mdi.hub().Data[0].recordset().RecordCount()), 3L);
    QVERIFY(mdi.hub().MemoSelCompLista().isEmpty());
}

void GrabacionEntryTest::partialSelectionCancel() {
    TempApp app;
    catalogue(app, false);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 0, 6);
    click(s, "LabCompositor");
    selection::applyStatement(mdi.hub(), 0, "SELECT * FROM Compositor WHERE Apellidos = 'Bach'");
    app.messages.answer(QMessageBox::Cancel);
    s = go(mdi, 0, 6);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1SelCompositor"));
    QCOMPARE(mdi.hub().ContSelCompositor(), 1);  // nothing else happened
    QCOMPARE(mdi.hub().MemoAnaGraCompositorPosicion, 1);
}

void GrabacionEntryTest::partialSelectionNamesEachRegister() {
    TempApp app;
    catalogue(app, false);
    FormMdi& mdi = app.enter();
    selection::applyStatement(mdi.hub(), 2, "SELECT * FROM Orquesta WHERE OrqGrpCor = 3");
    selection::applyStatement(mdi.hub(), 5, "SELECT * FROM Soporte WHERE Discografica = 'Decca'");
    app.messages.answer(QMessageBox::Ok);
    app.messages.answer(QMessageBox::Cancel);
    Screen* s = go(mdi, 0, 6);
    QCOMPARE(app.messages.texts(),
             QStringList({kPartial.arg("Orquesta - Grupo"), kPartial.arg("Soporte")}));
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1SelSoporte"));
    QCOMPARE(mdi.hub().reg[2].ContSel, 2);  // closed by OK
    QCOMPARE(mdi.hub().reg[5].ContSel, 1);  // left by Cancel
    app.messages.clear();
    app.messages.answer(QMessageBox::Ok);
    s = go(mdi, 0, 6);
    QCOMPARE(app.messages.texts(), QStringList({kPartial.arg("Soporte")}));
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaGrabacion"));
}

void GrabacionEntryTest::bringsEverySlot() {
    TempApp app;
    Keys k = catalogue(app, false);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    hub.reg[1].Posicion = 1;
    hub.reg[2].Posicion = 2;
    hub.reg[3].Posicion = 2;
    hub.reg[4].Posicion = 1;
    hub.reg[5].Posicion = 1;
    Screen* s = go(mdi, 0, 6);
    for (const char* lab : {"LabObra", "LabOrquesta", "LabDirector", "LabInterprete", "LabSoporte"})
        click(s, lab);
    QCOMPARE(text(s, "LabObraNombre"), QStringLiteral("Misa en si menor"));
    QCOMPARE(text(s, "LabObraTonalidad"), QStringLiteral("si menor"));
    QCOMPARE(text(s, "LabObraCatalogo"), QStringLiteral("BWV"));
    QCOMPARE(text(s, "LabObraNumeroCatalogo"), QStringLiteral("232"));
    QCOMPARE(text(s, "LabObraFecha1"), QString());
    QCOMPARE(text(s, "LabObraTotal"), QStringLiteral("00:30:30"));
    QCOMPARE(text(s, "LabObraNumeroMovimientos"), QStringLiteral("2"));
    QCOMPARE(column(s, "FlexMovimientos", 1), QStringList({"Kyrie", "Gloria"}));
    QCOMPARE(column(s, "FlexMovimientos", 2), QStringList({"00:10:00", "00:20:30"}));
    QCOMPARE(column(s, "FlexOrquesta", 0), QStringList({"Monteverdi Choir"}));
    QCOMPARE(column(s, "FlexDirectores", 0), QStringList({"Nikolaus Harnoncourt"}));
    QCOMPARE(column(s, "FlexInterpretes", 0), QStringList({"Anne Sofie von Otter"}));
    QCOMPARE(column(s, "FlexInterpretes", 1), QStringList({"Mezzosoprano"}));
    QCOMPARE(text(s, "LabInterpreteNumeroInterprete"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabSoporteDiscografica"), QStringLiteral("Archiv"));
    QCOMPARE(text(s, "LabSoporteNumeroCatalogo"), QStringLiteral("415 514"));
    QCOMPARE(text(s, "LabSoporteFormato"), QStringLiteral("CD"));
    QCOMPARE(hub.MemoAnaGraLink[1], k.misa);
    QCOMPARE(hub.MemoAnaGraLink[5], k.archiv);
    QCOMPARE(hub.MemoAnaGraConjunto[3], QVector<qint64>({k.harnoncourt}));

    // Kept across a visit elsewhere.
    s = go(mdi, 2, 4);
    s = go(mdi, 0, 6);
    QCOMPARE(text(s, "LabObraNombre"), QStringLiteral("Misa en si menor"));
    QCOMPARE(column(s, "FlexDirectores", 0), QStringList({"Nikolaus Harnoncourt"}));
    QCOMPARE(text(s, "LabSoporteDiscografica"), QStringLiteral("Archiv"));

    // Each remove button empties its slot only.
    const struct {
        const char* button;
        int reg;
    } removes[] = {{"BtnEliImaObra", 1},
                   {"BtnEliImaOrquesta", 2},
                   {"BtnEliImaDirector", 3},
                   {"BtnEliImaInterprete", 4},
                   {"BtnEliImaSoporte", 5}};
    for (const auto& r : removes) {
        QVERIFY2(!w<QPushButton>(s, r.button)->isHidden(), r.button);
        click(s, r.button);
        QVERIFY2(w<QPushButton>(s, r.button)->isHidden(), r.button);
        QCOMPARE(hub.MemoAnaGraLink[size_t(r.reg)], 0);
        QVERIFY(hub.MemoAnaGraConjunto[size_t(r.reg)].isEmpty());
    }
    QCOMPARE(text(s, "LabObraNombre"), QString());
    QCOMPARE(column(s, "FlexMovimientos", 1), QStringList());
    QCOMPARE(column(s, "FlexOrquesta", 0), QStringList());
    QCOMPARE(text(s, "LabInterpreteNumeroInterprete"), QStringLiteral("0"));
    QCOMPARE(text(s, "LabSoporteDiscografica"), QString());
    QVERIFY(app.messages.shown.empty());
}

void GrabacionEntryTest::setsGatheredOnShowScreens() {
    TempApp app;
    Keys k = catalogue(app, false);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 0, 6);
    // Performers: gathered on their show screen during the visit, in the order chosen.
    doubleClick(s, "ImagenInterprete");
    Screen* b = current(mdi);
    QCOMPARE(b->objectName(), QStringLiteral("FormReg1MosInterprete"));
    moveTo(b, 2);
    click(b, QString::fromUtf8("BtnAñadirGrupo"));
    moveTo(b, 1);
    click(b, QString::fromUtf8("BtnAñadirGrupo"));
    click(b, "BtnRegresar");
    s = current(mdi);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaGrabacion"));
    click(s, "LabInterprete");
    QCOMPARE(column(s, "FlexInterpretes", 0),
             QStringList({"Nancy Argenta", "Anne Sofie von Otter"}));
    QCOMPARE(column(s, "FlexInterpretes", 1), QStringList({"Soprano", "Mezzosoprano"}));
    QCOMPARE(text(s, "LabInterpreteNumeroInterprete"), QStringLiteral("2"));
    QCOMPARE(mdi.hub().MemoAnaGraConjunto[4], QVector<qint64>({k.argenta, k.otter}));
    // Ensembles.
    doubleClick(s, "ImagenOrquesta");
    b = current(mdi);
    QCOMPARE(b->objectName(), QStringLiteral("FormReg1MosOrquesta"));
    click(b, QString::fromUtf8("BtnAñadirGrupo"));
    moveTo(b, 2);
    click(b, QString::fromUtf8("BtnAñadirGrupo"));
    click(b, "BtnRegresar");
    s = current(mdi);
    click(s, "LabOrquesta");
    QCOMPARE(column(s, "FlexOrquesta", 0),
             QStringList({"English Baroque Soloists", "Monteverdi Choir"}));
    // The performers are still there.
    QCOMPARE(text(s, "LabInterpreteNumeroInterprete"), QStringLiteral("2"));
}

void GrabacionEntryTest::outOfRangePositionDropsLink() {
    TempApp app;
    catalogue(app, false);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 0, 6);
    click(s, "LabCompositor");
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    mdi.hub().PosicionCompositor() = 9;
    click(s, "LabCompositor");
    QCOMPARE(mdi.hub().MemoAnaGraCompositorPosicion, -1);
    QCOMPARE(text(s, "LabCompositorApellidos"), QString());
    // An empty selection: nothing happens.
    mdi.hub().PosicionCompositor() = 1;
    click(s, "LabCompositor");
    selection::applyStatement(mdi.hub(), 0, "SELECT * FROM Compositor WHERE Apellidos = 'X'");
    click(s, "LabCompositor");
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
}

void GrabacionEntryTest::linksFollowKeysNotPositions() {
    TempApp app;
    Keys k = catalogue(app, false);
    FormMdi& mdi = app.enter();
    mdi.hub().PosicionCompositor() = 3;
    mdi.hub().reg[4].Posicion = 2;
    Screen* s = go(mdi, 0, 6);
    click(s, "LabCompositor");
    click(s, "LabInterprete");
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Mozart"));
    // Bach (before Mozart) and the linked performer are deleted on their show screens, which
    // nothing refuses: the recording is not stored yet.
    s = go(mdi, 2, 0);
    moveTo(s, 1);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    s = go(mdi, 2, 4);
    moveTo(s, 2);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    s = go(mdi, 0, 6);
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Mozart"));
    QCOMPARE(mdi.hub().MemoAnaGraLink[0], k.mozart);
    QCOMPARE(column(s, "FlexInterpretes", 0), QStringList());
    QCOMPARE(text(s, "LabInterpreteNumeroInterprete"), QStringLiteral("0"));
    QVERIFY(w<QPushButton>(s, "BtnEliImaInterprete")->isHidden());
    QVERIFY(mdi.hub().MemoAnaGraConjunto[4].isEmpty());
    // The linked composer itself deleted: the slot is empty on return.
    s = go(mdi, 2, 0);
    moveTo(s, 2);
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    s = go(mdi, 0, 6);
    QCOMPARE(text(s, "LabCompositorApellidos"), QString());
    QCOMPARE(mdi.hub().MemoAnaGraCompositorPosicion, -1);
    QVERIFY(app.messages.shown.empty());
}

void GrabacionEntryTest::workVisitAndReturn() {
    TempApp app;
    Keys k = catalogue(app, false);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 0, 6);
    doubleClick(s, "ImagenObra");
    Screen* b = current(mdi);
    QCOMPARE(b->objectName(), QStringLiteral("FormReg1MosObra"));
    QPushButton* retorno = w<QPushButton>(b, "BtnRegresar");
    QCOMPARE(twips::left(retorno), 3390.0f);
    QCOMPARE(twips::top(retorno), 7230.0f);
    moveTo(b, 3);
    click(b, "BtnRegresar");
    s = current(mdi);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1AnaGrabacion"));
    click(s, "LabObra");
    QCOMPARE(text(s, "LabObraNombre"), QStringLiteral("Requiem"));
    QCOMPARE(text(s, "LabObraTonalidad"), QStringLiteral("re menor"));
    QCOMPARE(text(s, "LabObraTotal"), QStringLiteral("01:01:40"));
    QCOMPARE(mdi.hub().MemoAnaGraLink[1], k.requiem);
    // Reached by the tabs instead, "Retorno" stays out of sight and does nothing.
    b = go(mdi, 2, 1);
    QVERIFY(!mdi.context().RetornoGrabacion);
    QCOMPARE(twips::left(w<QPushButton>(b, "BtnRegresar")), 4800.0f);
    click(b, "BtnRegresar");
    QCOMPARE(current(mdi)->objectName(), QStringLiteral("FormReg1MosObra"));
}

void GrabacionEntryTest::saveNeedsCarrierAndStoresLinks() {
    TempApp app;
    Keys k = catalogue(app, false);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    hub.reg[1].Posicion = 1;
    hub.ConjuntoOrquesta = {k.choir, k.ebs};
    hub.ConjuntoInterprete = {k.argenta};
    Screen* s = go(mdi, 0, 6);
    for (const char* lab :
         {"LabCompositor", "LabObra", "LabOrquesta", "LabDirector", "LabInterprete"})
        click(s, lab);
    auto* notas = w<QTextEdit>(s, "TxtNotas");
    notas->setPlainText("Gardiner 1985");

    // Without a carrier: the identifier message, nothing written, nothing lost.
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList({"Debe introducir un IDENTIFICADOR."}));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 0);
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    QCOMPARE(notas->toPlainText(), QStringLiteral("Gardiner 1985"));

    // Notes kept across a visit as well.
    s = go(mdi, 2, 5);
    s = go(mdi, 0, 6);
    QCOMPARE(w<QTextEdit>(s, "TxtNotas")->toPlainText(), QStringLiteral("Gardiner 1985"));
    app.messages.clear();
    click(s, "LabSoporte");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList({"Se ha GUARDADO correctamente el Registro."}));
    const auto rows = app.rows("SELECT * FROM Grabacion");
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0]["CompositorId"].toLongLong(), k.bach);
    QCOMPARE(rows[0]["ObraId"].toLongLong(), k.misa);
    QCOMPARE(rows[0]["SoporteId"].toLongLong(), k.archiv);
    QCOMPARE(rows[0]["Notas"].toString(), QStringLiteral("Gardiner 1985"));
    const qint64 id = rows[0]["Id"].toLongLong();
    auto members = [&](const char* table) {
        QList<qint64> out;
        for (const auto& r : app.rows(QStringLiteral("SELECT RegistroId FROM %1 WHERE GrabacionId "
                                                     "= %2 ORDER BY Orden")
                                          .arg(table)
                                          .arg(id)))
            out << r["RegistroId"].toLongLong();
        return out;
    };
    QCOMPARE(members("GrabacionOrquesta"), QList<qint64>({k.choir, k.ebs}));
    QCOMPARE(members("GrabacionDirector"), QList<qint64>({k.gardiner}));
    QCOMPARE(members("GrabacionInterprete"), QList<qint64>({k.argenta}));
    QCOMPARE(hub.reg[6].Cont, 1);
    QCOMPARE(hub.reg[6].ContNew, 1);
    QCOMPARE(hub.reg[6].ContSel, 1);
    QCOMPARE(text(s, "LabContador"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("1"));
    // The screen starts the next recording empty.
    QCOMPARE(text(s, "LabCompositorApellidos"), QString());
    QCOMPARE(column(s, "FlexOrquesta", 0), QStringList());
    QCOMPARE(w<QTextEdit>(s, "TxtNotas")->toPlainText(), QString());
    QCOMPARE(hub.MemoAnaGraLink[5], 0);
    QVERIFY(w<QPushButton>(s, "BtnDeshacer")->isEnabled());
}

void GrabacionEntryTest::undoTakesBackTheSave() {
    TempApp app;
    Keys k = catalogue(app, true);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    QCOMPARE(hub.reg[6].Cont, 3);
    hub.reg[5].Posicion = 2;
    hub.ConjuntoDirector = {k.harnoncourt};
    Screen* s = go(mdi, 0, 6);
    click(s, "LabSoporte");
    click(s, "LabDirector");
    click(s, "BtnGuardar");
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 4);
    const qint64 id = app.scalar("SELECT MAX(Id) FROM Grabacion").toLongLong();
    click(s, "BtnDeshacer");
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 3);
    QCOMPARE(
        app.scalar(QString("SELECT COUNT(*) FROM GrabacionDirector WHERE GrabacionId = %1").arg(id))
            .toInt(),
        0);
    QCOMPARE(app.scalar("SELECT MAX(Id) FROM Grabacion").toLongLong(), k.r3);
    QCOMPARE(hub.reg[6].Cont, 3);
    QCOMPARE(hub.reg[6].ContNew, 0);
    QCOMPARE(text(s, "LabContador"), QStringLiteral("0"));
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
}

void GrabacionEntryTest::failedSaveIsReported() {
    TempApp app;
    Keys k = catalogue(app, false);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 0, 6);
    click(s, "LabSoporte");
    click(s, "LabCompositor");
    // The carrier goes behind the program's back before the save.
    app.exec(QString("DELETE FROM Soporte WHERE Id = %1").arg(k.archiv));
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY2(app.messages.shown[0].text.startsWith("Se ha producido el ERROR: "),
             qPrintable(app.messages.shown[0].text));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 0);
    QCOMPARE(mdi.hub().reg[6].Cont, 0);
    QCOMPARE(mdi.hub().reg[6].ContNew, 0);
    QCOMPARE(text(s, "LabContador"), QStringLiteral("0"));
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
}

// A recording linking the same records, sets in the same order, as one stored: the question,
// "No" keeps every link and stores nothing, "Sí" saves; other performers make another recording.
void GrabacionEntryTest::sameLinksAskBeforeSaving() {
    TempApp app;
    Keys k = catalogue(app, true);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    hub.reg[1].Posicion = 1;
    hub.ConjuntoOrquesta = {k.ebs, k.choir};
    hub.ConjuntoDirector = {k.gardiner};
    hub.ConjuntoInterprete = {k.otter, k.argenta};
    Screen* s = go(mdi, 0, 6);
    auto linkAll = [&] {
        for (const char* lab : {"LabCompositor", "LabObra", "LabOrquesta", "LabDirector",
                                "LabInterprete", "LabSoporte"})
            click(s, lab);
    };
    linkAll();
    app.messages.answer(QMessageBox::No);
    click(s, "BtnGuardar");
    const QString question = hub.MensaRegistroIgual.arg(
        "Johann Sebastian Bach - Misa en si menor en si menor - Archiv 415 514");
    QCOMPARE(app.messages.texts(), QStringList{question});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Question);
    QCOMPARE(app.messages.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(app.messages.shown[0].defaultButton, QMessageBox::No);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 3);
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    QCOMPARE(column(s, "FlexOrquesta", 0).size(), 2);

    app.messages.clear();
    app.messages.answer(QMessageBox::Yes);
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(),
             QStringList({question, "Se ha GUARDADO correctamente el Registro."}));
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 4);

    // The same records with the performers in another order: a recording of its own.
    hub.ConjuntoInterprete = {k.argenta, k.otter};
    linkAll();
    app.messages.clear();
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList({"Se ha GUARDADO correctamente el Registro."}));
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 5);
}

QTEST_MAIN(GrabacionEntryTest)
#include "test_works_grabacion_entry.moc"
