// The report screen (FormInforme): every cell of every register row, the "Suma" row and the
// "Suma de (R x C)" line, for catalogues with known counters, read from the real screen.
#include "selection/apply.h"
#include "selection/filter_model.h"
#include "store/registers.h"
#include "tests/test_listing_support.h"

using namespace lt;

namespace {

// Report prefixes in row order, and the fixed field count of each row.
const char* kPrefixes[] = {"Com", "Obra", "Orq", "Dir", "Int", "Sop",  "Gra", "Ins",
                           "Agr", "Eve",  "Esc", "Pub", "Emi", "Inte", "Suma"};
const int kFields[] = {6, 16, 5, 6, 7, 11, 39, 7, 7, 7, 7, 10, 8, 7, 143};

// The eleven value columns of a row, left to right.
const char* kColumns[] = {"NumRegTotal",      "CamposTotal", "NumRegSeleccion",  "CamposSeleccion",
                          "NumFiltros",       "Orden",       "NumRegEliminados", "NumRegNuevos",
                          "NumRegSeleccion1", "NumCampos",   "NumFiltros1"};

// A row's expected cells: total R, selection R and F, order, deleted, new, listed R, C and F.
// The two fixed "C" cells come from kFields.
struct Row {
    QString total, sel, fil, orden, eli, nuevos, lisR, lisC, lisF;
};

Row zeros(int i) {
    return {"0", "0", "0", i == 14 ? "-" : "0", "0", "0", "0", "0", "0"};
}

QString cellText(QWidget* report, const QString& name) {
    QLabel* l = report->findChild<QLabel*>(name);
    if (!l) return QStringLiteral("<missing %1>").arg(name);
    return l->text();
}

void checkRow(QWidget* report, int i, const Row& r) {
    const QString p = QStringLiteral("Lab") + QLatin1String(kPrefixes[i]);
    const QString fields = QString::number(kFields[i]);
    const QString ordered[] = {r.total, fields,   r.sel,  fields, r.fil, r.orden,
                               r.eli,   r.nuevos, r.lisR, r.lisC, r.lisF};
    for (int c = 0; c < 11; ++c) {
        const QString name = p + QLatin1String(kColumns[c]);
        QVERIFY2(cellText(report, name) == ordered[c],
                 qPrintable(QStringLiteral("%1: \"%2\", expected \"%3\"")
                                .arg(name, cellText(report, name), ordered[c])));
    }
}

void checkProducts(QWidget* report, const QString& total, const QString& sel,
                   const QString& listed) {
    QCOMPARE(cellText(report, "LabRxCNumRegTotal"), total);
    QCOMPARE(cellText(report, "LabRxCNumRegSeleccion"), sel);
    QCOMPARE(cellText(report, "LabRxCNumRegSeleccion1"), listed);
}

// Rows straight into a register's table, with its first identifier filled ("R1", "R2", ...).
void fill(TempApp& app, int global, int n) {
    const RegisterDef& d = registers::at(global);
    for (int i = 1; i <= n; ++i)
        app.insert(d.table, {{d.identifierColumns().first(), QStringLiteral("R%1").arg(i)}});
}

// Twelve composers, five of them born after 1700.
void twelveComposers(TempApp& app) {
    for (int i = 1; i <= 12; ++i)
        app.insert("Compositor", {{"Nombre", QStringLiteral("N%1").arg(i)},
                                  {"Apellidos", QStringLiteral("A%1").arg(i)},
                                  {"Fecha1", i <= 5 ? 1700 + i : 1600 + i},
                                  {"Fecha2", 1800}});
}

int position(const QStringList& list, const QString& caption) {
    const int p = int(list.indexOf(caption));
    if (p < 0) qWarning("no entry %s", qPrintable(caption));
    return p;
}

// "Aceptar" on a composer selection of two filters joined by "Y", as the selection screen does.
void selectComposers(FormBasesDatos& hub, const QString& bornAfter) {
    selection::FilterModel m(registers::at(0));
    QStringList fields, criteria;
    for (const auto& f : m.reg().selFields) fields << f.caption;
    for (const auto& c : registers::criteria()) criteria << c.caption;
    const struct {
        const char *connective, *field, *criterion;
        QString value;
    } filters[] = {{nullptr, "Fecha 1", "Es Mayor que", bornAfter},
                   {"Y", "Fecha 2", "Es Igual a", QStringLiteral("1800")}};
    for (const auto& f : filters) {
        if (f.connective) m.chooseConnective(QLatin1String(f.connective));
        const int field = position(fields, QLatin1String(f.field));
        m.chooseField(field);
        m.chooseCriterion(position(criteria, QLatin1String(f.criterion)));
        m.changeValue(f.value);
        QVERIFY(m.addFilter(f.value, field, QLatin1String(f.field), QLatin1String(f.criterion)));
    }
    m.chooseSortField(1);
    m.chooseSortDirection(0);
    QCOMPARE(selection::applySelection(hub, 0, m, 1, 0, nullptr), selection::Outcome::Applied);
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT
  private slots:
    void emptyCatalogue();
    void captionsAndTooltips();
    void knownCounters();
    void ordenOfComposer_data();
    void ordenOfComposer();
    void recomputedAtEachVisit();
};

void ReportTest::emptyCatalogue() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* report = show(mdi, 57);
    QVERIFY(report);
    QCOMPARE(report->objectName(), QStringLiteral("FormInforme"));
    for (int i = 0; i < 15; ++i) checkRow(report, i, zeros(i));
    checkProducts(report, "0", "0", "0");
}

