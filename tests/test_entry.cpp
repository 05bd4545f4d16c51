// The "Añadir  (Nuevo)" screens of every register built from the register table, driven as a
// user does: the identifier rule, years, saving with its message and counters, reading back
// exactly what was typed, the one-level undo, the pending entry kept across a visit, the
// orchestra's three name boxes and the picture rules.
#include <QImageReader>

#include "store/record_label.h"
#include "tests/record_screens.h"

namespace {

using rs::box;
using rs::click;
using rs::label;
using rs::open;
using rs::type;
using rs::w;

void registerRows() {
    QTest::addColumn<int>("global");
    for (int g : rs::tableRegisters()) QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

// Notes of exactly 25,000 characters with lines, accents and a non-breaking space.
QString longNotes() {
    QString line = QString::fromUtf8("Grabación de 1985, «Misa» en si menor\u00A0BWV 232 – ñ\n");
    QString out;
    while (out.size() < registers::kNotesMax) out += line;
    out.truncate(registers::kNotesMax - 1);
    return out + QLatin1Char('z');
}

QStringList identifierBoxes(int g) {
    QStringList out;
    for (const BoxDef& b : registers::at(g).boxes)
        if (b.identifier) out << b.control;
    return out;
}

QString composedName(int g, const QHash<QString, QString>& v) {
    if (g == registers::kOrquesta) {
        for (const QString& c : identifierBoxes(g))
            if (v.contains(c)) return v[c];
        return {};
    }
    QStringList parts;
    for (const QString& c : registers::at(g).nameParts) parts << v.value(c);
    return parts.join(QLatin1Char(' '));
}

}  // namespace

class EntryTest : public QObject {
    Q_OBJECT
  private slots:
    void boxesHaveTheirCaptionsLimitsAndOrder_data();
    void boxesHaveTheirCaptionsLimitsAndOrder();
    void savedRecordReadsBackExactly_data();
    void savedRecordReadsBackExactly();
    void blankIdentifierIsRefused_data();
    void blankIdentifierIsRefused();
    void supportNeedsBothIdentifiers();
    void nameLabelJoinsItsPartsWithOneBlank_data();
    void nameLabelJoinsItsPartsWithOneBlank();
    void emptyYearsAreWrittenAsZero_data();
    void emptyYearsAreWrittenAsZero();
    void fractionalYearEmptiesTheBox_data();
    void fractionalYearEmptiesTheBox();
    void undoTakesBackOnlyTheLastRecord_data();
    void undoTakesBackOnlyTheLastRecord();
    void failedUndoKeepsRecordAndCounters();
    void pendingEntrySurvivesAVisit_data();
    void pendingEntrySurvivesAVisit();
    void orchestraNameBoxesExcludeEachOther();
    void pictureProblemsShowPlaceholder_data();
    void pictureProblemsShowPlaceholder();
    void fileDialogsOfferEveryKindAndOpenWhereLast();
    void pictureIsCentredAndCanBeRemoved();
    void pendingPictureRemovedSinceIsDropped();
    void failedSaveIsReportedAndLosesNothingStored_data();
    void failedSaveIsReportedAndLosesNothingStored();
    void sameLabelAsksBeforeSaving_data();
    void sameLabelAsksBeforeSaving();
};

void EntryTest::boxesHaveTheirCaptionsLimitsAndOrder_data() {
    // Each box: control, limit, caption ("" when it shares the row's caption), "id" or "".
    QTest::addColumn<int>("global");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("fields");
    auto row = [](const char* name, int g, const char* boxList, int fields) {
        QTest::newRow(name) << g << QString::fromUtf8(boxList).split(QLatin1Char(';')) << fields;
    };
    const char* person =
        "TxtNombre,50,Nombre,;TxtApellidos,50,Apellidos,id;TxtFecha1,4,Fechas,;"
        "TxtFecha2,4,,";
    row("Compositor", registers::kCompositor, person, 6);
    row("Orquesta", registers::kOrquesta,
        "TxtNombreOrquesta,75,Orquesta,id;TxtNombreGrupo,75,Grupo,id;TxtNombreCoro,75,Coro,id;"
        "TxtGenero,50,Género,;TxtFecha,4,  Fecha,",
        5);
    row("Director", registers::kDirector, person, 6);
    row("Interprete", registers::kInterprete,
        "TxtNombre,50,Nombre,;TxtApellidos,50,Apellidos,id;TxtInstrumento,50,Instrumento - Voz,;"
        "TxtFecha1,4,Fechas,;TxtFecha2,4,,",
        7);
    row("Soporte", registers::kSoporte,
        "TxtDiscografica,70,Discográfica,id;TxtNumeroCatalogo,70,Nº de Catálogo,id;"
        "TxtColeccion,70,Colección,;TxtNumeroColeccion,70,Nº - Referencia,;TxtFormato,30,Formato,;"
        "TxtGrabacion,30,Grabación,;TxtRecopilacion,20,P,;TxtEdicion,20,C,;"
        "TxtEmplazamiento,50,Emplazamiento,",
        11);
    row("Instrumento", registers::kInstrumento,
        "TxtInstrumento,50,Instrumento,id;TxtConstructor,50,Constructor,;"
        "TxtModelo,50,Modelo - Tipo,;TxtSiglo,2,Siglo,;TxtFecha,4,Fecha,",
        7);
    const char* place =
        ",id;TxtCiudad,75,Ciudad,;TxtPais,50,País,;TxtFecha,4,Fecha,;"
        "TxtActividad,75,Actividad,";
    row("Agrupacion", registers::kAgrupacion,
        (std::string("TxtEntidad,75,Entidad") + place).c_str(), 7);
    row("Evento", registers::kEvento, (std::string("TxtEvento,75,Evento") + place).c_str(), 7);
    row("Escenario", registers::kEscenario,
        (std::string("TxtEscenario,75,Escenario") + place).c_str(), 7);
    row("Publicacion", registers::kPublicacion,
        "TxtTitulo,75,Título,id;TxtAutor,75,Autor,;TxtFormato,30,Formato,;TxtTema,35,Tema,;"
        "TxtISBN,75,Id. - ISBN,;TxtEditorial,50,Editorial,;TxtFecha,4,Fecha,;"
        "TxtEmplazamiento,50,Emplazamiento,",
        10);
    row("Emisora", registers::kEmisora,
        "TxtEmisora,75,Emisora,id;TxtMedio,25,Medio,;TxtPais,50,País,;TxtZona,75,Zona,;"
        "TxtFrecuencia,30,Frecuencia,;TxtFecha,4,Fecha,",
        8);
    row("Internet", registers::kInternet,
        "TxtTitulo,75,Título,id;TxtUrl,75,URL,;TxtEMail,75,E-Mail,;TxtTema,75,Tema,;"
        "TxtFecha,4,Fecha,",
        7);
}

void EntryTest::boxesHaveTheirCaptionsLimitsAndOrder() {
    QFETCH(int, global);
    QFETCH(QStringList, boxes);
    QFETCH(int, fields);
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    QStringList order;
    for (const QString& line : boxes) {
        const QStringList p = line.split(QLatin1Char(','));
        QLineEdit* b = box(s, p[0]);
        QVERIFY2(b, qPrintable(p[0]));
        QCOMPARE(b->maxLength(), p[1].toInt());
        QCOMPARE(b->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        if (!p[2].isEmpty()) QCOMPARE(label(s, "LabCampo" + p[0].mid(3)), p[2]);
        const bool number = p[0].startsWith("TxtFecha") || p[0] == "TxtSiglo";
        if (p[3] == "id") {
            QCOMPARE(look::boxColor(b), look::kBlanco);
            QCOMPARE(b->toolTip(), QStringLiteral("Identificador"));
        } else {
            QCOMPARE(look::boxColor(b), look::kGris);
            QCOMPARE(b->toolTip(), number ? QString::fromUtf8("Numérico") : QString());
        }
        if (p[0] != "TxtEmplazamiento") order << p[0];
    }
    order << "TxtNotas";
    if (global == registers::kSoporte || global == registers::kPublicacion)
        order << "TxtEmplazamiento";
    order << "BtnGuardar"
          << "BtnDeshacer";
    // The tab order among these controls.
    QStringList chain;
    QWidget* start = box(s, order.first());
    QWidget* x = start;
    do {
        if (order.contains(x->objectName()) && !chain.contains(x->objectName()))
            chain << x->objectName();
        x = x->nextInFocusChain();
    } while (x != start && chain.size() < order.size());
    QCOMPARE(chain, order);
    QCOMPARE(w<QTextEdit>(s, "TxtNotas")->toolTip(), QString());
    QCOMPARE(label(s, "LabCampoNotas"), QStringLiteral("Notas"));
    QCOMPARE(label(s, "LabNumCamposNuevo"), QString::number(fields));
    QCOMPARE(label(s, "LabNumCamposTotal"), QString::number(fields));
    QCOMPARE(w<QWidget>(s, "Imagen")->toolTip(),
             QStringLiteral("Cambiar la Imagen del Registro (Doble Click)"));
    QCOMPARE(w<QWidget>(s, "BtnGuardar")->toolTip(), QStringLiteral("Guardar el Registro"));
    QCOMPARE(w<QWidget>(s, "BtnDeshacer")->toolTip(),
             QString::fromUtf8("Eliminar el último Registro"));
    QVERIFY(!w<QWidget>(s, "BtnDeshacer")->isEnabled());
    QCOMPARE(s->findChild<QLabel*>("LabUnidad") != nullptr, global == registers::kEmisora);
    if (global == registers::kEmisora) QCOMPARE(label(s, "LabUnidad"), QStringLiteral("MHz"));
}

void EntryTest::savedRecordReadsBackExactly_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<int>("kind");
    for (int g : rs::tableRegisters()) QTest::newRow(qPrintable(registers::at(g).name)) << g << 1;
    QTest::newRow("Orquesta as group") << int(registers::kOrquesta) << 2;
    QTest::newRow("Orquesta as choir") << int(registers::kOrquesta) << 3;
}

void EntryTest::savedRecordReadsBackExactly() {
    QFETCH(int, global);
    QFETCH(int, kind);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    rs::insertRecord(app, global, "antes 1");
    rs::insertRecord(app, global, "antes 2");
    const QString pic = makePicture(app.folder(), QString::fromUtf8("retrato ñ.png"), 120, 80);
    FormMdi& mdi = app.enter();
    mdi.hub().reg[global].ContFil = 3;  // a selection was applied before
    mdi.hub().reg[global].MemoSelLista = QStringList({"x"});
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    QCOMPARE(s->objectName(), d.formName("Ana"));
    QCOMPARE(label(s, "LabNumRegTotal"), QStringLiteral("2"));
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("0"));
    QCOMPARE(label(s, "LabNumCamposTotal"), QString::number(d.fieldCount));

