// The recording selection screen: its vocabulary and screen rules, and selections over the
// linked registers' fields and the recording's notes applied to a small catalogue, combined left
// to right, a set filter matching when any member matches, counted in the hub and used by the
// show screen, the listing and the report; the recording listing with its linked fields, the
// carrier's picture and the printout.
#include <QComboBox>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "listing/listing_screen.h"
#include "selection/selection_screen.h"
#include "tests/test_works_grabacion_support.h"

using namespace gt;

namespace {

struct Filter {
    QString connective;  // "" for the first, "Y" or "O"
    QString field, criterion, value;
};
using Filters = QList<Filter>;

void addFilter(QWidget* s, const Filter& f) {
    if (!f.connective.isEmpty()) click(s, "Btn" + f.connective);
    auto* campo = w<QComboBox>(s, "ComboCampo");
    auto* criterio = w<QComboBox>(s, "ComboCriterio");
    const int c = campo->findText(f.field);
    if (c < 0) qWarning("no field %s", qPrintable(f.field));
    campo->setCurrentIndex(c);
    criterio->setCurrentIndex(criterio->findText(f.criterion));
    w<QLineEdit>(s, "TxtValFiltro")->setText(f.value);
    click(s, "BtnAnadir");
}

QList<qint64> selected(FormMdi& mdi) {
    QList<qint64> out;
    for (qint64 k : mdi.hub().Data[6].recordset().keys()) out << k;
    return out;
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000)) return QStringLiteral("<timeout>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

Q_DECLARE_METATYPE(Filters)

class GrabacionSelectionTest : public QObject {
    Q_OBJECT
  private slots:
    void vocabulary();
    void firstFilterTexts();
    void selections_data();
    void selections();
    void selectionUsedByShowListingAndReport();
    void selectionAndListingComeBack();
    void listingShowsLinkedFields();
    void printsLinkedFields();
};

void GrabacionSelectionTest::vocabulary() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 1, 6);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1SelGrabacion"));
    QCOMPARE(text(s, "LabBaseDatos"), QString::fromUtf8("Grabación"));
    auto items = [](QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        return out;
    };
    const QStringList campos = items(w<QComboBox>(s, "ComboCampo"));
    QCOMPARE(campos.size(), 34);
    QCOMPARE(campos.first(), QStringLiteral("COM Nombre"));
    QCOMPARE(campos[5], QString::fromUtf8("OBR  Nº"));
    QCOMPARE(campos[17], QStringLiteral("ORQ Orq-Gru-Cor"));
    QCOMPARE(campos[22], QStringLiteral("INT Instrumento - Voz"));
    QCOMPARE(campos[31], QStringLiteral("SOP Emplazamiento"));
    QCOMPARE(campos[32], QStringLiteral("GRA Notas"));
    QCOMPARE(campos[33], QStringLiteral("              CAMPO"));
    QCOMPARE(items(w<QComboBox>(s, "ComboCampoOrden")),
             QStringList({"Campo", "              CAMPO"}));
    QCOMPARE(items(w<QComboBox>(s, "ComboCriterioOrden")),
             QStringList({QString::fromUtf8("Histórico")}));
    QListWidget* info = w<QListWidget>(s, "List2");
    QStringList infos;
    for (int i = 0; i < info->count(); ++i) infos << info->item(i)->text();
    QCOMPARE(infos.size(), 31);
    QCOMPARE(infos[18], QStringLiteral("DIR Nom+Ape"));
    QCOMPARE(infos[19], QStringLiteral("INT Nom+Ape+Ins"));
    QCOMPARE(infos[infos.indexOf("SOP Emplazamiento") + 1], QStringLiteral("SOP Imagen"));
    QCOMPARE(w<QLineEdit>(s, "TxtValFiltro")->maxLength(), 75);
    QCOMPARE(w<QLineEdit>(s, "TxtValFiltro")->text(), QStringLiteral("       Valor del FILTRO"));
    QCOMPARE(text(s, "LabNumCamposSel"), QStringLiteral("39"));
}

