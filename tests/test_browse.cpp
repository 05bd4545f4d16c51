// The "Mostrar - Editar" screens of every register built from the register table, driven as a
// user does: browsing by scroll bar and record number, modifying and deleting with "Aceptar" and
// "Cancelar" while the tabs are locked, deletions refused for records a recording uses, the
// reduce/expand layout of each screen, "Retorno" and stored pictures.
#include <QPointer>

#include "selection/apply.h"
#include "store/engine.h"
#include "store/record_links.h"
#include "tests/browse_support.h"

class BrowseTest : public QObject {
    Q_OBJECT
  private slots:
    void panelHasItsControlsInPlace_data();
    void panelHasItsControlsInPlace();
    void browsesByScrollBarAndNumber_data();
    void browsesByScrollBarAndNumber();
    void modificationWritesWhatWasTyped_data();
    void modificationWritesWhatWasTyped();
    void blankIdentifierKeepsEditingAndCancelRestores_data();
    void blankIdentifierKeepsEditingAndCancelRestores();
    void recordLeavingTheSelectionIsCounted_data();
    void recordLeavingTheSelectionIsCounted();
    void deletionShowsPreviousRecordAndCounts_data();
    void deletionShowsPreviousRecordAndCounts();
    void deletionOfRecordUsedByRecordingIsRefused_data();
    void deletionOfRecordUsedByRecordingIsRefused();
    void reduceExpandIsKeptPerScreen_data();
    void reduceExpandIsKeptPerScreen();
    void twoMemoriesOfPerformerAndWebSiteAreDistinct();
    void retornoOnlyWhenReachedFromRecording_data();
    void retornoOnlyWhenReachedFromRecording();
    void storedValueLongerThanItsBoxIsKept_data();
    void storedValueLongerThanItsBoxIsKept();
    void retornoWaitsForPendingChange_data();
    void retornoWaitsForPendingChange();
    void storeFailureOnAcceptIsReportedAndFreesTabs_data();
    void storeFailureOnAcceptIsReportedAndFreesTabs();
    void fieldsPassTheFocusOnWhileViewing();
    void storedPictureProblemsShowPlaceholder_data();
    void storedPictureProblemsShowPlaceholder();
};

void BrowseTest::panelHasItsControlsInPlace_data() {
    registerRows();
}

void BrowseTest::panelHasItsControlsInPlace() {
    QFETCH(int, global);
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    auto* frame = w<QWidget>(s, "Frame1");
    QCOMPARE(twips::left(frame), 300.0f);
    QCOMPARE(twips::width(frame), 3000.0f);
    auto* scroll = w<QScrollBar>(s, "HScroll");
    QCOMPARE(scroll->parentWidget(), frame);
    QCOMPARE(twips::top(scroll), 1620.0f);
    QCOMPARE(twips::height(scroll), 360.0f);
    QCOMPARE(scroll->focusPolicy(), Qt::NoFocus);
    QCOMPARE(scroll->minimum(), 1);
    QCOMPARE(scroll->maximum(), 1);
    auto* legend = w<QLabel>(s, "LabAnteriorSiguiente");
    QCOMPARE(legend->text(), QStringLiteral("Anterior   -   Siguiente"));
    QCOMPARE(twips::top(legend) + twips::height(legend), 2250.0f);
    QCOMPARE(box(s, "TxtOrden")->maxLength(), 5);
    QCOMPARE(box(s, "TxtOrden")->toolTip(),
             QString::fromUtf8("Nº de Orden del Registro. Introducir Nº"));
    struct Button {
        const char* name;
        const char* caption;
        const char* tip;
        float top;
    };
    const Button buttons[] = {
        {"BtnModificar", "Modificar", "Modificar el Registro", 2535},
        {"BtnEliminar", "Eliminar", "Eliminar el Registro", 2535},
        {"BtnGuardar", "Aceptar", "Aceptar Modificar-Eliminar el Registro", 3135},
        {"BtnDeshacer", "Cancelar", "Cancelar Modificar-Eliminar el Registro", 3540}};
    for (const Button& b : buttons) {
        auto* x = w<QPushButton>(s, b.name);
        QCOMPARE(x->text(), QLatin1String(b.caption));
        QCOMPARE(x->toolTip(), QLatin1String(b.tip));
        QCOMPARE(twips::top(x), b.top);
        // The reduced panel (2255 high) cuts the buttons off.
        QVERIFY(twips::top(x) > 2255);
    }
    QCOMPARE(twips::top(w<QWidget>(s, "LabNumRegEliminados")), 2925.0f);
    auto* toggle = w<QWidget>(s, "BtnReducirAmpliar");
    QVERIFY(!qobject_cast<QPushButton*>(toggle));
    QCOMPARE(twips::left(toggle), 300.0f);
    QCOMPARE(twips::top(toggle), 7770.0f);
    QCOMPARE(w<QWidget>(s, "LabNumRegSeleccion")->toolTip(),
             QString::fromUtf8("Nº de Registros Seleccionados"));
    QCOMPARE(w<QWidget>(s, "LabNumFiltros")->toolTip(),
             QString::fromUtf8("Nº de Filtros Seleccionados"));
    QCOMPARE(w<QWidget>(s, "LabNumRegEliminados")->toolTip(),
             QString::fromUtf8("Nº de Registros Eliminados"));
    QCOMPARE(label(s, "LabNumCamposEliminado"), QString::number(registers::at(global).fieldCount));
    // An empty register: cleared screen, light-grey boxes without the identifier's tooltip.
    for (const BoxDef& b : registers::at(global).boxes) {
        QVERIFY(box(s, b.control)->text().isEmpty());
        QVERIFY(box(s, b.control)->isReadOnly());
    }
    QVERIFY(rs::showsPlaceholder(s));
    QVERIFY(!w<QWidget>(s, "Imagen")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isHidden());
}