    auto v = rs::sampleRecord(global, QStringLiteral("Nuevo"), kind);
    // Typing past a box's limit keeps what fits.
    for (const BoxDef& b : d.boxes)
        if (v.contains(b.control))
            type(s, b.control, b.numeric ? v[b.control] : v[b.control] + QStringLiteral("XYZ"));
    const QString notes = longNotes();
    rs::pasteNotes(s, notes + QStringLiteral("sobra"));
    QCOMPARE(rs::notes(s).size(), registers::kNotesMax);
    rs::choosePicture(app, s, pic);
    QCOMPARE(label(s, "LabNombre"), composedName(global, v));
    app.messages.clear();
    click(s, "BtnGuardar");

    QCOMPARE(app.messages.texts(), QStringList{"Se ha GUARDADO correctamente el Registro."});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Information);
    const auto rows = app.rows("SELECT * FROM " + d.table + " ORDER BY Id");
    QCOMPARE(rows.size(), 3);
    const QVariantMap& r = rows.last();
    for (const BoxDef& b : d.boxes) {
        if (!v.contains(b.control)) continue;
        if (b.numeric)
            QCOMPARE(r[b.column].toInt(), v[b.control].toInt());
        else
            QCOMPARE(r[b.column].toString(), v[b.control]);
    }
    QCOMPARE(r["Notas"].toString().size(), registers::kNotesMax);
    QVERIFY(r["Notas"].toString() == notes);
    QCOMPARE(r["Imagen"].toString(), QDir(app.folder()).relativeFilePath(pic));
    if (global == registers::kOrquesta) QCOMPARE(r["OrqGrpCor"].toInt(), kind);
    QCOMPARE(rows.first()["Notas"].toString(), QStringLiteral("Notas de antes 1"));

    // Counters, the cleared screen, and the register's selection back to all records.
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("1"));
    QCOMPARE(label(s, "LabNumRegTotal"), QStringLiteral("3"));
    RegisterState& st = mdi.hub().reg[global];
    QCOMPARE(st.Cont, 3);
    QCOMPARE(st.ContNew, 1);
    QCOMPARE(st.ContSel, 3);
    QCOMPARE(st.ContFil, 0);
    QVERIFY(st.MemoSelLista.isEmpty());
    QCOMPARE(mdi.hub().Data[global].recordset().RecordCount(), 3L);
    for (const BoxDef& b : d.boxes)
        QVERIFY2(box(s, b.control)->text().isEmpty(), qPrintable(b.control));
    QVERIFY(rs::notes(s).isEmpty());
    QVERIFY(rs::showsPlaceholder(s));
    QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isHidden());
    QVERIFY(w<QPushButton>(s, "BtnDeshacer")->isEnabled());
    QVERIFY(st.MemoAna.value("TxtNotas").isEmpty());
    // Every register's counters are its own.
    for (int other : rs::tableRegisters())
        if (other != global) QCOMPARE(mdi.hub().reg[other].ContNew, 0);

    // The show screen reaches the new record and shows it as typed.
    Screen* m = open(mdi, global, 2);
    QVERIFY(m);
    QCOMPARE(label(m, "LabNumRegSeleccion"), QStringLiteral("3"));
    QCOMPARE(label(m, "LabNumFiltros"), QStringLiteral("0"));
    type(m, "TxtOrden", "3");
    for (const BoxDef& b : d.boxes) QCOMPARE(box(m, b.control)->text(), v.value(b.control));
    QVERIFY(m->findChild<QTextEdit*>("TxtNotas")->toPlainText().size() == registers::kNotesMax);
    QVERIFY(!rs::showsPlaceholder(m));
    QCOMPARE(label(m, "LabNombre"), composedName(global, v));
}

