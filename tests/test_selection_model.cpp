// The selection model without screens: the worked examples of the composer selection text for
// text, the terms of every register's fields, quoting, the guard, the list text and the SELECT
// statements.
#include <QtTest>

#include "selection/filter_model.h"
#include "selection/filter_text.h"
#include "store/registers.h"

using selection::FilterModel;

namespace {

int fieldPos(const RegisterDef& r, const QString& caption) {
    for (int i = 0; i < r.selFields.size(); ++i)
        if (r.selFields[i].caption == caption) return i;
    qFatal("no field %s", qPrintable(caption));
}

int criterionPos(const QString& caption) {
    const auto& c = registers::criteria();
    for (int i = 0; i < c.size(); ++i)
        if (c[i].caption == caption) return i;
    qFatal("no criterion %s", qPrintable(caption));
}

// Drives the model as the screen does for one filter: choices, value typed, "Añadir...".
bool add(FilterModel& m, const QString& field, const QString& criterion, const QString& value) {
    const int p = fieldPos(m.reg(), field);
    m.chooseField(p);
    m.chooseCriterion(criterionPos(criterion));
    m.changeValue(value);
    return m.addFilter(value, p, field, criterion);
}

int registerNamed(const QString& name) {
    for (const RegisterDef& r : registers::all())
        if (r.name == name) return r.global;
    qFatal("no register %s", qPrintable(name));
}

}  // namespace

class SelectionModelTest : public QObject {
    Q_OBJECT
  private slots:
    void workedExample();
    void workedStatements_data();
    void workedStatements();
    void singleTerms_data();
    void singleTerms();
    void kindClauseInLaterFilter();
    void onePairOfParenthesesPerFilter();
    void descriptionKeepsTypedValue();
    void guard_data();
    void guard();
    void promptChangesNothing();
    void connectiveCaption();
    void newAndAll();
};

void SelectionModelTest::workedExample() {
    FilterModel m(registers::at(registers::kCompositor));
    QVERIFY(add(m, "Apellidos", "Es Igual a", "Prueba"));
    QCOMPARE(m.lines, QStringList({"Apellidos", "Es Igual a", "'Prueba'"}));
    QCOMPARE(m.TextoFiltros, QStringLiteral("Apellidos Es Igual a 'Prueba'"));
    QCOMPARE(m.OpcionSQL, QStringLiteral("Apellidos = 'Prueba'"));

    m.chooseConnective("Y");
    QVERIFY(add(m, "Nombre", "Contiene", "ana"));
    QCOMPARE(m.lines.mid(3), QStringList({"       Y", "Nombre", "Contiene", "'ana'"}));
    QCOMPARE(m.TextoFiltros,
             QStringLiteral("(Apellidos Es Igual a 'Prueba' Y Nombre Contiene 'ana') "));
    QCOMPARE(m.OpcionSQL, QStringLiteral("(Apellidos = 'Prueba' AND Nombre LIKE '*ana*')"));

    m.chooseConnective("O");
    QVERIFY(add(m, "Fecha 1", "Es Menor que", "1700"));
    QCOMPARE(m.lines.mid(7), QStringList({"       O", "Fecha 1", "Es Menor que", "'1700'"}));
    QCOMPARE(m.TextoFiltros, QStringLiteral("((Apellidos Es Igual a 'Prueba' Y Nombre Contiene "
                                            "'ana')  O Fecha 1 Es Menor que '1700') "));
    QCOMPARE(m.OpcionSQL,
             QStringLiteral("((Apellidos = 'Prueba' AND Nombre LIKE '*ana*') OR Fecha1 < 1700)"));
    QCOMPARE(m.lines.size(), 11);
    QCOMPARE(m.numFiltros, 3);
    QCOMPARE(selection::filtersOfLines(int(m.lines.size())), 3);
}