void BrowseTest::browsesByScrollBarAndNumber_data() {
    registerRows();
}

void BrowseTest::browsesByScrollBarAndNumber() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    for (int i = 1; i <= 3; ++i) rs::insertRecord(app, global, QString("R%1").arg(i));
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    QCOMPARE(s->objectName(), d.formName("Mos"));
    auto* scroll = w<QScrollBar>(s, "HScroll");
    QCOMPARE(label(s, "LabNumRegSeleccion"), QStringLiteral("3"));
    QCOMPARE(label(s, "LabNumFiltros"), QStringLiteral("0"));
    QCOMPARE(label(s, "LabNumRegEliminados"), QStringLiteral("0"));
    QCOMPARE(label(s, "LabNumCamposSeleccion"), QString::number(d.fieldCount));
    QCOMPARE(scroll->maximum(), 3);
    QCOMPARE(box(s, "TxtOrden")->text(), QStringLiteral("1"));
    // Every stored field is shown: texts, years, notes.
    int year = 1700;
    for (const FieldDef& f : d.fields) {
        if (f.kind == FieldKind::Notes) {
            QCOMPARE(rs::notes(s), QStringLiteral("Notas de R1"));
            continue;
        }
        const QString b = boxOf(global, f.column);
        if (b.isEmpty()) continue;
        if (f.kind == FieldKind::Text)
            QCOMPARE(box(s, b)->text(), "R1 " + f.column);
        else if (f.kind == FieldKind::Year)
            QCOMPARE(box(s, b)->text(), QString::number(year++));
        else if (f.kind == FieldKind::Century)
            QCOMPARE(box(s, b)->text(), QStringLiteral("18"));
    }
    QVERIFY(locked(s, global));
    QVERIFY(!w<QWidget>(s, "Imagen")->isEnabled());
    QVERIFY(!w<QWidget>(s, "BtnGuardar")->isEnabled());
    QVERIFY(!w<QWidget>(s, "BtnDeshacer")->isEnabled());
    // Locked boxes take no typing.
    QTest::keyClicks(box(s, d.boxes.first().control), "zz");
    QCOMPARE(shownId(s, global), idText(global, "R1"));

    next(s);
    QCOMPARE(shownId(s, global), idText(global, "R2"));
    QCOMPARE(box(s, "TxtOrden")->text(), QStringLiteral("2"));
    goTo(s, 3);
    QCOMPARE(shownId(s, global), idText(global, "R3"));
    QCOMPARE(scroll->value(), 3);
    QCOMPARE(mdi.hub().reg[global].Posicion, 3);
    // Typed key by key: each key's text is judged as it stands.
    for (const char* bad : {"0", "4", "a", "45", "00", "+"}) {
        goTo(s, 0);
        type(s, "TxtOrden", bad);
        QVERIFY2(box(s, "TxtOrden")->text().isEmpty(), bad);
        QCOMPARE(shownId(s, global), idText(global, "R3"));
    }
    goTo(s, 1);
    QCOMPARE(shownId(s, global), idText(global, "R1"));
    next(s);
    next(s);
    // The position outlives the visit.
    rs::leave(mdi);
    s = open(mdi, global, 2);
    QCOMPARE(shownId(s, global), idText(global, "R3"));
    QCOMPARE(box(s, "TxtOrden")->text(), QStringLiteral("3"));
    // A position beyond the selection opens on the last record.
    rs::leave(mdi);
    mdi.hub().reg[global].Posicion = 99;
    s = open(mdi, global, 2);
    QCOMPARE(shownId(s, global), idText(global, "R3"));
}

void BrowseTest::modificationWritesWhatWasTyped_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<int>("kind");
    for (int g : rs::tableRegisters()) QTest::newRow(qPrintable(registers::at(g).name)) << g << 1;
    QTest::newRow("Orquesta becomes a choir") << int(registers::kOrquesta) << 3;
}