void EntryTest::blankIdentifierIsRefused_data() {
    registerRows();
}

void EntryTest::blankIdentifierIsRefused() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    auto v = rs::sampleRecord(global, QStringLiteral("Sin id"));
    for (const QString& id : identifierBoxes(global)) v[id] = QStringLiteral("   ");
    rs::typeRecord(s, global, v);
    rs::pasteNotes(s, QStringLiteral("notas que no se pierden"));
    for (const QString& id : identifierBoxes(global))
        QCOMPARE(look::boxColor(box(s, id)), look::kBlanco);
    click(s, "BtnGuardar");

    QCOMPARE(app.messages.texts(), QStringList{"Debe introducir un IDENTIFICADOR."});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(rs::count(app, global), 0);
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("0"));
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
    for (const BoxDef& b : d.boxes) {
        if (b.identifier) {
            QVERIFY2(box(s, b.control)->text().isEmpty(), qPrintable(b.control));
            QCOMPARE(look::boxColor(box(s, b.control)), look::kBlanco);
        } else {
            QCOMPARE(box(s, b.control)->text(), v[b.control]);
        }
    }
    QCOMPARE(rs::notes(s), QStringLiteral("notas que no se pierden"));
}

void EntryTest::supportNeedsBothIdentifiers() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kSoporte, 0);
    QVERIFY(s);
    type(s, "TxtDiscografica", "Archiv");
    QCOMPARE(look::boxColor(box(s, "TxtDiscografica")), look::kGris);
    QCOMPARE(look::boxColor(box(s, "TxtNumeroCatalogo")), look::kBlanco);
    QCOMPARE(label(s, "LabNombre"), QStringLiteral("Archiv "));
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Debe introducir un IDENTIFICADOR."});
    QCOMPARE(box(s, "TxtDiscografica")->text(), QStringLiteral("Archiv"));
    QCOMPARE(rs::count(app, registers::kSoporte), 0);

    type(s, "TxtNumeroCatalogo", "415 514-2");
    QCOMPARE(look::boxColor(box(s, "TxtNumeroCatalogo")), look::kGris);
    QCOMPARE(label(s, "LabNombre"), QStringLiteral("Archiv 415 514-2"));
    type(s, "TxtDiscografica", "");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.shown.size(), size_t(2));
    QCOMPARE(rs::count(app, registers::kSoporte), 0);
    QCOMPARE(box(s, "TxtNumeroCatalogo")->text(), QStringLiteral("415 514-2"));

    type(s, "TxtDiscografica", "Archiv");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts().last(),
             QStringLiteral("Se ha GUARDADO correctamente el Registro."));
    QCOMPARE(app.scalar("SELECT Discografica || '|' || NumeroCatalogo FROM Soporte").toString(),
             QStringLiteral("Archiv|415 514-2"));
}