void SelectionModelTest::workedStatements_data() {
    QTest::addColumn<bool>("todo");
    QTest::addColumn<int>("sortField");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("statement");
    const QString c = "((Apellidos = 'Prueba' AND Nombre LIKE '*ana*') OR Fecha1 < 1700)";
    QTest::newRow("Apellidos Ascendente")
        << false << 1 << 0 << "SELECT * FROM Compositor WHERE " + c + " ORDER BY Apellidos ASC";
    QTest::newRow("Histórico") << false << 1 << 2 << "SELECT * FROM Compositor WHERE " + c;
    QTest::newRow("Fecha 2 Descendente")
        << false << 3 << 1 << "SELECT * FROM Compositor WHERE " + c + " ORDER BY Fecha2 DESC";
    QTest::newRow("Todo Nombre Descendente")
        << true << 0 << 1 << "SELECT * FROM Compositor ORDER BY Nombre DESC";
    QTest::newRow("Todo Histórico") << true << 3 << 2 << "SELECT * FROM Compositor";
}

void SelectionModelTest::workedStatements() {
    QFETCH(bool, todo);
    QFETCH(int, sortField);
    QFETCH(int, direction);
    QFETCH(QString, statement);
    FilterModel m(registers::at(registers::kCompositor));
    if (todo) {
        m.allRecords();
    } else {
        add(m, "Apellidos", "Es Igual a", "Prueba");
        m.chooseConnective("Y");
        add(m, "Nombre", "Contiene", "ana");
        m.chooseConnective("O");
        add(m, "Fecha 1", "Es Menor que", "1700");
    }
    m.chooseSortField(sortField);
    m.chooseSortDirection(direction);
    QCOMPARE(m.statement(), statement);
}

void SelectionModelTest::singleTerms_data() {
    QTest::addColumn<QString>("reg");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("condition");
    auto row = [](const char* name, const char* r, const char* f, const char* c, const char* v,
                  const char* cond) {
        QTest::newRow(name) << QString(r) << QString::fromUtf8(f) << QString(c)
                            << QString::fromUtf8(v) << QString::fromUtf8(cond);
    };
    row("not a number", "Compositor", "Fecha 2", "Es Mayor que", "siglo", "Fecha2 > -1");
    row("number pattern", "Compositor", "Fecha 1", "Contiene", "17", "Fecha1 LIKE '*17*'");
    row("not a number pattern", "Compositor", "Fecha 2", "Contiene", "siglo", "Fecha2 LIKE '*-1*'");
    row("notes", "Compositor", "Notas", "No contiene", "ópera", "Notas NOT LIKE '*ópera*'");
    row("number equal", "Compositor", "Fecha 1", "Es Igual a", "1700", "Fecha1 = 1700");
    row("number below", "Director", "Fecha 2", "Es Menor que", "1900", "Fecha2 < 1900");
    row("text below", "Compositor", "Apellidos", "Es Menor que", "M", "Apellidos < 'M'");
    row("century", "Instrumento", "Siglo", "Es Mayor que", "17", "Siglo > 17");
    row("carrier quoted", "Soporte", "Nº de Catálogo", "Es Mayor que", "100",
        "NumeroCatalogo > '100'");
    row("carrier P", "Soporte", "( P )", "Es Igual a", "1999", "Recopilacion = '1999'");
    row("work time", "Obra", "Tiempo Total", "Es Mayor que", "600", "TiempoTotal > 600");
    row("work movements", "Obra", "Nº de  Movimientos", "Es Igual a", "4", "NumeroMovimientos = 4");
    row("work number is text", "Obra", "Nº", "Es Igual a", "9", "Numero = '9'");
    row("group", "Orquesta", "Grupo", "Contiene", "cámara",
        "Nombre LIKE '*cámara*' AND OrqGrpCor='2'");
    row("choir", "Orquesta", "Coro", "Es Igual a", "x", "Nombre = 'x' AND OrqGrpCor='3'");
    row("orchestra", "Orquesta", "Orquesta", "No contiene", "a",
        "Nombre NOT LIKE '*a*' AND OrqGrpCor='1'");
    row("genre has no kind", "Orquesta", "Género", "Es Igual a", "Barroco", "Genero = 'Barroco'");
    row("ensemble year", "Orquesta", "Fecha", "Es Menor que", "1950", "Fecha < 1950");
    row("web year", "Internet", "Fecha", "Es Mayor que", "2000", "Fecha > 2000");
    row("web address", "Internet", "URL", "Contiene", "radio", "Url LIKE '*radio*'");
    row("apostrophe", "Compositor", "Apellidos", "Es Igual a", "O'Brien", "Apellidos = 'O''Brien'");
    row("apostrophe pattern", "Emisora", "Emisora", "Contiene", "l'a", "Emisora LIKE '*l''a*'");
    row("quote escape attempt", "Compositor", "Nombre", "Es Igual a", "x' OR 'a'='a",
        "Nombre = 'x'' OR ''a''=''a'");
    row("bare number escape attempt", "Compositor", "Fecha 1", "Es Igual a", "1) OR (1=1",
        "Fecha1 = -1");
    row("number then statement", "Evento", "Fecha", "Es Mayor que", "1 OR 1=1", "Fecha > -1");
    row("pattern escape on number", "Agrupacion", "Fecha", "Contiene", "1') OR ('1'='1",
        "Fecha LIKE '*-1*'");
    row("comma decimal", "Escenario", "Fecha", "Es Menor que", "1,5", "Fecha < 1.5");
    row("blanks around number", "Publicacion", "Fecha", "Es Igual a", " 1984 ", "Fecha = 1984");
    row("negative", "Compositor", "Fecha 1", "Es Mayor que", "-5", "Fecha1 > -5");
}