void BrowseTest::modificationWritesWhatWasTyped() {
    QFETCH(int, global);
    QFETCH(int, kind);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    const QString oldPic = makePicture(app.folder(), "vieja.png", 30, 30);
    rs::insertRecord(app, global, "R1");
    const qint64 key = rs::insertRecord(app, global, "R2", oldPic);
    const QString pic = makePicture(app.folder(), "nueva.jpg", 64, 48, "JPG");
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    goTo(s, 2);
    click(s, "BtnModificar");
    QVERIFY(tabsLocked(mdi));
    QVERIFY(editable(s, global));
    QVERIFY(!w<QWidget>(s, "HScroll")->isEnabled());
    QVERIFY(!w<QWidget>(s, "TxtOrden")->isEnabled());
    QVERIFY(!w<QWidget>(s, "BtnEliminar")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnModificar")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnGuardar")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnDeshacer")->isEnabled());
    QVERIFY(w<QWidget>(s, "Imagen")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isVisible());
    // The locked tabs do not leave the screen.
    rs::clickTab(mdi, "TabNivel1", 2);
    QCOMPARE(mdi.solapas().currentScreen(), s);

    auto v = rs::sampleRecord(global, "Cambiado", kind);
    if (global == registers::kOrquesta && kind != 1) type(s, "TxtNombreOrquesta", "");
    rs::typeRecord(s, global, v);
    QString notes;
    while (notes.size() < registers::kNotesMax) notes += QString::fromUtf8("línea ñ\n");
    notes.truncate(registers::kNotesMax);
    rs::pasteNotes(s, notes);
    rs::choosePicture(app, s, pic);
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());

    const auto rows = app.rows("SELECT * FROM " + d.table + " ORDER BY Id");
    QCOMPARE(rows.size(), 2);
    const QVariantMap& r = rows[1];
    QCOMPARE(r["Id"].toLongLong(), key);
    for (const BoxDef& b : d.boxes) {
        if (!v.contains(b.control)) continue;
        if (b.numeric)
            QCOMPARE(r[b.column].toInt(), v[b.control].toInt());
        else
            QCOMPARE(r[b.column].toString(), v[b.control]);
    }
    QVERIFY(r["Notas"].toString() == notes);
    QCOMPARE(r["Imagen"].toString(), QDir(app.folder()).relativeFilePath(pic));
    if (global == registers::kOrquesta) QCOMPARE(r["OrqGrpCor"].toInt(), kind);
    QCOMPARE(rows[0]["Notas"].toString(), QStringLiteral("Notas de R1"));
    // Back to viewing the same record, re-read.
    QVERIFY(!tabsLocked(mdi));
    QVERIFY(locked(s, global));
    QCOMPARE(box(s, "TxtOrden")->text(), QStringLiteral("2"));
    QCOMPARE(shownId(s, global, kind), v.value(boxOf(global, d.boxes.first().column, kind)));
    QVERIFY(!w<QWidget>(s, "BtnGuardar")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnEliminar")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isHidden());
    QVERIFY(!rs::showsPlaceholder(s));
    QCOMPARE(mdi.hub().reg[global].Cont, 2);
}

void BrowseTest::blankIdentifierKeepsEditingAndCancelRestores_data() {
    registerRows();
}

void BrowseTest::blankIdentifierKeepsEditingAndCancelRestores() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    const QString pic = makePicture(app.folder(), "guardada.png", 30, 60);
    rs::insertRecord(app, global, "R1", pic);
    const QString before = app.rows("SELECT * FROM " + d.table).first().value("Notas").toString();
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    click(s, "BtnModificar");
    for (const BoxDef& b : d.boxes)
        if (b.identifier) type(s, b.control, "  ");
    rs::pasteNotes(s, "otras notas");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Debe introducir un IDENTIFICADOR."});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QVERIFY(tabsLocked(mdi));
    QVERIFY(editable(s, global));
    QVERIFY(w<QWidget>(s, "BtnGuardar")->isEnabled());
    QString id;
    for (const BoxDef& b : d.boxes)
        if (b.identifier && id.isEmpty()) id = b.control;
    QVERIFY(box(s, id)->text().isEmpty());
    QCOMPARE(look::boxColor(box(s, id)), look::kBlanco);
    QCOMPARE(box(s, id)->toolTip(), QStringLiteral("Identificador"));
    QCOMPARE(app.rows("SELECT * FROM " + d.table).first().value("Notas").toString(), before);

    // Cancel: the record and its picture come back.
    click(s, "BtnImagenEliminar");
    QVERIFY(rs::showsPlaceholder(s));
    click(s, "BtnDeshacer");
    QVERIFY(!tabsLocked(mdi));
    QVERIFY(locked(s, global));
    QCOMPARE(shownId(s, global), idText(global, "R1"));
    QCOMPARE(rs::notes(s), QStringLiteral("Notas de R1"));
    QVERIFY(!rs::showsPlaceholder(s));
    QCOMPARE(app.scalar("SELECT Imagen FROM " + d.table).toString(), pic);

    // Emptied years are written as 0 and shown empty.
    click(s, "BtnModificar");
    for (const BoxDef& b : d.boxes)
        if (b.numeric) {
            type(s, b.control, "");
        }
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const auto row = app.rows("SELECT * FROM " + d.table).first();
    for (const BoxDef& b : d.boxes)
        if (b.numeric) {
            QCOMPARE(row[b.column].toString(), QStringLiteral("0"));
            QVERIFY(box(s, b.control)->text().isEmpty());
        }
    QCOMPARE(row["Imagen"].toString(), pic);
    QCOMPARE(row[d.boxes.first().column].toString(), idText(global, "R1"));
}