void EntryTest::nameLabelJoinsItsPartsWithOneBlank_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("label");
    QTest::newRow("Director both") << int(registers::kDirector) << "Carlos"
                                   << "Kleiber"
                                   << "Carlos Kleiber";
    QTest::newRow("Interprete surname alone") << int(registers::kInterprete) << ""
                                              << "Casals"
                                              << " Casals";
    QTest::newRow("Instrumento maker alone") << int(registers::kInstrumento) << ""
                                             << "Stradivari"
                                             << " Stradivari";
    QTest::newRow("Compositor first names alone") << int(registers::kCompositor) << "Johann"
                                                  << ""
                                                  << "Johann ";
    QTest::newRow("Evento identifier alone") << int(registers::kEvento) << "Proms"
                                             << ""
                                             << "Proms";
}

void EntryTest::nameLabelJoinsItsPartsWithOneBlank() {
    QFETCH(int, global);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, label);
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    const auto& boxes = registers::at(global).boxes;
    type(s, boxes[0].control, first);
    type(s, boxes[1].control, second);
    QCOMPARE(rs::label(s, "LabNombre"), label);
    QCOMPARE(w<QWidget>(s, "LabNombre")->toolTip(), label);
}

void EntryTest::emptyYearsAreWrittenAsZero_data() {
    QTest::addColumn<int>("global");
    for (int g : rs::tableRegisters()) {
        bool years = false;
        for (const BoxDef& b : registers::at(g).boxes) years |= b.numeric;
        if (years) QTest::newRow(qPrintable(registers::at(g).name)) << g;
    }
}

void EntryTest::emptyYearsAreWrittenAsZero() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    auto v = rs::sampleRecord(global, QStringLiteral("Años"));
    for (const BoxDef& b : d.boxes) {
        if (!b.numeric) continue;
        // A letter typed after digits empties the whole box.
        type(s, b.control, "1");
        QTest::keyClicks(box(s, b.control), "a");
        QVERIFY2(box(s, b.control)->text().isEmpty(), qPrintable(b.control));
        QTest::keyClicks(box(s, b.control), "-");
        QVERIFY(box(s, b.control)->text().isEmpty());
        v.remove(b.control);
    }
    rs::typeRecord(s, global, v);
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Se ha GUARDADO correctamente el Registro."});
    const auto rows = app.rows("SELECT * FROM " + d.table);
    QCOMPARE(rows.size(), 1);
    for (const BoxDef& b : d.boxes)
        if (b.numeric) {
            QCOMPARE(rows[0][b.column].toString(), QStringLiteral("0"));
            QVERIFY(box(s, b.control)->text().isEmpty());
        }
}

void EntryTest::fractionalYearEmptiesTheBox_data() {
    emptyYearsAreWrittenAsZero_data();
}