void SelectionModelTest::singleTerms() {
    QFETCH(QString, reg);
    QFETCH(QString, field);
    QFETCH(QString, criterion);
    QFETCH(QString, value);
    QFETCH(QString, condition);
    FilterModel m(registers::at(registerNamed(reg)));
    QVERIFY(add(m, field, criterion, value));
    QCOMPARE(m.OpcionSQL, condition);
    // The list and the description show the value as typed.
    QCOMPARE(m.lines.last(), "'" + value + "'");
    QCOMPARE(m.TextoFiltros, field + " " + criterion + " '" + value + "'");
}

void SelectionModelTest::kindClauseInLaterFilter() {
    FilterModel m(registers::at(registers::kOrquesta));
    QVERIFY(add(m, "Género", "Contiene", "barroco"));
    const QString first = m.OpcionSQL;
    m.chooseConnective("Y");
    QVERIFY(add(m, "Coro", "Es Igual a", "x"));
    QCOMPARE(m.OpcionSQL, "(" + first + " AND " + "Nombre = 'x' AND OrqGrpCor='3'" + ")");
    QCOMPARE(m.TipoOrquesta, qint16(3));
    // A field without a kind leaves the kind as it was.
    m.chooseField(fieldPos(m.reg(), "Fecha"));
    QCOMPARE(m.TipoOrquesta, qint16(3));
}

void SelectionModelTest::onePairOfParenthesesPerFilter() {
    FilterModel m(registers::at(registers::kDirector));
    QString previous;
    for (int n = 1; n <= 6; ++n) {
        if (n > 1) m.chooseConnective(n % 2 ? "O" : "Y");
        QVERIFY(add(m, "Apellidos", "Contiene", QString("v%1").arg(n)));
        const QString term = QString("Apellidos LIKE '*v%1*'").arg(n);
        if (n == 1)
            QCOMPARE(m.OpcionSQL, term);
        else
            QCOMPARE(m.OpcionSQL, "(" + previous + (n % 2 ? " OR " : " AND ") + term + ")");
        QCOMPARE(m.OpcionSQL.count('('), n - 1);
        QCOMPARE(m.lines.size(), 4 * n - 1);
        previous = m.OpcionSQL;
    }
}

void SelectionModelTest::descriptionKeepsTypedValue() {
    FilterModel m(registers::at(registers::kCompositor));
    QVERIFY(add(m, "Apellidos", "Es Igual a", "O'Brien"));
    QCOMPARE(m.TextoFiltros, QStringLiteral("Apellidos Es Igual a 'O'Brien'"));
    QCOMPARE(m.lines.last(), QStringLiteral("'O'Brien'"));
    QCOMPARE(m.OpcionSQL, QStringLiteral("Apellidos = 'O''Brien'"));
}