void BrowseTest::recordLeavingTheSelectionIsCounted_data() {
    QTest::addColumn<int>("global");
    for (int g : {registers::kDirector, registers::kSoporte, registers::kEscenario})
        QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

void BrowseTest::recordLeavingTheSelectionIsCounted() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    QString id;
    for (const BoxDef& b : d.boxes)
        if (b.identifier && id.isEmpty()) id = b.control;
    rs::insertRecord(app, global, "Otro");
    for (int i = 1; i <= 3; ++i) rs::insertRecord(app, global, QString("R%1").arg(i));
    FormMdi& mdi = app.enter();
    selection::applyStatement(
        mdi.hub(), global,
        "SELECT * FROM " + d.table + " WHERE " + rs::columnOf(global, id) + " LIKE 'R*' ");
    mdi.hub().reg[global].ContFil = 1;
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    QCOMPARE(label(s, "LabNumRegSeleccion"), QStringLiteral("3"));
    QCOMPARE(label(s, "LabNumFiltros"), QStringLiteral("1"));
    goTo(s, 3);
    click(s, "BtnModificar");
    type(s, id, "Zelenka");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(label(s, "LabNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(w<QScrollBar>(s, "HScroll")->maximum(), 2);
    QCOMPARE(box(s, "TxtOrden")->text(), QStringLiteral("2"));
    QCOMPARE(box(s, id)->text(), "R2 " + rs::columnOf(global, id));
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + d.table + " WHERE " + rs::columnOf(global, id) +
                        " = 'Zelenka'")
                 .toInt(),
             1);
    // Deleting inside the selection counts the selection and the register apart.
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(label(s, "LabNumRegSeleccion"), QStringLiteral("1"));
    QCOMPARE(mdi.hub().reg[global].ContSel, 1);
    QCOMPARE(mdi.hub().reg[global].Cont, 3);
    QCOMPARE(box(s, id)->text(), "R1 " + rs::columnOf(global, id));
}

void BrowseTest::deletionShowsPreviousRecordAndCounts_data() {
    registerRows();
}