// Years are whole numbers: a decimal part, with either separator, is treated as a letter would
// be, and nothing fractional reaches the table.
void EntryTest::fractionalYearEmptiesTheBox() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    auto v = rs::sampleRecord(global, QStringLiteral("Fracciones"));
    for (const BoxDef& b : d.boxes) {
        if (!b.numeric) continue;
        for (const QString typed : {"1,5", "2.5", "-1.5"}) {
            if (typed.size() > b.maxLength) continue;
            type(s, b.control, typed);
            QVERIFY2(box(s, b.control)->text().isEmpty(), qPrintable(b.control + ": " + typed));
        }
        // Pasted whole, past the keystrokes that would have emptied the box on the way.
        for (const QString pasted : {",5", "2,5", "9e99", "-.5"}) {
            if (pasted.size() > b.maxLength) continue;
            box(s, b.control)->selectAll();
            QApplication::clipboard()->setText(pasted);
            QTest::keySequence(box(s, b.control), QKeySequence::Paste);
            QVERIFY2(box(s, b.control)->text().isEmpty(), qPrintable(b.control + ": " + pasted));
        }
        // A whole number written with a separator keeps its value.
        const QString whole = QStringLiteral("7,0").left(b.maxLength);
        type(s, b.control, whole);
        QCOMPARE(box(s, b.control)->text(), whole);
        v.remove(b.control);
    }
    rs::typeRecord(s, global, v);
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Se ha GUARDADO correctamente el Registro."});
    const auto rows = app.rows("SELECT * FROM " + d.table);
    QCOMPARE(rows.size(), 1);
    for (const BoxDef& b : d.boxes)
        if (b.numeric) {
            QCOMPARE(rows[0][b.column].typeId(), QMetaType::LongLong);
            QCOMPARE(rows[0][b.column].toLongLong(), 7);
        }
}

void EntryTest::undoTakesBackOnlyTheLastRecord_data() {
    registerRows();
}

void EntryTest::undoTakesBackOnlyTheLastRecord() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    const qint64 old = rs::insertRecord(app, global, "viejo");
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    auto* undo = w<QPushButton>(s, "BtnDeshacer");
    QVERIFY(!undo->isEnabled());
    rs::typeRecord(s, global, rs::sampleRecord(global, "primero"));
    click(s, "BtnGuardar");
    rs::typeRecord(s, global, rs::sampleRecord(global, "segundo"));
    click(s, "BtnGuardar");
    QCOMPARE(rs::count(app, global), 3);
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("2"));
    QVERIFY(undo->isEnabled());
    app.messages.clear();
    click(s, "BtnDeshacer");
    QVERIFY(app.messages.shown.empty());
    QVERIFY(!undo->isEnabled());
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("1"));
    QCOMPARE(label(s, "LabNumRegTotal"), QStringLiteral("2"));
    QCOMPARE(mdi.hub().reg[global].Cont, 2);
    QCOMPARE(mdi.hub().reg[global].ContNew, 1);
    QCOMPARE(mdi.hub().reg[global].ContSel, 2);
    const QString id = d.boxes.first().column;
    const auto rows = app.rows("SELECT Id, Notas FROM " + d.table + " ORDER BY Id");
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0]["Id"].toLongLong(), old);
    // One level only: a second click does nothing.
    click(s, "BtnDeshacer");
    QCOMPARE(rs::count(app, global), 2);
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("1"));

    // A record saved in an earlier visit cannot be taken back.
    rs::typeRecord(s, global, rs::sampleRecord(global, "tercero"));
    click(s, "BtnGuardar");
    rs::leave(mdi);
    s = open(mdi, global, 0);
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("2"));
    QCOMPARE(label(s, "LabNumRegTotal"), QStringLiteral("3"));
}

void EntryTest::failedUndoKeepsRecordAndCounters() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kAgrupacion, 0);
    QVERIFY(s);
    type(s, "TxtEntidad", "Fundación Juan March");
    click(s, "BtnGuardar");
    app.exec(
        "CREATE TRIGGER no_borra BEFORE DELETE ON Agrupacion BEGIN SELECT RAISE(ABORT, "
        "'bloqueado'); END");
    app.messages.clear();
    click(s, "BtnDeshacer");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY(app.messages.shown[0].text.startsWith("Se ha producido el ERROR: "));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(rs::count(app, registers::kAgrupacion), 1);
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("1"));
    QCOMPARE(label(s, "LabNumRegTotal"), QStringLiteral("1"));
    QCOMPARE(mdi.hub().reg[registers::kAgrupacion].Cont, 1);
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
}

void EntryTest::pendingEntrySurvivesAVisit_data() {
    registerRows();
}