void SelectionModelTest::guard_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("field");
    QTest::addColumn<bool>("criterion");
    QTest::newRow("design text") << selection::kValorInicial << true << true;
    QTest::newRow("empty") << QString() << true << true;
    QTest::newRow("blanks") << QStringLiteral("    ") << true << true;
    QTest::newRow("no field") << QStringLiteral("Bach") << false << true;
    QTest::newRow("no criterion") << QStringLiteral("Bach") << true << false;
}

void SelectionModelTest::guard() {
    QFETCH(QString, value);
    QFETCH(bool, field);
    QFETCH(bool, criterion);
    QCOMPARE(selection::kValorInicial, QStringLiteral("       Valor del FILTRO"));
    FilterModel m(registers::at(registers::kCompositor));
    if (field) m.chooseField(1);
    if (criterion) m.chooseCriterion(0);
    m.changeValue(value);
    QVERIFY(!m.addFilter(value, field ? 1 : 5, "Apellidos", "Es Igual a"));
    QVERIFY(m.lines.isEmpty());
    QVERIFY(m.OpcionSQL.isEmpty());
    QVERIFY(m.TextoFiltros.isEmpty());
    QCOMPARE(m.numFiltros, 0);
}

void SelectionModelTest::promptChangesNothing() {
    for (const RegisterDef& r : registers::all()) {
        if (r.global == registers::kGrabacion) continue;
        FilterModel m(r);
        m.chooseField(1);
        m.chooseCriterion(2);
        m.chooseSortField(1);
        m.chooseSortDirection(0);
        const QString campo = m.CampoSQL, op = m.OperadorSQL, orden = m.CampoOrdenSQL;
        m.chooseField(int(r.selFields.size()));  // the prompt
        m.chooseCriterion(int(registers::criteria().size()));
        m.chooseSortField(int(r.sortFields.size()));
        QCOMPARE(m.CampoSQL, campo);
        QCOMPARE(m.OperadorSQL, QStringLiteral(" NOT LIKE "));
        QCOMPARE(m.OperadorSQL, op);
        QCOMPARE(m.CampoOrdenSQL, orden);
        QCOMPARE(m.SentidoOrdenSQL, QStringLiteral(" ASC"));
    }
}

void SelectionModelTest::connectiveCaption() {
    FilterModel m(registers::at(registers::kCompositor));
    QVERIFY(add(m, "Nombre", "Es Igual a", "a"));
    QCOMPARE(m.ConectorTexto, selection::kSevenBlanks);
    m.chooseConnective("O");
    QCOMPARE(m.ConectorSQL, QStringLiteral(" OR "));
    QCOMPARE(m.ConectorTexto, QStringLiteral("O"));
    QVERIFY(add(m, "Nombre", "Es Igual a", "b"));
    QCOMPARE(m.ConectorTexto, QStringLiteral("       O"));
    m.chooseConnective("Y");
    QCOMPARE(m.ConectorSQL, QStringLiteral(" AND "));
}

void SelectionModelTest::newAndAll() {
    FilterModel m(registers::at(registers::kCompositor));
    QVERIFY(add(m, "Nombre", "Es Igual a", "a"));
    m.chooseConnective("Y");
    m.newSelection();
    QVERIFY(m.OpcionSQL.isEmpty() && m.ConectorSQL.isEmpty() && m.ConectorTexto.isEmpty() &&
            m.ValorSQL.isEmpty() && m.TextoFiltros.isEmpty() && m.lines.isEmpty());
    QCOMPARE(m.numFiltros, 0);
    QVERIFY(add(m, "Nombre", "Es Igual a", "a"));
    m.allRecords();
    QCOMPARE(m.OpcionSQL, QStringLiteral("Todo"));
    QVERIFY(m.TextoFiltros.isEmpty());
    QCOMPARE(m.numFiltros, 0);
}

QTEST_MAIN(SelectionModelTest)
#include "test_selection_model.moc"