void ReportTest::captionsAndTooltips() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* report = show(mdi, 57);
    const char* captions[] = {"Compositor", "Obra",        "Orquesta - Grupo",
                              "Director",   "Intérprete",  "Soporte",
                              "Grabación",  "Instrumento", "Agrupación",
                              "Evento",     "Escenario",   "Publicación - Vídeo",
                              "Emisora",    "http://www.", "Suma"};
    for (int i = 0; i < 15; ++i)
        QCOMPARE(cellText(report, QStringLiteral("LabRegistro") + QLatin1String(kPrefixes[i])),
                 QString::fromUtf8(captions[i]));
    const QList<QLabel*> labels = report->findChildren<QLabel*>();
    QStringList texts;
    for (QLabel* l : labels) texts << l->text();
    for (const char* t :
         {"Informe General de Registros", "Base de Datos", "Total", "Selección", "Orden",
          "Eliminados", "Nuevos", "Listados", "Suma de (R x C)", "Registros", "Campos", "Filtros"})
        QVERIFY2(texts.contains(QString::fromUtf8(t)), t);

    const struct {
        const char *name, *tip;
    } tips[] = {
        {"LabComNumRegTotal", "Nº Total de Registros"},
        {"LabObraCamposTotal", "Nº de Campos por Registro"},
        {"LabDirNumRegSeleccion", "Nº de Registros Seleccionados"},
        {"LabIntCamposSeleccion", "Nº de Campos por Registro Seleccionado"},
        {"LabSopNumFiltros", "Nº de Filtros Seleccionados"},
        {"LabGraOrden", "Nº de Orden del Registro"},
        {"LabInsNumRegEliminados", "Nº de Registros Eliminados"},
        {"LabAgrNumRegNuevos", "Nº de Registros Nuevos"},
        {"LabEveNumRegSeleccion1", "Nº de Registros Listados"},
        {"LabEscNumCampos", "Nº de Campos por Registro Listado"},
        {"LabInteNumFiltros1", "Nº de Filtros Listados"},
        {"LabSumaCamposTotal", "Nº Total de Campos"},
        {"LabSumaCamposSeleccion", "Nº Total de Campos"},
        {"LabSumaNumCampos", "Nº de Campos Listados"},
        {"LabRxCNumRegTotal", "Suma de (Nº Total de Registros  x  Nº de Campos por Registro)"},
        {"LabRxCNumRegSeleccion",
         "Suma de (Nº de Registros Seleccionados x Nº de Campos por Registro Seleccionado)"},
        {"LabRxCNumRegSeleccion1",
         "Suma de (Nº de Registros Listados x Nº de Campos por Registro Listado)"},
    };
    for (const auto& t : tips) {
        QLabel* l = report->findChild<QLabel*>(QLatin1String(t.name));
        QVERIFY2(l, t.name);
        QCOMPARE(l->toolTip(), QString::fromUtf8(t.tip));
    }
}