void EntryTest::pendingEntrySurvivesAVisit() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    const QString pic = makePicture(app.folder(), "p.png", 90, 160);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    const auto v = rs::sampleRecord(global, "a medias", global == registers::kOrquesta ? 3 : 1);
    rs::typeRecord(s, global, v);
    rs::pasteNotes(s, "notas\na medias");
    rs::choosePicture(app, s, pic);
    click(s, "BtnGuardar");  // an undo to be lost with the visit
    rs::typeRecord(s, global, v);
    rs::pasteNotes(s, "notas\na medias");
    rs::choosePicture(app, s, pic);

    // Another register's entry screen starts empty; so does the report in between.
    const int other =
        global == registers::kDirector ? registers::kInterprete : registers::kDirector;
    Screen* o = open(mdi, other, 0);
    QVERIFY(o);
    for (const BoxDef& b : registers::at(other).boxes) QVERIFY(box(o, b.control)->text().isEmpty());
    QVERIFY(rs::showsPlaceholder(o));
    rs::leave(mdi);

    s = open(mdi, global, 0);
    QVERIFY(s);
    for (const BoxDef& b : d.boxes) QCOMPARE(box(s, b.control)->text(), v.value(b.control));
    QCOMPARE(rs::notes(s), QStringLiteral("notas\na medias"));
    QVERIFY(!rs::showsPlaceholder(s));
    QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isVisible());
    QCOMPARE(look::foreColor(w<QWidget>(s, "LabNombre")), look::kNegro);
    QCOMPARE(label(s, "LabNombre"), composedName(global, v));
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
    if (global == registers::kOrquesta) {
        QCOMPARE(look::boxColor(box(s, "TxtNombreOrquesta")), look::kGris);
        QCOMPARE(box(s, "TxtNombreCoro")->toolTip(), QStringLiteral("Identificador"));
    }

    click(s, "BtnGuardar");
    const auto rows = app.rows("SELECT * FROM " + d.table + " ORDER BY Id");
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1]["Imagen"].toString(), QDir(app.folder()).relativeFilePath(pic));
    QCOMPARE(rows[1]["Notas"].toString(), QStringLiteral("notas\na medias"));
    // Saved: nothing is pending any more.
    rs::leave(mdi);
    s = open(mdi, global, 0);
    for (const BoxDef& b : d.boxes) QVERIFY(box(s, b.control)->text().isEmpty());
    QVERIFY(rs::notes(s).isEmpty());
    QVERIFY(rs::showsPlaceholder(s));
}

void EntryTest::orchestraNameBoxesExcludeEachOther() {
    TempApp app;
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = open(mdi, registers::kOrquesta, 0);
    QVERIFY(s);
    QLineEdit* names[] = {box(s, "TxtNombreOrquesta"), box(s, "TxtNombreGrupo"),
                          box(s, "TxtNombreCoro")};
    for (QLineEdit* b : names) {
        QCOMPARE(look::boxColor(b), look::kBlanco);
        QCOMPARE(b->toolTip(), QStringLiteral("Identificador"));
    }
    names[0]->setFocus();
    type(s, "TxtNombreOrquesta", "Berliner Philharmoniker");
    for (QLineEdit* b : names) QCOMPARE(look::boxColor(b), look::kGris);
    QCOMPARE(names[0]->toolTip(), QStringLiteral("Identificador"));
    QVERIFY(names[1]->toolTip().isEmpty());
    QCOMPARE(label(s, "LabNombre"), QStringLiteral("Berliner Philharmoniker"));

    // A letter in another box is taken away and the focus goes back to the name.
    QTest::mouseClick(names[1], Qt::LeftButton);
    QTest::keyClicks(names[1], "x");
    QVERIFY(names[1]->text().isEmpty());
    QVERIFY(mdi.isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), names[0]);
    QCOMPARE(label(s, "LabNombre"), QStringLiteral("Berliner Philharmoniker"));
    QTest::keyClicks(names[2], "y");
    QVERIFY(names[2]->text().isEmpty());

    // Emptied, all three light up again; blanks count as empty.
    type(s, "TxtNombreOrquesta", "   ");
    for (QLineEdit* b : names) {
        QCOMPARE(look::boxColor(b), look::kBlanco);
        QCOMPARE(b->toolTip(), QStringLiteral("Identificador"));
    }
    type(s, "TxtNombreCoro", QString::fromUtf8("Coro Nacional de España"));
    QCOMPARE(names[0]->text(), QStringLiteral("   "));
    QCOMPARE(label(s, "LabNombre"), QString::fromUtf8("Coro Nacional de España"));
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts().last(),
             QStringLiteral("Se ha GUARDADO correctamente el Registro."));
    const auto r = app.rows("SELECT Nombre, OrqGrpCor FROM Orquesta");
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0]["Nombre"].toString(), QString::fromUtf8("Coro Nacional de España"));
    QCOMPARE(r[0]["OrqGrpCor"].toInt(), 3);

    // None filled: refused, and the three boxes are emptied.
    type(s, "TxtNombreGrupo", "  ");
    type(s, "TxtGenero", "Barroco");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts().last(), QStringLiteral("Debe introducir un IDENTIFICADOR."));
    for (QLineEdit* b : names) QVERIFY(b->text().isEmpty());
    QCOMPARE(box(s, "TxtGenero")->text(), QStringLiteral("Barroco"));
    QCOMPARE(rs::count(app, registers::kOrquesta), 1);
}

void EntryTest::pictureProblemsShowPlaceholder_data() {
    QTest::addColumn<int>("problem");
    QTest::newRow("missing file") << 0;
    QTest::newRow("not a picture") << 1;
    QTest::newRow("enormous picture") << 2;
    QTest::newRow("empty file") << 3;
}