void BrowseTest::deletionShowsPreviousRecordAndCounts() {
    QFETCH(int, global);
    TempApp app;
    for (int i = 1; i <= 3; ++i) rs::insertRecord(app, global, QString("R%1").arg(i));
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    goTo(s, 3);
    click(s, "BtnEliminar");
    QVERIFY(tabsLocked(mdi));
    QVERIFY(locked(s, global));
    QVERIFY(!w<QWidget>(s, "HScroll")->isEnabled());
    QVERIFY(!w<QWidget>(s, "TxtOrden")->isEnabled());
    QVERIFY(!w<QWidget>(s, "BtnModificar")->isEnabled());
    QVERIFY(w<QWidget>(s, "BtnGuardar")->isEnabled());
    click(s, "BtnGuardar");
    QCOMPARE(rs::count(app, global), 2);
    QCOMPARE(shownId(s, global), idText(global, "R2"));
    QCOMPARE(label(s, "LabNumRegEliminados"), QStringLiteral("1"));
    QCOMPARE(label(s, "LabNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(w<QScrollBar>(s, "HScroll")->maximum(), 2);
    QVERIFY(!tabsLocked(mdi));
    QCOMPARE(mdi.hub().reg[global].Cont, 2);

    // Cancel keeps the record.
    goTo(s, 1);
    click(s, "BtnEliminar");
    click(s, "BtnDeshacer");
    QCOMPARE(rs::count(app, global), 2);
    QVERIFY(!tabsLocked(mdi));
    QVERIFY(w<QWidget>(s, "HScroll")->isEnabled());
    // Deleting the first shows the new first.
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(shownId(s, global), idText(global, "R2"));
    QCOMPARE(mdi.hub().reg[global].Posicion, 1);
    // Deleting the only record leaves the screen cleared.
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(rs::count(app, global), 0);
    for (const BoxDef& b : registers::at(global).boxes)
        QVERIFY(box(s, b.control)->text().isEmpty());
    QVERIFY(rs::notes(s).isEmpty());
    QVERIFY(rs::showsPlaceholder(s));
    QVERIFY(box(s, "TxtOrden")->text().isEmpty());
    QCOMPARE(label(s, "LabNumRegSeleccion"), QStringLiteral("0"));
    QCOMPARE(label(s, "LabNumRegEliminados"), QStringLiteral("3"));
    QCOMPARE(mdi.hub().reg[global].Posicion, 1);
    QCOMPARE(mdi.hub().reg[global].ContEli, 3);
    QCOMPARE(mdi.hub().reg[global].Cont, 0);
    // Nothing to modify or delete now.
    click(s, "BtnModificar");
    QVERIFY(!tabsLocked(mdi));
    QVERIFY(locked(s, global));
    click(s, "BtnEliminar");
    QVERIFY(!tabsLocked(mdi));
    QVERIFY(!w<QWidget>(s, "BtnGuardar")->isEnabled());
    // The deletion count outlives the visit; the entry screen counts what is left.
    rs::leave(mdi);
    s = open(mdi, global, 2);
    QCOMPARE(label(s, "LabNumRegEliminados"), QStringLiteral("3"));
    s = open(mdi, global, 0);
    QCOMPARE(label(s, "LabNumRegTotal"), QStringLiteral("0"));
}

void BrowseTest::deletionOfRecordUsedByRecordingIsRefused_data() {
    QTest::addColumn<int>("global");
    for (int g : {registers::kCompositor, registers::kOrquesta, registers::kDirector,
                  registers::kInterprete, registers::kSoporte})
        QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

void BrowseTest::deletionOfRecordUsedByRecordingIsRefused() {
    QFETCH(int, global);
    TempApp app;
    const qint64 used = rs::insertRecord(app, global, "usado");
    rs::insertRecord(app, global, "libre");
    const qint64 disc =
        global == registers::kSoporte ? used : rs::insertRecord(app, registers::kSoporte, "disco");
    FormMdi& mdi = app.enter();
    {
        auto conn = mdi.hub().Data[registers::kGrabacion].connection();
        links::Recording r;
        r.soporte = disc;
        if (global == registers::kCompositor) r.compositor = used;
        if (global == registers::kOrquesta) r.orquestas = {used};
        if (global == registers::kDirector) r.directores = {used};
        if (global == registers::kInterprete) r.interpretes = {used};
        links::write(*conn, 0, r);
    }
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    click(s, "BtnEliminar");
    if (!app.messages.shown.empty()) {
        QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
        QVERIFY(app.messages.shown[0].text.startsWith("No se puede eliminar el Registro"));
    }
    click(s, "BtnGuardar");  // if the deletion was offered at all
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY(app.messages.texts()[0].contains(QString::fromUtf8("Grabación")));
    QCOMPARE(rs::count(app, global), 2);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + registers::at(global).table +
                        " WHERE Id = " + QString::number(used))
                 .toInt(),
             1);
    QVERIFY(!tabsLocked(mdi));
    QCOMPARE(label(s, "LabNumRegEliminados"), QStringLiteral("0"));
    QCOMPARE(mdi.hub().reg[global].Cont, 2);
    // The record not used is deleted.
    next(s);
    app.messages.clear();
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(rs::count(app, global), 1);
}

void BrowseTest::reduceExpandIsKeptPerScreen_data() {
    registerRows();
}

void BrowseTest::reduceExpandIsKeptPerScreen() {
    QFETCH(int, global);
    TempApp app;
    rs::insertRecord(app, global, "R1");
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    auto* frame = w<QWidget>(s, "Frame1");
    QCOMPARE(twips::top(frame), 3750.0f);
    QCOMPARE(twips::height(frame), 3870.0f);
    QCOMPARE(label(s, "BtnReducirAmpliar"), QStringLiteral("Reducir"));
    QCOMPARE(w<QWidget>(s, "BtnReducirAmpliar")->toolTip(), QStringLiteral("Reducir-Ampliar"));
    click(s, "BtnReducirAmpliar");
    QCOMPARE(twips::top(frame), 4260.0f);
    QCOMPARE(twips::height(frame), 2255.0f);
    QCOMPARE(label(s, "BtnReducirAmpliar"), QStringLiteral("Ampliar"));
    QVERIFY(mdi.hub().RedAmp(global));
    for (int other : rs::tableRegisters())
        if (other != global) QVERIFY(!mdi.hub().RedAmp(other));

    rs::leave(mdi);
    s = open(mdi, global, 2);
    frame = w<QWidget>(s, "Frame1");
    QCOMPARE(twips::top(frame), 4260.0f);
    QCOMPARE(label(s, "BtnReducirAmpliar"), QStringLiteral("Ampliar"));
    // Another register's screen keeps its own layout.
    const int other =
        global == registers::kCompositor ? registers::kEmisora : registers::kCompositor;
    Screen* o = open(mdi, other, 2);
    QCOMPARE(twips::top(w<QWidget>(o, "Frame1")), 3750.0f);

    // The toggle works while editing, and the edit goes on.
    s = open(mdi, global, 2);
    click(s, "BtnModificar");
    click(s, "BtnReducirAmpliar");
    frame = w<QWidget>(s, "Frame1");
    QCOMPARE(twips::top(frame), 3750.0f);
    QCOMPARE(twips::height(frame), 3870.0f);
    QCOMPARE(label(s, "BtnReducirAmpliar"), QStringLiteral("Reducir"));
    QVERIFY(!mdi.hub().RedAmp(global));
    QVERIFY(editable(s, global));
    QVERIFY(tabsLocked(mdi));
    click(s, "BtnDeshacer");
}

void BrowseTest::twoMemoriesOfPerformerAndWebSiteAreDistinct() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kInternet, 2);
    click(s, "BtnReducirAmpliar");
    QVERIFY(mdi.hub().hub2.MemoIntRedAmp);
    QVERIFY(!mdi.hub().MemoIntRedAmp);
    s = open(mdi, registers::kInterprete, 2);
    QCOMPARE(label(s, "BtnReducirAmpliar"), QStringLiteral("Reducir"));
    s = open(mdi, registers::kEmisora, 2);
    click(s, "BtnReducirAmpliar");
    s = open(mdi, registers::kInterprete, 2);
    click(s, "BtnReducirAmpliar");
    click(s, "BtnReducirAmpliar");
    QVERIFY(!mdi.hub().MemoIntRedAmp);
    s = open(mdi, registers::kInternet, 2);
    QCOMPARE(label(s, "BtnReducirAmpliar"), QStringLiteral("Ampliar"));
    s = open(mdi, registers::kEmisora, 2);
    QCOMPARE(label(s, "BtnReducirAmpliar"), QStringLiteral("Ampliar"));
    QVERIFY(mdi.hub().hub2.MemoEmiRedAmp);
}