// 12 composers, a selection of 5 with 2 filters, listed with "Nombre", "Apellidos" and "Imagen";
// 3 works, all selected, 2 added and 1 deleted in the run, the third current; 4 conductors, a
// selection of 2 with 1 filter listed with "Nombre" and "Notas". The other registers are empty.
void ReportTest::knownCounters() {
    TempApp app;
    twelveComposers(app);
    fill(app, registers::kObra, 3);
    fill(app, registers::kDirector, 4);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();

    selectComposers(hub, "1700");
    QCOMPARE(hub.reg[0].ContSel, 5);
    listar(openListing(mdi, 22), {"Nombre", "Apellidos", "Imagen"});
    hub.reg[0].ContNew = 1;
    hub.reg[0].ContEli = 3;
    hub.reg[0].Posicion = 1;

    hub.reg[1].ContNew = 2;
    hub.reg[1].ContEli = 1;
    hub.reg[1].Posicion = 3;

    QCOMPARE(selection::applyStatement(
                 hub, 3, QStringLiteral("SELECT * FROM Director WHERE Apellidos > 'R2'")),
             2);
    hub.reg[3].ContFil = 1;
    listar(openListing(mdi, 25), {"Nombre", "Notas"});

    Screen* report = show(mdi, 57);
    checkRow(report, 0, {"12", "5", "2", "1", "3", "1", "5", "3", "2"});
    checkRow(report, 1, {"3", "3", "0", "3", "1", "2", "3", "0", "0"});
    checkRow(report, 3, {"4", "2", "1", "1", "0", "0", "2", "2", "1"});
    for (int i : {2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) checkRow(report, i, zeros(i));
    checkRow(report, 14, {"19", "10", "3", "-", "4", "3", "10", "5", "3"});
    // 12 x 6 + 3 x 16 + 4 x 6; 5 x 6 + 3 x 16 + 2 x 6; 5 x 3 + 3 x 0 + 2 x 2.
    checkProducts(report, "144", "90", "19");
}

void ReportTest::ordenOfComposer_data() {
    QTest::addColumn<QString>("bornAfter");  // "" = all composers
    QTest::addColumn<int>("posicion");
    QTest::addColumn<QString>("orden");
    QTest::newRow("first of all") << QString() << 1 << "1";
    QTest::newRow("fourth of all") << QString() << 4 << "4";
    QTest::newRow("second of a selection") << "1700" << 2 << "2";
    QTest::newRow("empty selection") << "1900" << 1 << "0";
}

void ReportTest::ordenOfComposer() {
    QFETCH(QString, bornAfter);
    QFETCH(int, posicion);
    QFETCH(QString, orden);
    TempApp app;
    twelveComposers(app);
    FormMdi& mdi = app.enter();
    if (!bornAfter.isEmpty()) selectComposers(mdi.hub(), bornAfter);
    mdi.hub().reg[0].Posicion = posicion;
    Screen* report = show(mdi, 57);
    QCOMPARE(cellText(report, "LabComOrden"), orden);
    QCOMPARE(cellText(report, "LabSumaOrden"), QStringLiteral("-"));
    QCOMPARE(cellText(report, "LabComNumRegTotal"), QStringLiteral("12"));
}

void ReportTest::recomputedAtEachVisit() {
    TempApp app;
    twelveComposers(app);
    FormMdi& mdi = app.enter();
    Screen* report = show(mdi, 57);
    QCOMPARE(cellText(report, "LabComNumCampos"), QStringLiteral("0"));
    QCOMPARE(cellText(report, "LabRxCNumRegSeleccion1"), QStringLiteral("0"));
    listar(openListing(mdi, 22), {"Apellidos", "Fecha 1"});
    selectComposers(mdi.hub(), "1702");
    report = show(mdi, 57);
    checkRow(report, 0, {"12", "3", "2", "1", "0", "0", "3", "2", "2"});
    checkProducts(report, "72", "18", "6");
}

QTEST_MAIN(ReportTest)
#include "test_report.moc"