void EntryTest::pictureProblemsShowPlaceholder() {
    QFETCH(int, problem);
    TempApp app;
    QString path;
    switch (problem) {
        case 0:
            path = app.folder() + "/no-existe.jpg";
            break;
        case 1:
            path = rs::notAPicture(app.folder());
            break;
        case 2:
            path = rs::enormousPicture(app.folder());
            break;
        default: {
            path = app.folder() + "/vacio.gif";
            QFile f(path);
            f.open(QIODevice::WriteOnly);
        }
    }
    FormMdi& mdi = app.enter();
    for (int g : {int(registers::kInstrumento), int(registers::kInterprete)}) {
        Screen* s = open(mdi, g, 0);
        QVERIFY(s);
        rs::typeRecord(s, g, rs::sampleRecord(g, "img"));
        rs::choosePicture(app, s, path);
        QVERIFY(rs::showsPlaceholder(s));
        QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isHidden());
        QVERIFY(mdi.hub().reg[g].MemoAna.value("Imagen").isEmpty());
        click(s, "BtnGuardar");
        QCOMPARE(app.scalar("SELECT Imagen FROM " + registers::at(g).table).toString(), QString());
    }
}

// "Insertar Imagen" lists every kind of picture the program reads, and opens in the folder of the
// picture chosen last; the CSV dialog likewise opens where the last CSV file was.
void EntryTest::fileDialogsOfferEveryKindAndOpenWhereLast() {
    TempApp app;
    QDir(app.folder()).mkpath("fotos");
    QDir(app.folder()).mkpath("datos");
    const QString photo = makePicture(app.folder() + "/fotos", "retrato.jpeg", 40, 40, "JPEG");
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kDirector, 0);
    QVERIFY(s);
    rs::choosePicture(app, s, photo);
    const QString filter = app.files.filters.last();
    QVERIFY2(filter.startsWith(
                 QString::fromUtf8("Imágenes (*.jpg *.jpeg *.jpe *.jfif *.gif *.bmp *.png")),
             qPrintable(filter));
    for (const QByteArray& f : QImageReader::supportedImageFormats())
        QVERIFY2(filter.contains("*." + QString::fromLatin1(f).toLower()), f.constData());
    rs::choosePicture(app, s, QString());  // cancelled: the picture stays
    QCOMPARE(app.files.folders.last(), app.folder() + "/fotos");

    const QString csv = app.folder() + "/datos/directores.csv";
    app.files.choose(csv);
    click(s, "BtnImportar");
    app.files.choose(QString());
    click(s, "BtnImportar");
    QCOMPARE(app.files.folders.last(), app.folder() + "/datos");
    rs::choosePicture(app, s, QString());
    QCOMPARE(app.files.folders.last(), app.folder() + "/fotos");
}

void EntryTest::pictureIsCentredAndCanBeRemoved() {
    TempApp app;
    const QString wide = makePicture(app.folder(), "ancha.png", 200, 100);
    const QString tall = makePicture(app.folder(), "alta.bmp", 50, 100, "BMP");
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kEmisora, 0);
    QVERIFY(s);
    auto* img = w<PictureBox>(s, "Imagen");
    auto* del = w<QWidget>(s, "BtnImagenEliminar");
    auto* lab = w<QWidget>(s, "LabNombre");
    rs::choosePicture(app, s, wide);
    QCOMPARE(app.files.titles.last(), QStringLiteral("Insertar Imagen"));
    QVERIFY(app.files.filters.last().contains("*.jpg"));
    QCOMPARE(twips::width(img), 3000.0f);
    QCOMPARE(twips::height(img), 1500.0f);
    QCOMPARE(twips::left(img), 240.0f);
    QCOMPARE(twips::top(img), 990.0f);
    QCOMPARE(twips::top(lab), 990.0f + 1500 + 25);
    QCOMPARE(twips::top(del), 990.0f + 1500 - 210 - 90);
    QVERIFY(del->isVisible());
    QCOMPARE(look::foreColor(lab), look::kNegro);

    rs::choosePicture(app, s, tall);
    QCOMPARE(twips::width(img), 1500.0f);
    QCOMPARE(twips::height(img), 3000.0f);
    QCOMPARE(twips::left(img), 990.0f);
    // Cancelling the dialog keeps the picture chosen.
    rs::choosePicture(app, s, QString());
    QCOMPARE(mdi.hub().reg[registers::kEmisora].MemoAna.value("Imagen"),
             QDir(app.folder()).relativeFilePath(tall));
    QVERIFY(!rs::showsPlaceholder(s));

    click(s, "BtnImagenEliminar");
    QVERIFY(rs::showsPlaceholder(s));
    QVERIFY(del->isHidden());
    QCOMPARE(twips::top(lab), 240.0f + 3000 + 25);
    QVERIFY(mdi.hub().reg[registers::kEmisora].MemoAna.value("Imagen").isEmpty());
    type(s, "TxtEmisora", "Radio Clásica");
    click(s, "BtnGuardar");
    QCOMPARE(app.scalar("SELECT Imagen FROM Emisora").toString(), QString());
}