void BrowseTest::retornoOnlyWhenReachedFromRecording_data() {
    registerRows();
}

void BrowseTest::retornoOnlyWhenReachedFromRecording() {
    QFETCH(int, global);
    TempApp app;
    rs::insertRecord(app, global, "R1");
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    auto* ret = s->findChild<QPushButton*>("BtnRegresar");
    if (registers::at(global).group == 2) {
        QVERIFY(!ret);
        return;
    }
    QVERIFY(ret);
    QCOMPARE(ret->text(), QStringLiteral("Retorno"));
    QCOMPARE(ret->toolTip(), QString::fromUtf8("Retorno a \"Grabación\""));
    // Through the tabs: present but covered, and a click where it would be does nothing.
    QCOMPARE(twips::left(ret), 4800.0f);
    QCOMPARE(twips::top(ret), 7230.0f);
    const QPoint centre = ret->geometry().center();
    QVERIFY(s->childAt(centre) != ret);
    QTest::mouseClick(s->childAt(centre), Qt::LeftButton, {},
                      s->childAt(centre)->mapFrom(s, centre));
    QCOMPARE(mdi.solapas().currentScreen(), s);
    QTest::mouseClick(ret, Qt::LeftButton);
    QCOMPARE(int(mdi.VentanaMostrandose), registers::screenNumber(global, 2));

    // From the recording entry screen: seen at (3390, 7230), and it leads back there.
    rs::leave(mdi);
    mdi.context().RetornoGrabacion = true;
    mdi.solapas().OcultarFormulario();
    mdi.solapas().MostrarFormulario(registers::screenNumber(global, 2));
    s = mdi.solapas().currentScreen();
    s->Carga();
    ret = w<QPushButton>(s, "BtnRegresar");
    QCOMPARE(twips::left(ret), 3390.0f);
    QCOMPARE(twips::top(ret), 7230.0f);
    QCOMPARE(s->childAt(ret->geometry().center()), ret);
    QTest::mouseClick(ret, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(int(mdi.VentanaMostrandose), 7);
    QVERIFY(!mdi.context().RetornoGrabacion);
    QCOMPARE(mdi.solapas().SolapaRegistros1(), 6);
}

void BrowseTest::storedValueLongerThanItsBoxIsKept_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<QString>("column");
    using namespace registers;
    const QList<QPair<int, const char*>> rows = {
        {kCompositor, "Apellidos"}, {kCompositor, "Fecha1"},    {kCompositor, "Notas"},
        {kOrquesta, "Nombre"},      {kSoporte, "Discografica"}, {kEvento, "Fecha"},
        {kObra, "Notas"},           {kGrabacion, "Notas"},      {kInstrumento, "Siglo"}};
    for (const auto& r : rows)
        QTest::newRow(qPrintable(at(r.first).name + " " + r.second))
            << r.first << QString(r.second);
}