void GrabacionSelectionTest::firstFilterTexts() {
    TempApp app;
    Keys k = catalogue(app, true);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 1, 6);
    click(s, "BtnNueva");
    addFilter(s, {"", "OBR Tonalidad", "Contiene", "re"});
    QListWidget* list = w<QListWidget>(s, "ListFiltros");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    QCOMPARE(lines, QStringList({"OBR Tonalidad", "Contiene", "'re'"}));
    auto* sel = qobject_cast<SelectionScreen*>(s);
    QVERIFY(sel);
    QCOMPARE(sel->model().TextoFiltros, QStringLiteral("OBR Tonalidad Contiene 're'"));
    QVERIFY(w<QPushButton>(s, "BtnAceptar")->isEnabled());
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), QString::fromUtf8("Histórico"));
    click(s, "BtnO");
    addFilter(s, {"", "GRA Notas", "Contiene", "1985"});
    QCOMPARE(list->item(3)->text(), QStringLiteral("       O"));
    QCOMPARE(list->item(4)->text(), QStringLiteral("GRA Notas"));
    click(s, "BtnAceptar");
    QCOMPARE(w<QLineEdit>(s, "LabOpcionSQL")->text(),
             QStringLiteral("(OBR Tonalidad Contiene 're' O GRA Notas Contiene '1985') "));
    QCOMPARE(selected(mdi), QList<qint64>({k.r1, k.r2, k.r3}));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabNumRegFiltros"), QStringLiteral("2"));
    QVERIFY(app.messages.shown.empty());
}

void GrabacionSelectionTest::selections_data() {
    QTest::addColumn<Filters>("filters");
    QTest::addColumn<QList<int>>("expected");  // recordings 1-3
    QTest::newRow("performer set")
        << Filters{{"", "INT Apellidos", "Contiene", "argenta"}} << QList<int>{1, 2};
    QTest::newRow("composer") << Filters{{"", "COM Apellidos", "Es Igual a", "bach"}}
                              << QList<int>{1};
    QTest::newRow("work duration")
        << Filters{{"", "OBR Tiempo Total", "Es Mayor que", "3600"}} << QList<int>{3};
    QTest::newRow("movements") << Filters{{"", "OBR Nº de Mov", "Es Menor que", "13"}}
                               << QList<int>{1, 2};
    QTest::newRow("one movement of the work")
        << Filters{{"", "OBR Movimientos", "Es Igual a", "gloria"}} << QList<int>{1};
    QTest::newRow("ensemble set") << Filters{{"", "ORQ Orq-Gru-Cor", "Contiene", "choir"}}
                                  << QList<int>{1, 3};
    QTest::newRow("conductor and carrier")
        << Filters{{"", "DIR Apellidos", "Contiene", "Gardiner"},
                   {"Y", "SOP Discográfica", "Es Igual a", "Archiv"}}
        << QList<int>{1, 3};
    QTest::newRow("left to right") << Filters{{"", "COM Apellidos", "Es Igual a", "Vivaldi"},
                                              {"O", "INT Apellidos", "Contiene", "Otter"},
                                              {"Y", "GRA Notas", "Contiene", "1985"}}
                                   << QList<int>{1};
    QTest::newRow("any member not containing")
        << Filters{{"", "INT Instrumento - Voz", "No contiene", "mezzo"}} << QList<int>{1, 2};
    QTest::newRow("notes") << Filters{{"", "GRA Notas", "Contiene", "estudio"}} << QList<int>{2};
    QTest::newRow("either conductor field")
        << Filters{{"", "DIR Nombre", "Contiene", "Nikolaus"},
                   {"O", "DIR Apellidos", "Es Igual a", "Gardiner"}}
        << QList<int>{1, 3};
    QTest::newRow("composer year zero")
        << Filters{{"", "COM Fecha 2", "Es Igual a", "0"}} << QList<int>{2};
    QTest::newRow("no match") << Filters{{"", "SOP Discográfica", "Contiene", "Naxos"}}
                              << QList<int>{};
    QTest::newRow("apostrophe") << Filters{{"", "OBR Obra", "Contiene", "l'a"}} << QList<int>{};
}

void GrabacionSelectionTest::selections() {
    QFETCH(Filters, filters);
    QFETCH(QList<int>, expected);
    TempApp app;
    Keys k = catalogue(app, true);
    const qint64 recs[] = {k.r1, k.r2, k.r3};
    QList<qint64> want;
    for (int i : expected) want << recs[i - 1];
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 1, 6);
    click(s, "BtnNueva");
    for (const Filter& f : filters) addFilter(s, f);
    click(s, "BtnAceptar");
    QVERIFY2(app.messages.shown.empty(), qPrintable(app.messages.texts().join('|')));
    QCOMPARE(selected(mdi), want);
    const RegisterState& st = mdi.hub().reg[6];
    QCOMPARE(st.ContSel, qint32(want.size()));
    QCOMPARE(st.ContFil, qint32(filters.size()));
    QCOMPARE(st.Posicion, 1);
    QCOMPARE(text(s, "LabNumReg"), QString::number(want.size()));
}