void EntryTest::pendingPictureRemovedSinceIsDropped() {
    TempApp app;
    const QString pic = makePicture(app.folder(), "luego-borrada.png", 40, 40);
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, registers::kPublicacion, 0);
    type(s, "TxtTitulo", "Catálogo BWV");
    rs::choosePicture(app, s, pic);
    rs::leave(mdi);
    QFile::remove(pic);
    s = open(mdi, registers::kPublicacion, 0);
    QVERIFY(rs::showsPlaceholder(s));
    QVERIFY(w<QWidget>(s, "BtnImagenEliminar")->isHidden());
    QCOMPARE(box(s, "TxtTitulo")->text(), QString::fromUtf8("Catálogo BWV"));
    click(s, "BtnGuardar");
    QCOMPARE(app.scalar("SELECT Imagen FROM Publicacion").toString(), QString());
}

void EntryTest::failedSaveIsReportedAndLosesNothingStored_data() {
    QTest::addColumn<int>("global");
    QTest::newRow("Director") << int(registers::kDirector);
    QTest::newRow("Orquesta") << int(registers::kOrquesta);
    QTest::newRow("Internet") << int(registers::kInternet);
}

void EntryTest::failedSaveIsReportedAndLosesNothingStored() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    rs::insertRecord(app, global, "guardado");
    FormMdi& mdi = app.enter();
    // The catalogue refuses new records from now on.
    app.exec("CREATE TRIGGER no_mas BEFORE INSERT ON " + d.table +
             " BEGIN SELECT RAISE(ABORT, 'lleno'); END");
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    rs::typeRecord(s, global, rs::sampleRecord(global, "falla"));
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY(app.messages.shown[0].text.startsWith("Se ha producido el ERROR: "));
    QVERIFY(app.messages.shown[0].text.size() > QString("Se ha producido el ERROR: ").size());
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(rs::count(app, global), 1);
    QCOMPARE(label(s, "LabNumRegNuevos"), QStringLiteral("0"));
    QCOMPARE(label(s, "LabNumRegTotal"), QStringLiteral("1"));
    QCOMPARE(mdi.hub().reg[global].Cont, 1);
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
    for (const BoxDef& b : d.boxes) QVERIFY(box(s, b.control)->text().isEmpty());
}

void EntryTest::sameLabelAsksBeforeSaving_data() {
    QTest::addColumn<int>("global");
    const QList<int> all = rs::tableRegisters() << registers::kObra;
    for (int g : all) QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

// A record whose label text is that of a stored one, case, accents and outer blanks aside: the
// question names the stored label; "No" stores nothing and keeps what was typed, "Sí" saves. A
// label differing by an ñ is another record.
void EntryTest::sameLabelAsksBeforeSaving() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    const QStringList labelColumns = labels::columnsOf(global);
    QHash<QString, QString> first;
    for (const auto& [control, value] : rs::sampleRecord(global, "x").asKeyValueRange()) {
        const BoxDef* b = nullptr;
        for (const BoxDef& x : d.boxes)
            if (x.control == control) b = &x;
        // Room left for the outer blanks of the variants below.
        first[control] =
            b->numeric
                ? value
                : QString::fromUtf8("Dvořák ñ 7 %1").arg(control.mid(3)).left(b->maxLength - 3);
    }
    FormMdi& mdi = app.enter();
    Screen* s = open(mdi, global, 0);
    rs::typeRecord(s, global, first);
    const QString stored = label(s, "LabNombre");
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{mdi.hub().MensaGrabadoBien});
    QCOMPARE(rs::count(app, global), 1);

    auto variant = [&](const QString& from, const QString& to) {
        QHash<QString, QString> v = first;
        for (const BoxDef& b : d.boxes)
            if (v.contains(b.control) && labelColumns.contains(b.column))
                v[b.control] = "  " + v[b.control].replace(from, to).toUpper() + " ";
            else if (v.contains(b.control) && !b.numeric)
                v[b.control] = "otro";
        return v;
    };
    const QHash<QString, QString> same = variant(QString::fromUtf8("ř"), "r");
    rs::typeRecord(s, global, same);
    app.messages.clear();
    app.messages.answer(QMessageBox::No);
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{mdi.hub().MensaRegistroIgual.arg(stored)});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Question);
    QCOMPARE(app.messages.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(app.messages.shown[0].defaultButton, QMessageBox::No);
    QCOMPARE(rs::count(app, global), 1);
    for (const auto& [control, value] : same.asKeyValueRange())
        QCOMPARE(box(s, control)->text(), value);

    app.messages.clear();
    app.messages.answer(QMessageBox::Yes);
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(),
             QStringList({mdi.hub().MensaRegistroIgual.arg(stored), mdi.hub().MensaGrabadoBien}));
    QCOMPARE(rs::count(app, global), 2);

    rs::typeRecord(s, global, variant(QString::fromUtf8("ñ"), "n"));
    app.messages.clear();
    click(s, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{mdi.hub().MensaGrabadoBien});
    QCOMPARE(rs::count(app, global), 3);
}

QTEST_MAIN(EntryTest)
#include "test_entry.moc"