// A value longer than its box (written by another tool) is shown cut with the whole value in the
// tooltip, and "Modificar" then "Aceptar" leaves it exactly as stored, while a field the user
// changed is written. Typing into the cut box writes what was typed.
void BrowseTest::storedValueLongerThanItsBoxIsKept() {
    QFETCH(int, global);
    QFETCH(QString, column);
    const RegisterDef& d = registers::at(global);
    const FieldDef* f = d.field(column);
    QVERIFY(f);
    const bool notes = f->kind == FieldKind::Notes;
    const bool number = f->isNumeric();
    QString control = boxOf(global, column);
    const int length = notes               ? registers::kNotesMax
                       : d.boxes.isEmpty() ? 0
                                           : [&] {
                                                 for (const BoxDef& b : d.boxes)
                                                     if (b.control == control) return b.maxLength;
                                                 return 0;
                                             }();
    const QString value = number ? QStringLiteral("123456") : rs::sample("Largo", length + 300);
    TempApp app;
    const qint64 key = rs::insertRecord(app, global, "R1");
    if (global == registers::kGrabacion) {
        const qint64 disco = rs::insertRecord(app, registers::kSoporte, "Disco");
        app.exec(QStringLiteral("UPDATE Grabacion SET SoporteId = %1").arg(disco));
    }
    app.exec(
        QStringLiteral("UPDATE %1 SET %2 = %3 WHERE Id = %4")
            .arg(d.table, column, number ? value : "'" + QString(value).replace("'", "''") + "'")
            .arg(key));
    auto stored = [&](const QString& c) {
        return app.scalar(
            QStringLiteral("SELECT %1 FROM %2 WHERE Id = %3").arg(c, d.table).arg(key));
    };
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    QWidget* shown = notes ? static_cast<QWidget*>(w<QTextEdit>(s, "TxtNotas")) : box(s, control);
    const QString text = notes ? rs::notes(s) : box(s, control)->text();
    QCOMPARE(text, value.left(length));
    if (notes)
        QVERIFY2(shown->toolTip().contains(QString::number(value.size())),
                 qPrintable(shown->toolTip()));
    else
        QCOMPARE(shown->toolTip(), value);

    click(s, "BtnModificar");
    if (!notes) rs::pasteNotes(s, "cambio");
    click(s, "BtnGuardar");
    QVERIFY2(app.messages.shown.empty(), qPrintable(app.messages.texts().join('|')));
    if (number)
        QCOMPARE(stored(column).toLongLong(), 123456LL);
    else
        QCOMPARE(stored(column).toString(), value);
    if (!notes) QCOMPARE(stored("Notas").toString(), QStringLiteral("cambio"));
    // Shown again, cut, after the save.
    QCOMPARE(notes ? rs::notes(s) : box(s, control)->text(), value.left(length));

    // What the user types into the cut box is written.
    if (notes) return;
    click(s, "BtnModificar");
    const QString typed = number ? QStringLiteral("1999").left(length) : QStringLiteral("Corto");
    rs::type(s, control, typed);
    click(s, "BtnGuardar");
    QVERIFY2(app.messages.shown.empty(), qPrintable(app.messages.texts().join('|')));
    QCOMPARE(stored(column).toString(), typed);
    QCOMPARE(shown->toolTip(), number ? mdi.hub().EtiNumerico : typed);
}

void BrowseTest::retornoWaitsForPendingChange_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<bool>("deleting");
    for (int g : {registers::kCompositor, registers::kOrquesta, registers::kSoporte}) {
        QTest::newRow(qPrintable(registers::at(g).name + " modify")) << g << false;
        QTest::newRow(qPrintable(registers::at(g).name + " delete")) << g << true;
    }
}

// Reached from the recording entry screen, "Retorno" does nothing while a modification or a
// deletion waits for "Aceptar" or "Cancelar"; once it is accepted it leads back.
void BrowseTest::retornoWaitsForPendingChange() {
    QFETCH(int, global);
    QFETCH(bool, deleting);
    TempApp app;
    rs::insertRecord(app, global, "R1");
    rs::insertRecord(app, global, "R2");
    FormMdi& mdi = app.enter();
    mdi.solapas().OcultarFormulario();
    mdi.context().RetornoGrabacion = true;  // as the recording entry screen's visit sets it
    mdi.solapas().MostrarFormulario(registers::screenNumber(global, 2));
    Screen* s = mdi.solapas().currentScreen();
    s->Carga();
    goTo(s, 2);
    if (deleting) {
        click(s, "BtnEliminar");
    } else {
        click(s, "BtnModificar");
        rs::pasteNotes(s, "cambio pendiente");
    }
    const QPointer<Screen> still(s);
    click(s, "BtnRegresar");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(still);
    QCOMPARE(mdi.solapas().currentScreen(), s);
    QCOMPARE(int(mdi.VentanaMostrandose), registers::screenNumber(global, 2));
    QVERIFY(mdi.context().RetornoGrabacion);
    QVERIFY(tabsLocked(mdi));
    QVERIFY(w<QWidget>(s, "BtnGuardar")->isEnabled());
    if (!deleting) QCOMPARE(rs::notes(s), QStringLiteral("cambio pendiente"));

    click(s, "BtnGuardar");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(rs::count(app, global), deleting ? 1 : 2);
    if (!deleting)
        QCOMPARE(app.scalar(QStringLiteral("SELECT Notas FROM %1 WHERE Id = 2")
                                .arg(registers::at(global).table))
                     .toString(),
                 QStringLiteral("cambio pendiente"));
    click(s, "BtnRegresar");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(int(mdi.VentanaMostrandose), 7);
    QVERIFY(!mdi.context().RetornoGrabacion);
}

void BrowseTest::storeFailureOnAcceptIsReportedAndFreesTabs_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<bool>("deleting");
    for (int g : {registers::kOrquesta, registers::kSoporte, registers::kEvento}) {
        QTest::newRow(qPrintable(registers::at(g).name + " modify")) << g << false;
        QTest::newRow(qPrintable(registers::at(g).name + " delete")) << g << true;
    }
}