void GrabacionSelectionTest::selectionUsedByShowListingAndReport() {
    TempApp app;
    catalogue(app, true);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 1, 6);
    click(s, "BtnNueva");
    addFilter(s, {"", "INT Apellidos", "Contiene", "Otter"});
    click(s, "BtnAceptar");
    s = go(mdi, 2, 6);
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Bach"));
    moveTo(s, 2);
    QCOMPARE(text(s, "LabCompositorApellidos"), QStringLiteral("Mozart"));
    s = go(mdi, 3, 6);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1LisGrabacion"));
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabCampos"), QStringLiteral("39"));
    mdi.solapas().OcultarFormulario();
    mdi.solapas().MostrarFormulario(57);
    s = current(mdi);
    QCOMPARE(text(s, "LabGraNumRegTotal"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabGraCamposTotal"), QStringLiteral("39"));
    QCOMPARE(text(s, "LabGraNumRegSeleccion"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabGraNumFiltros"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabObraNumRegTotal"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabObraCamposTotal"), QStringLiteral("16"));
    // "Todo" gives every recording back.
    s = go(mdi, 1, 6);
    click(s, "BtnTodo");
    click(s, "BtnAceptar");
    QCOMPARE(mdi.hub().reg[6].ContSel, 3);
    QCOMPARE(mdi.hub().reg[6].ContFil, 0);
}

// The applied selection and the listed fields are in force while the user is away, so the two
// screens show them again on the next visit, as the report does.
void GrabacionSelectionTest::selectionAndListingComeBack() {
    TempApp app;
    Keys k = catalogue(app, true);
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 1, 6);
    click(s, "BtnNueva");
    addFilter(s, {"", "COM Apellidos", "Es Igual a", "Vivaldi"});
    click(s, "BtnAceptar");
    QCOMPARE(selected(mdi), QList<qint64>({k.r2}));
    const QString description = QStringLiteral("COM Apellidos Es Igual a 'Vivaldi'");
    const QStringList filterLines{"COM Apellidos", "Es Igual a", "'Vivaldi'"};
    auto listed = [](QWidget* screen, const char* name) {
        QStringList out;
        QListWidget* l = w<QListWidget>(screen, name);
        for (int i = 0; l && i < l->count(); ++i)
            if (QString(name) == "ListFiltros" || l->item(i)->checkState() == Qt::Checked)
                out << l->item(i)->text();
        return out;
    };

    s = go(mdi, 2, 6);
    s = go(mdi, 1, 6);
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("1"));
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabNumRegFiltros"), QStringLiteral("1"));
    QCOMPARE(w<QLineEdit>(s, "LabOpcionSQL")->text(), description);
    QCOMPARE(listed(s, "ListFiltros"), filterLines);
    QVERIFY(w<QPushButton>(s, "BtnNueva")->isEnabled());
    QVERIFY(!w<QPushButton>(s, "BtnAceptar")->isEnabled());

    s = go(mdi, 3, 6);
    QListWidget* list = w<QListWidget>(s, "List");
    const QStringList ticked{"COM Apellidos", "GRA Notas"};
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(ticked.contains(list->item(i)->text()) ? Qt::Checked
                                                                            : Qt::Unchecked);
    click(s, "BtnListar");
    QCOMPARE(column(s, "Tabla", 1), QStringList({"COM Apellidos", "Vivaldi"}));

    s = go(mdi, 2, 6);
    s = go(mdi, 3, 6);
    QCOMPARE(listed(s, "List"), ticked);
    QCOMPARE(text(s, "LabNumCampos"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabNumRegSeleccion"), QStringLiteral("1"));
    QCOMPARE(column(s, "Tabla", 1), QStringList({"COM Apellidos", "Vivaldi"}));
    QCOMPARE(column(s, "Tabla", 2), QStringList({"GRA Notas", "estudio"}));
    // The selection screen still shows the applied selection after the listing.
    s = go(mdi, 1, 6);
    QCOMPARE(listed(s, "ListFiltros"), filterLines);
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("1"));
}

void GrabacionSelectionTest::listingShowsLinkedFields() {
    TempApp app;
    const QString pic = makePicture(app.folder(), "disco.png", 120, 60);
    Keys k = catalogue(app, true);
    app.exec(QString("UPDATE Soporte SET Imagen = '%1' WHERE Id = %2").arg(pic).arg(k.archiv));
    FormMdi& mdi = app.enter();
    Screen* s = go(mdi, 3, 6);
    QListWidget* list = w<QListWidget>(s, "List");
    QCOMPARE(list->count(), 34);
    QCOMPARE(list->item(22)->text(), QStringLiteral("INT Instrumen-Voz"));
    QCOMPARE(list->item(33)->text(), QStringLiteral("SOP Imagen"));
    const QStringList ticked{"COM Apellidos", "OBR Tiempo Total", "ORQ Orq-Gru-Cor",
                             "INT Apellidos", "GRA Notas",        "SOP Imagen"};
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(ticked.contains(list->item(i)->text()) ? Qt::Checked
                                                                            : Qt::Unchecked);
    click(s, "BtnListar");
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QCOMPARE(t->columnCount(), 6);
    QStringList head;
    for (int c = 0; c < t->columnCount(); ++c) head << t->item(0, c)->text();
    QCOMPARE(head, QStringList({QString::fromUtf8("Nº"), "COM Apellidos", "OBR Tiempo Total",
                                "ORQ Orq-Gru-Cor", "INT Apellidos", "GRA Notas"}));
    auto row = [&](int r) {
        QStringList out;
        for (int c = 0; c < t->columnCount(); ++c)
            out << (t->item(r, c) ? t->item(r, c)->text() : "");
        return out;
    };
    QCOMPARE(row(1),
             QStringList({"1", "Bach", "00:30:30", "English Baroque Soloists / Monteverdi Choir",
                          "von Otter / Argenta", "Gardiner 1985"}));
    QCOMPARE(row(2), QStringList({"2", "Vivaldi", "00:30:00", "English Baroque Soloists", "Argenta",
                                  "estudio"}));
    QCOMPARE(row(3), QStringList({"3", "Mozart", "01:01:40", "Monteverdi Choir", "von Otter", ""}));
    // The carrier's picture beside the rows of the recordings on Archiv only.
    QVERIFY(w<PictureBox>(s, "Imagen_0")->isVisible());
    QVERIFY(w<PictureBox>(s, "Imagen_0")->hasPicture());
    QVERIFY(!w<PictureBox>(s, "Imagen_1")->isVisible() ||
            !w<PictureBox>(s, "Imagen_1")->hasPicture());
    QVERIFY(w<PictureBox>(s, "Imagen_2")->hasPicture());
}

void GrabacionSelectionTest::printsLinkedFields() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    TempApp app;
    catalogue(app, true);
    FormMdi& mdi = app.enter();
    const QString pdf = app.folder() + "/grabaciones.pdf";
    dialogs::setPrintHook([pdf](QDialog&, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    // An applied selection: recordings keep their order of entry, whatever was chosen.
    Screen* s = go(mdi, 1, 6);
    click(s, "BtnNueva");
    addFilter(s, {"", "SOP Discográfica", "Contiene", "c"});
    click(s, "BtnAceptar");
    QCOMPARE(mdi.hub().reg[6].ContSel, 3);
    s = go(mdi, 3, 6);
    QListWidget* list = w<QListWidget>(s, "List");
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(
            QStringList({"DIR Apellidos", "SOP Discográfica"}).contains(list->item(i)->text())
                ? Qt::Checked
                : Qt::Unchecked);
    click(s, "BtnListar");
    click(s, "BtnImprimir");
    dialogs::setPrintHook(nullptr);
    QVERIFY(app.messages.shown.empty());
    const QString out = run("pdftotext", {pdf, "-"});
    QVERIFY2(out.contains(QString::fromUtf8("Grabación")), qPrintable(out));
    QVERIFY2(out.contains("Gardiner / Harnoncourt"), qPrintable(out));
    QVERIFY2(out.contains("Decca"), qPrintable(out));
    QVERIFY2(out.contains("DIR Apellidos"), qPrintable(out));
    QVERIFY2(out.contains(QRegularExpression(QString::fromUtf8("Orden:\\s+Histórico"))),
             qPrintable(out));
    QVERIFY2(!out.contains("Ascendente"), qPrintable(out));
}

QTEST_MAIN(GrabacionSelectionTest)
#include "test_works_grabacion_selection.moc"