void BrowseTest::storeFailureOnAcceptIsReportedAndFreesTabs() {
    QFETCH(int, global);
    QFETCH(bool, deleting);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    rs::insertRecord(app, global, "R1");
    rs::insertRecord(app, global, "R2");
    FormMdi& mdi = app.enter();
    app.exec(QStringLiteral("CREATE TRIGGER no_cambia BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, "
                            "'bloqueado'); END")
                 .arg(deleting ? "DELETE" : "UPDATE", d.table));
    Screen* s = open(mdi, global, 2);
    QVERIFY(s);
    goTo(s, 2);
    if (deleting) {
        click(s, "BtnEliminar");
    } else {
        click(s, "BtnModificar");
        rs::pasteNotes(s, "cambio que no se guarda");
    }
    QVERIFY(tabsLocked(mdi));
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY(app.messages.shown[0].text.startsWith("Se ha producido el ERROR: "));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QVERIFY(!tabsLocked(mdi));
    QVERIFY(locked(s, global));
    QVERIFY(!w<QWidget>(s, "BtnGuardar")->isEnabled());
    QCOMPARE(rs::count(app, global), 2);
    QCOMPARE(rs::notes(s), QStringLiteral("Notas de R2"));
    QCOMPARE(box(s, "TxtOrden")->text(), QStringLiteral("2"));
    QCOMPARE(label(s, "LabNumRegEliminados"), QStringLiteral("0"));
    QCOMPARE(mdi.hub().reg[global].Cont, 2);
    QCOMPARE(app.scalar("SELECT Notas FROM " + d.table + " ORDER BY Id DESC").toString(),
             QStringLiteral("Notas de R2"));
}

void BrowseTest::fieldsPassTheFocusOnWhileViewing() {
    TempApp app;
    rs::insertRecord(app, registers::kDirector, "R1");
    rs::insertRecord(app, registers::kEmisora, "R1");
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = open(mdi, registers::kDirector, 2);
    QTest::mouseClick(box(s, "TxtApellidos"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), w<QWidget>(s, "BtnRegresar"));
    click(s, "BtnModificar");
    QTest::mouseClick(box(s, "TxtApellidos"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), box(s, "TxtApellidos"));
    QCOMPARE(box(s, "TxtApellidos")->selectedText(), QStringLiteral("R1 Apellidos"));
    // Modificar again keeps editing; Cancelar ends it.
    click(s, "BtnModificar");
    QVERIFY(editable(s, registers::kDirector));
    click(s, "BtnDeshacer");
    s = open(mdi, registers::kEmisora, 2);
    QTest::mouseClick(box(s, "TxtEmisora"), Qt::LeftButton);
    QVERIFY(QApplication::focusWidget() != box(s, "TxtEmisora"));
    // Eliminar again keeps the deletion pending.
    click(s, "BtnEliminar");
    click(s, "BtnEliminar");
    QVERIFY(tabsLocked(mdi));
    QVERIFY(w<QWidget>(s, "BtnGuardar")->isEnabled());
    click(s, "BtnDeshacer");
    QCOMPARE(rs::count(app, registers::kEmisora), 1);
}

void BrowseTest::storedPictureProblemsShowPlaceholder_data() {
    QTest::addColumn<int>("problem");
    QTest::newRow("good picture") << -1;
    QTest::newRow("missing file") << 0;
    QTest::newRow("not a picture") << 1;
    QTest::newRow("enormous picture") << 2;
    QTest::newRow("enormous PNG") << 3;
}

void BrowseTest::storedPictureProblemsShowPlaceholder() {
    QFETCH(int, problem);
    TempApp app;
    QString path = problem == -1  ? makePicture(app.folder(), "bien.gif", 80, 40, "GIF")
                   : problem == 0 ? app.folder() + "/borrada.jpg"
                   : problem == 1 ? rs::notAPicture(app.folder())
                   : problem == 2 ? rs::enormousPicture(app.folder())
                                  : rs::enormousPng(app.folder());
    if (problem == -1 && !QFile::exists(path))
        path = makePicture(app.folder(), "bien.bmp", 80, 40, "BMP");
    for (int g : {int(registers::kCompositor), int(registers::kEscenario)})
        rs::insertRecord(app, g, "con imagen", path);
    FormMdi& mdi = app.enter();
    for (int g : {int(registers::kCompositor), int(registers::kEscenario)}) {
        Screen* s = open(mdi, g, 2);
        QVERIFY(s);
        QCOMPARE(rs::showsPlaceholder(s), problem != -1);
        // A picture that cannot be shown keeps its path through a modification of the record.
        click(s, "BtnModificar");
        QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isVisible());
        rs::pasteNotes(s, "otra nota");
        click(s, "BtnGuardar");
        const QString query = "SELECT Imagen FROM " + registers::at(g).table;
        QCOMPARE(app.scalar(query).toString(), path);
        QVERIFY(app.messages.shown.empty());
        // The picture's delete button still takes it away.
        click(s, "BtnModificar");
        click(s, "BtnImagenEliminar");
        click(s, "BtnGuardar");
        QCOMPARE(app.scalar(query).toString(), QString());
        QVERIFY(app.messages.shown.empty());
    }
}

QTEST_MAIN(BrowseTest)
#include "test_browse.moc"
