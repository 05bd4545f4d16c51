// The "Seleccionar" screens driven as a user does: the composer screen's controls, prompts and
// enabling through a whole selection, the value box's "#" rules, the 20-filter limit, "Todo",
// applying (the show screen then browses the selected records in order), the selection left
// under construction and the sort order kept across visits; then the twelve other registers'
// vocabularies, one applied selection each, and the reset of a register's selection after a new
// record is saved on its entry screen.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>

#include "selection/selection_screen.h"
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/screen.h"
#include "store/data_hub.h"
#include "store/registers.h"
#include "tests/fixture.h"

namespace {

using Keys = QList<qint64>;

const QString kCampo = QStringLiteral("              CAMPO");
const QString kCriterio = QStringLiteral("            CRITERIO");
const QString kValor = QStringLiteral("       Valor del FILTRO");
const QString kHistorico = QString::fromUtf8("Histórico");

// Shows a screen as the navigation panel does (its load operation included) and returns it.
Screen* show(FormMdi& mdi, int number) {
    mdi.solapas().OcultarFormulario();
    mdi.solapas().MostrarFormulario(number);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Screen* s = mdi.solapas().loadedScreen(number);
    if (s) s->Carga();
    return s;
}

Screen* selScreen(FormMdi& mdi, int global) {
    return show(mdi, registers::screenNumber(global, 1));
}

template <class T = QWidget>
T* w(QWidget* s, const char* name) {
    T* x = s ? s->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!x) qWarning("no widget %s", name);
    return x;
}

void click(QWidget* s, const char* name) {
    QTest::mouseClick(w<QPushButton>(s, name), Qt::LeftButton);
}

QString text(QWidget* s, const char* name) {
    if (auto* l = s->findChild<QLabel*>(QLatin1String(name))) return l->text();
    return w<QLineEdit>(s, name)->text();
}

QStringList items(QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
}

QStringList lines(QWidget* s) {
    auto* l = w<QListWidget>(s, "ListFiltros");
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

QStringList infoList(QWidget* s) {
    auto* l = w<QListWidget>(s, "List2");
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

// Which controls are usable, in the order of the enabling table: Nueva, Todo, Añadir, Y, O,
// Aceptar, field, criterion, value, sort field, sort direction.
QString enabled(QWidget* s) {
    static const char* const names[] = {
        "BtnNueva",     "BtnTodo",         "BtnAnadir",         "BtnY",
        "BtnO",         "BtnAceptar",      "ComboCampo",        "ComboCriterio",
        "TxtValFiltro", "ComboCampoOrden", "ComboCriterioOrden"};
    QString out;
    for (const char* n : names)
        out += w<QWidget>(s, n)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

void choose(QWidget* s, const char* combo, const QString& caption) {
    auto* c = w<QComboBox>(s, combo);
    const int i = c->findText(caption);
    if (i < 0) qWarning("no item %s in %s", qPrintable(caption), combo);
    c->setCurrentIndex(i);
}

// One filter: the connective button (none for the first), field, criterion, value, "Añadir...".
void addFilter(QWidget* s, const QString& connective, const QString& field,
               const QString& criterion, const QString& value) {
    if (connective == QLatin1String("Y")) click(s, "BtnY");
    if (connective == QLatin1String("O")) click(s, "BtnO");
    choose(s, "ComboCampo", field);
    choose(s, "ComboCriterio", criterion);
    w<QLineEdit>(s, "TxtValFiltro")->setText(value);
    click(s, "BtnAnadir");
}

void accept(QWidget* s, const QString& sortField, const QString& direction) {
    choose(s, "ComboCampoOrden", sortField);
    choose(s, "ComboCriterioOrden", direction);
    click(s, "BtnAceptar");
}

Keys keysOf(FormMdi& mdi, int global) {
    Keys out;
    for (qint64 k : mdi.hub().Data[global].recordset().keys()) out << k;
    return out;
}

// Composers, keys 1-5.
void composers(TempApp& app) {
    struct C {
        const char *nombre, *apellidos;
        int f1;
    };
    const C rows[] = {{"Ana", "Prueba", 1650},
                      {"Mariana", "Soler", 1690},
                      {"Johann Sebastian", "Bach", 1685},
                      {"Carl Philipp Emanuel", "Bach", 1714},
                      {"Pat", "O'Brien", 1950}};
    for (const C& c : rows)
        app.insert("Compositor", {{"Nombre", QString::fromUtf8(c.nombre)},
                                  {"Apellidos", QString::fromUtf8(c.apellidos)},
                                  {"Fecha1", c.f1}});
}

QStringList u(std::initializer_list<const char*> l) {
    QStringList out;
    for (const char* x : l) out << QString::fromUtf8(x);
    return out;
}

// A record of a register: every text column "<seed> <column>", the given kind for ensembles.
qint64 record(TempApp& app, int global, const QString& seed, int kind = 1) {
    const RegisterDef& d = registers::at(global);
    QVariantMap m;
    for (const FieldDef& f : d.fields) {
        if (f.kind == FieldKind::Text) m[f.column] = seed + QLatin1Char(' ') + f.column;
        if (f.kind == FieldKind::Kind) m[f.column] = kind;
    }
    return app.insert(d.table, m);
}

// The vocabulary of a register's screen as its users read it.
struct Vocabulary {
    int global;
    QString caption;
    int valueLength, fieldCount;
    QStringList fields;  // without the prompt
    QString prompt;
};

QList<Vocabulary> vocabularies() {
    using namespace registers;
    const QString p = kCampo;
    return {
        {kObra, "Obra", 75, 16,
         u({"Obra", "Nº", "Tonalidad", "Opus", "Nº de Opus", "Catálogo", "Nº de Catálogo",
            "Fecha 1", "Fecha 2", "Subtítulo", "Movimientos", "Tiempo Total", "Nº de  Movimientos",
            "Notas", "Autor"}),
         p},
        {kOrquesta, "Orquesta - Grupo", 75, 5,
         u({"Orquesta", "Grupo", "Coro", "Género", "Fecha", "Notas"}), p},
        {kDirector, "Director", 50, 6, u({"Nombre", "Apellidos", "Fecha 1", "Fecha 2", "Notas"}),
         p},
        {kInterprete, QString::fromUtf8("Intérprete"), 50, 7,
         u({"Nombre", "Apellidos", "Instrumento - Voz", "Fecha 1", "Fecha 2", "Notas"}), p},
        {kSoporte, "Soporte", 70, 11,
         u({"Discográfica", "Nº de Catálogo", "Colección", "Nº - Referencia", "Formato",
            "Grabación", "( P )", "( C )", "Notas", "Emplazamiento"}),
         p},
        {kInstrumento, "Instrumento", 50, 7,
         u({"Instrumento", "Constructor", "Modelo - Tipo", "Siglo", "Fecha", "Notas"}), p},
        {kAgrupacion, QString::fromUtf8("Agrupación"), 75, 7,
         u({"Entidad", "Ciudad", "País", "Fecha", "Actividad", "Notas"}), p},
        {kEvento, "Evento", 75, 7, u({"Evento", "Ciudad", "País", "Fecha", "Actividad", "Notas"}),
         p},
        {kEscenario, "Escenario", 75, 7,
         u({"Escenario", "Ciudad", "País", "Fecha", "Actividad", "Notas"}), p},
        {kPublicacion, QString::fromUtf8("Publicación - Vídeo"), 75, 10,
         u({"Título", "Autor", "Formato", "Tema", "Id. - ISBN", "Editorial", "Fecha", "Notas",
            "Emplazamiento"}),
         p},
        {kEmisora, "Emisora", 75, 8,
         u({"Emisora", "Medio", "País", "Zona", "Frecuencia", "Fecha", "Notas"}), p},
        {kInternet, "http://www.", 75, 7, u({"Título", "URL", "E-Mail", "Tema", "Fecha", "Notas"}),
         QStringLiteral("             CAMPO")},
    };
}

// The first numeric field caption of a register's field list, "" when it has none.
QString firstNumeric(int global) {
    for (const VocabItem& v : registers::at(global).selFields)
        if (v.numeric && v.kind == 0) return v.caption;
    return {};
}

QString columnOf(int global, const QString& caption) {
    for (const VocabItem& v : registers::at(global).selFields)
        if (v.caption == caption) return v.column;
    return {};
}

}  // namespace

class SelectionScreenTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { QApplication::clipboard()->clear(); }
    void composerControls();
    void enablingAndPromptsThroughASelection();
    void blankValuesAddNothing();
    void focusClearsTheValue();
    void hashRefusedAndRemovedWhenPasted();
    void hashKeptByOtherRegisters_data();
    void hashKeptByOtherRegisters();
    void twentyFilters();
    void allRecords();
    void acceptAppliesAndShowScreenBrowsesIt();
    void failedApplyFallsBackToAll();
    void halfBuiltSelectionComesBack();
    void sortPositionsRemembered();
    void vocabulary_data();
    void vocabulary();
    void ensembleKinds();
    void conditions_data();
    void conditions();
    void registerSelection_data();
    void registerSelection();
    void resetAfterSave_data();
    void resetAfterSave();
    void focusStaysOnTheScreen();
    void cancelledSelectionShowsTheOneInForce();
};

void SelectionScreenTest::composerControls() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    QVERIFY(s);
    QCOMPARE(s->number(), 8);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1SelCompositor"));
    struct Control {
        const char *name, *text, *tip;
    };
    const Control controls[] = {
        {"BtnAnadir", "Añadir...", "Añadir Filtro"},
        {"BtnY", "Y", "Intersección"},
        {"BtnO", "O", "Unión"},
        {"BtnNueva", "Nueva", "Nueva Selección"},
        {"BtnTodo", "Todo", "Todos los Registros"},
        {"BtnAceptar", "Aceptar", "Aceptar Selección"},
    };
    for (const Control& c : controls) {
        auto* b = w<QPushButton>(s, c.name);
        QVERIFY2(b, c.name);
        QCOMPARE(b->text(), QString::fromUtf8(c.text));
        QCOMPARE(b->toolTip(), QString::fromUtf8(c.tip));
    }
    const Control tips[] = {
        {"ComboCampo", "", "Escoger Campo"},
        {"ComboCriterio", "", "Escoger Criterio"},
        {"ComboCampoOrden", "", "Escoger Campo"},
        {"ComboCriterioOrden", "", "Escoger Criterio"},
        {"TxtValFiltro", "", "Introducir Valor"},
        {"ListFiltros", "", "Filtros"},
        {"LabNumFiltros", "0", "Nº de Filtros Seleccionados"},
        {"LabNumRegTotal", "5", "Nº Total de Registros"},
        {"LabNumReg", "5", "Nº de Registros Seleccionados"},
        {"LabNumRegFiltros", "0", "Nº de Filtros Seleccionados"},
        {"LabNumCampos", "6", "Nº de Campos por Registro"},
        {"LabNumCamposSel", "6", "Nº de Campos por Registro Seleccionado"},
    };
    for (const Control& c : tips) {
        QWidget* x = w<QWidget>(s, c.name);
        QVERIFY2(x, c.name);
        QCOMPARE(x->toolTip(), QString::fromUtf8(c.tip));
        if (*c.text) QCOMPARE(text(s, c.name), QString::fromUtf8(c.text));
    }
    QCOMPARE(text(s, "LabBaseDatos"), QStringLiteral("Compositor"));
    QCOMPARE(text(s, "TxtValFiltro"), kValor);
    QCOMPARE(w<QLineEdit>(s, "TxtValFiltro")->maxLength(), 50);
    // Showing puts the applied selection's description (none yet) in the box and its tooltip.
    QCOMPARE(text(s, "LabOpcionSQL"), QString());
    QCOMPARE(w<QWidget>(s, "LabOpcionSQL")->toolTip(), QString());
    QCOMPARE(items(w<QComboBox>(s, "ComboCampo")),
             u({"Nombre", "Apellidos", "Fecha 1", "Fecha 2", "Notas"}) << kCampo);
    QCOMPARE(items(w<QComboBox>(s, "ComboCriterio")),
             u({"Es Igual a", "Contiene", "No contiene", "Es Menor que", "Es Mayor que"})
                 << kCriterio);
    QCOMPARE(items(w<QComboBox>(s, "ComboCampoOrden")),
             u({"Nombre", "Apellidos", "Fecha 1", "Fecha 2"}) << kCampo);
    QCOMPARE(items(w<QComboBox>(s, "ComboCriterioOrden")),
             u({"Ascendente", "Descendente", "Histórico"}));
    QCOMPARE(infoList(s), u({"Nombre", "Apellidos", "Fecha 1", "Fecha 2", "Notas", "Imagen"}));
    for (const char* c : {"ComboCampo", "ComboCriterio", "ComboCampoOrden", "ComboCriterioOrden"})
        QVERIFY2(!w<QComboBox>(s, c)->isEditable(), c);  // pick only
    // A fresh run: idle, the prompts shown, "Histórico".
    QCOMPARE(enabled(s), QStringLiteral("11000000000"));
    QCOMPARE(w<QComboBox>(s, "ComboCampo")->currentText(), kCampo);
    QCOMPARE(w<QComboBox>(s, "ComboCriterio")->currentText(), kCriterio);
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), kCampo);
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), kHistorico);
    QVERIFY(lines(s).isEmpty());
}

void SelectionScreenTest::enablingAndPromptsThroughASelection() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    auto* campo = w<QComboBox>(s, "ComboCampo");
    auto* criterio = w<QComboBox>(s, "ComboCriterio");
    auto* orden = w<QComboBox>(s, "ComboCampoOrden");
    auto* sentido = w<QComboBox>(s, "ComboCriterioOrden");
    auto* valor = w<QLineEdit>(s, "TxtValFiltro");

    click(s, "BtnNueva");
    QCOMPARE(enabled(s), QStringLiteral("11100011100"));
    // The prompts go while the user may choose: every choice is a real item.
    QCOMPARE(campo->count(), 5);
    QCOMPARE(campo->currentText(), QStringLiteral("Nombre"));
    QCOMPARE(criterio->count(), 5);
    QCOMPARE(criterio->currentText(), QStringLiteral("Es Igual a"));
    QCOMPARE(orden->currentText(), kCampo);
    choose(s, "ComboCampo", "Apellidos");
    QCOMPARE(enabled(s), QStringLiteral("11100011100"));
    choose(s, "ComboCriterio", "Es Igual a");
    valor->setText("Prueba");
    QCOMPARE(enabled(s), QStringLiteral("11100011100"));
    click(s, "BtnAnadir");
    QCOMPARE(enabled(s), QStringLiteral("11011100011"));
    QCOMPARE(campo->count(), 6);
    QCOMPARE(campo->currentText(), kCampo);
    QCOMPARE(criterio->count(), 6);
    QCOMPARE(criterio->currentText(), kCriterio);
    QCOMPARE(items(orden), u({"Nombre", "Apellidos", "Fecha 1", "Fecha 2"}));
    QCOMPARE(orden->currentText(), QStringLiteral("Nombre"));
    QCOMPARE(sentido->currentText(), kHistorico);
    QCOMPARE(valor->text(), kValor);
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("1"));
    QCOMPARE(lines(s), u({"Apellidos", "Es Igual a", "'Prueba'"}));

    click(s, "BtnY");
    QCOMPARE(enabled(s), QStringLiteral("11100111100"));
    QCOMPARE(campo->count(), 5);
    QCOMPARE(campo->currentText(), QStringLiteral("Nombre"));
    QCOMPARE(criterio->currentText(), QStringLiteral("Es Igual a"));
    addFilter(s, "", "Nombre", "Contiene", "ana");
    QCOMPARE(enabled(s), QStringLiteral("11011100011"));
    click(s, "BtnO");
    QCOMPARE(enabled(s), QStringLiteral("11100111100"));
    addFilter(s, "", "Fecha 1", "Es Menor que", "1700");
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("3"));
    QCOMPARE(lines(s), u({"Apellidos", "Es Igual a", "'Prueba'", "       Y", "Nombre", "Contiene",
                          "'ana'", "       O", "Fecha 1", "Es Menor que", "'1700'"}));
    QCOMPARE(w<QListWidget>(s, "ListFiltros")->currentRow(), 10);
    RegisterState& st = mdi.hub().reg[0];
    QCOMPARE(st.MemoSelNT, qint16(0));
    QCOMPARE(st.MemoSelLista, lines(s));
    QCOMPARE(st.MemoSelOpcionSQL,
             QStringLiteral("((Apellidos = 'Prueba' AND Nombre LIKE '*ana*') OR Fecha1 < 1700)"));

    // A fourth filter being typed when "Aceptar" is pressed is ignored.
    click(s, "BtnY");
    choose(s, "ComboCampo", "Nombre");
    valor->setText("zzz");
    QVERIFY(w<QWidget>(s, "BtnAceptar")->isEnabled());
    accept(s, "Apellidos", "Ascendente");
    QCOMPARE(enabled(s), QStringLiteral("11000000000"));
    QCOMPARE(keysOf(mdi, 0), Keys({3, 1, 2}));
    QCOMPARE(mdi.hub().Data[0].RecordSource,
             QStringLiteral("SELECT * FROM Compositor WHERE ((Apellidos = 'Prueba' AND Nombre LIKE "
                            "'*ana*') OR Fecha1 < 1700) ORDER BY Apellidos ASC"));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabNumRegFiltros"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("3"));
    const QString description = QStringLiteral(
        "((Apellidos Es Igual a 'Prueba' Y Nombre Contiene 'ana')  O Fecha 1 Es Menor que "
        "'1700') ");
    QCOMPARE(text(s, "LabOpcionSQL"), description);
    QCOMPARE(w<QWidget>(s, "LabOpcionSQL")->toolTip(), description);
    QCOMPARE(lines(s).size(), 11);  // the list keeps what it showed
    QCOMPARE(campo->currentText(), kCampo);
    QCOMPARE(criterio->currentText(), kCriterio);
    QCOMPARE(orden->currentText(), QStringLiteral("Apellidos"));
    QCOMPARE(sentido->currentText(), QStringLiteral("Ascendente"));
    QCOMPARE(st.ContSel, 3);
    QCOMPARE(st.ContFil, 3);
    QCOMPARE(st.MemoSelNT, qint16(2));
    QCOMPARE(st.MemoSelValorFiltro, description);
    QVERIFY(st.MemoSelOpcionSQL.isEmpty());
    QVERIFY(app.messages.shown.empty());
}

void SelectionScreenTest::blankValuesAddNothing() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    for (const QString& v : {kValor, QString(), QStringLiteral("   ")}) {
        w<QLineEdit>(s, "TxtValFiltro")->setText(v);
        click(s, "BtnAnadir");
        QCOMPARE(enabled(s), QStringLiteral("11100011100"));
        QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("0"));
        QVERIFY(lines(s).isEmpty());
    }
    QCOMPARE(mdi.hub().reg[0].MemoSelNT, qint16(2));
}

void SelectionScreenTest::focusClearsTheValue() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    auto* valor = w<QLineEdit>(s, "TxtValFiltro");
    valor->setText("Bach");
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(valor, &in);
    QCOMPARE(valor->text(), QString());
    QVERIFY(!w<QWidget>(s, "BtnY")->isEnabled());
    QVERIFY(!w<QWidget>(s, "BtnO")->isEnabled());

    // With the window active: a value typed, the focus elsewhere, a click back into the box.
    QWidget* top = s->window();
    top->show();
    top->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(top));
    QTest::mouseClick(valor, Qt::LeftButton);
    QVERIFY(valor->hasFocus());
    QTest::keyClicks(valor, "Bach");
    QCOMPARE(valor->text(), QStringLiteral("Bach"));
    w<QWidget>(s, "ComboCriterio")->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(valor, Qt::LeftButton);
    QCOMPARE(valor->text(), QString());
}

void SelectionScreenTest::hashRefusedAndRemovedWhenPasted() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    auto* valor = w<QLineEdit>(s, "TxtValFiltro");
    valor->clear();
    QTest::keyClicks(valor, "a#b");
    QCOMPARE(valor->text(), QStringLiteral("ab"));
    valor->clear();
    QApplication::clipboard()->setText("#uno#dos#");
    QTest::keySequence(valor, QKeySequence::Paste);
    QCOMPARE(valor->text(), QStringLiteral("unodos"));
    auto* sel = qobject_cast<SelectionScreen*>(s);
    QVERIFY(sel);
    QCOMPARE(sel->model().ValorSQL, QStringLiteral("unodos"));
    click(s, "BtnAnadir");
    QCOMPARE(lines(s).last(), QStringLiteral("'unodos'"));
}

void SelectionScreenTest::hashKeptByOtherRegisters_data() {
    QTest::addColumn<int>("global");
    for (int g : {int(registers::kObra), int(registers::kOrquesta), int(registers::kEvento),
                  int(registers::kInternet)})
        QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

// Typed and pasted "#" stay in the value, in the list, in the half-built selection that comes
// back on the next visit, and in the applied one, which finds the record holding them.
void SelectionScreenTest::hashKeptByOtherRegisters() {
    QFETCH(int, global);
    const RegisterDef& d = registers::at(global);
    const VocabItem& first = d.selFields.first();
    TempApp app;
    record(app, global, "Sala 3");
    const qint64 wanted = record(app, global, "Sala #3");
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, global);
    click(s, "BtnNueva");
    choose(s, "ComboCampo", first.caption);
    choose(s, "ComboCriterio", "Es Igual a");
    auto* valor = w<QLineEdit>(s, "TxtValFiltro");
    valor->clear();
    QTest::keyClicks(valor, "Sala #");
    QApplication::clipboard()->setText("3 " + first.column);
    QTest::keySequence(valor, QKeySequence::Paste);
    const QString value = "Sala #3 " + first.column;
    QCOMPARE(valor->text(), value);
    click(s, "BtnAnadir");
    addFilter(s, "O", first.caption, "Es Igual a", "#");
    const QStringList built = {first.caption, "Es Igual a",  "'" + value + "'",
                               "       O",    first.caption, "Es Igual a",
                               "'#'"};
    QCOMPARE(lines(s), built);

    show(mdi, registers::screenNumber(global, 2));
    s = selScreen(mdi, global);
    QCOMPARE(lines(s), built);
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("2"));
    accept(s, d.sortFields.first().caption, kHistorico);
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(keysOf(mdi, global), Keys({wanted}));
    QVERIFY(text(s, "LabOpcionSQL").contains("'" + value + "'"));

    show(mdi, registers::screenNumber(global, 2));
    s = selScreen(mdi, global);
    QCOMPARE(lines(s), built);
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("1"));
}

void SelectionScreenTest::twentyFilters() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    for (int i = 0; i < 20; ++i) {
        addFilter(s, i ? "O" : "", "Nombre", "Contiene", QString(QChar('a' + i)));
        if (i < 19) {
            QVERIFY(app.messages.shown.empty());
            QVERIFY(w<QWidget>(s, "BtnY")->isEnabled());
        }
    }
    QCOMPARE(app.messages.texts(), QStringList{QString::fromUtf8("Máximo 20 Filtros.")});
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Warning);
    QCOMPARE(enabled(s), QStringLiteral("11000100011"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("20"));
    QCOMPARE(lines(s).size(), 79);

    // Restored later: still no connective, and no message again.
    show(mdi, registers::screenNumber(0, 2));
    app.messages.clear();
    s = selScreen(mdi, registers::kCompositor);
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("20"));
    QCOMPARE(enabled(s), QStringLiteral("11000100011"));
    QVERIFY(app.messages.shown.empty());
    accept(s, "Nombre", "Ascendente");
    QCOMPARE(mdi.hub().reg[0].ContFil, 20);
    // Every composer's first name has an "a".
    QCOMPARE(keysOf(mdi, 0), Keys({1, 4, 3, 2, 5}));
    // A new selection counts from 0 again, connectives usable.
    click(s, "BtnNueva");
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("0"));
    addFilter(s, "", "Nombre", "Contiene", "Pat");
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("1"));
    QCOMPARE(enabled(s), QStringLiteral("11011100011"));
    QCOMPARE(app.messages.shown.size(), size_t(0));
}

void SelectionScreenTest::allRecords() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    addFilter(s, "", "Apellidos", "Es Igual a", "Bach");
    accept(s, "Nombre", "Ascendente");
    QCOMPARE(mdi.hub().reg[0].ContSel, 2);
    app.insert("Compositor", {{"Apellidos", "Zelenka"}});
    mdi.hub().reg[0].Cont = 6;  // as an entry screen would count it

    click(s, "BtnTodo");
    QCOMPARE(enabled(s), QStringLiteral("11000100011"));
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("6"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("0"));
    QCOMPARE(text(s, "LabOpcionSQL"), QString());
    QVERIFY(lines(s).isEmpty());
    QCOMPARE(w<QWidget>(s, "TxtValFiltro")->toolTip(), QString());
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->count(), 4);
    // The memorised order is offered again.
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), QStringLiteral("Nombre"));
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), QStringLiteral("Ascendente"));
    // Nothing applied yet.
    QCOMPARE(mdi.hub().reg[0].ContSel, 2);
    QCOMPARE(keysOf(mdi, 0).size(), 2);

    accept(s, "Apellidos", "Descendente");
    QCOMPARE(mdi.hub().Data[0].RecordSource,
             QStringLiteral("SELECT * FROM Compositor ORDER BY Apellidos DESC"));
    const Keys all = keysOf(mdi, 0);
    QCOMPARE(all.mid(0, 4), Keys({6, 2, 1, 5}));
    QCOMPARE(QSet<qint64>(all.begin() + 4, all.end()), QSet<qint64>({3, 4}));  // the two Bachs
    RegisterState& st = mdi.hub().reg[0];
    QCOMPARE(st.ContSel, 6);
    QCOMPARE(st.ContFil, 0);
    QVERIFY(st.MemoSelLista.isEmpty());
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("6"));
    QCOMPARE(text(s, "LabNumRegFiltros"), QStringLiteral("0"));
    // The next visit shows all records, no filters, and the order applied.
    show(mdi, registers::screenNumber(0, 2));
    s = selScreen(mdi, registers::kCompositor);
    QCOMPARE(enabled(s), QStringLiteral("11000000000"));
    QVERIFY(lines(s).isEmpty());
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("0"));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("6"));
    QCOMPARE(text(s, "LabOpcionSQL"), QString());
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), QStringLiteral("Apellidos"));
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), QStringLiteral("Descendente"));
}

void SelectionScreenTest::acceptAppliesAndShowScreenBrowsesIt() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    addFilter(s, "", "Fecha 1", "Es Mayor que", "1680");
    addFilter(s, "O", "Apellidos", "Es Igual a", "O'Brien");
    accept(s, "Fecha 1", "Descendente");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(keysOf(mdi, 0), Keys({5, 4, 2, 3}));
    QCOMPARE(text(s, "LabOpcionSQL"),
             QStringLiteral("(Fecha 1 Es Mayor que '1680' O Apellidos Es Igual a 'O'Brien') "));

    Screen* m = show(mdi, registers::screenNumber(0, 2));
    QVERIFY(m);
    QCOMPARE(keysOf(mdi, 0), Keys({5, 4, 2, 3}));
    QCOMPARE(mdi.hub().reg[0].ContSel, 4);
    QCOMPARE(mdi.hub().reg[0].Posicion, 1);
    QCOMPARE(text(m, "LabNumRegSeleccion"), QStringLiteral("4"));
    QCOMPARE(text(m, "TxtApellidos"), QStringLiteral("O'Brien"));

    // Applied with "Histórico": the table's own order.
    s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    addFilter(s, "", "Fecha 1", "Es Mayor que", "1680");
    accept(s, "Fecha 1", kHistorico);
    QCOMPARE(keysOf(mdi, 0), Keys({2, 3, 4, 5}));
    QCOMPARE(mdi.hub().Data[0].RecordSource,
             QStringLiteral("SELECT * FROM Compositor WHERE Fecha1 > 1680"));
}

void SelectionScreenTest::failedApplyFallsBackToAll() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    addFilter(s, "", "Nombre", "Contiene", "a");
    // The table goes away behind the program's back: the engine refuses the statement.
    app.exec("ALTER TABLE Compositor RENAME TO Otra");
    accept(s, "Nombre", "Ascendente");
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY(app.messages.shown[0].text.startsWith(QStringLiteral("Se ha producido el ERROR: ")));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(enabled(s), QStringLiteral("11000000000"));
    RegisterState& st = mdi.hub().reg[0];
    QCOMPARE(st.MemoSelNT, qint16(2));
    QVERIFY(st.MemoSelLista.isEmpty());
    QVERIFY(st.MemoSelOpcionSQL.isEmpty());
}

void SelectionScreenTest::halfBuiltSelectionComesBack() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    addFilter(s, "", "Apellidos", "Es Igual a", "Bach");
    addFilter(s, "O", "Nombre", "Es Igual a", "Pat");
    const QStringList built = lines(s);
    show(mdi, registers::screenNumber(0, 2));
    s = selScreen(mdi, registers::kCompositor);
    QCOMPARE(lines(s), built);
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("5"));  // the applied selection: all
    QCOMPARE(text(s, "LabNumRegFiltros"), QStringLiteral("0"));
    QCOMPARE(enabled(s), QStringLiteral("11011100011"));
    QCOMPARE(text(s, "TxtValFiltro"), kValor);

    // "Nueva" and "Todo" write nothing: the next visit finds the two filters again.
    for (const char* b : {"BtnNueva", "BtnTodo"}) {
        click(s, b);
        QVERIFY(lines(s).isEmpty());
        show(mdi, registers::screenNumber(0, 2));
        s = selScreen(mdi, registers::kCompositor);
        QCOMPARE(lines(s), built);
        QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("2"));
    }

    // A third filter joins the restored ones, and the whole selection applies.
    addFilter(s, "O", "Nombre", "Es Igual a", "Mariana");
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("3"));
    accept(s, "Nombre", kHistorico);
    QCOMPARE(keysOf(mdi, 0), Keys({2, 3, 4, 5}));
    QCOMPARE(text(s, "LabOpcionSQL"),
             QStringLiteral("((Apellidos Es Igual a 'Bach' O Nombre Es Igual a 'Pat')  O Nombre "
                            "Es Igual a 'Mariana') "));
    // After applying, the filter list of the applied selection is shown again, idle.
    show(mdi, registers::screenNumber(0, 2));
    s = selScreen(mdi, registers::kCompositor);
    QCOMPARE(enabled(s), QStringLiteral("11000000000"));
    QCOMPARE(lines(s).size(), 11);
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("4"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabNumRegFiltros"), QStringLiteral("3"));
}

void SelectionScreenTest::sortPositionsRemembered() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    addFilter(s, "", "Fecha 1", "Es Mayor que", "0");
    accept(s, "Apellidos", "Descendente");
    for (int visit = 0; visit < 2; ++visit) {
        show(mdi, registers::screenNumber(0, 2));
        s = selScreen(mdi, registers::kCompositor);
        auto* orden = w<QComboBox>(s, "ComboCampoOrden");
        QVERIFY(!orden->isEnabled());
        QCOMPARE(items(orden), u({"Nombre", "Apellidos", "Fecha 1", "Fecha 2"}));
        QCOMPARE(orden->currentText(), QStringLiteral("Apellidos"));
        QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(),
                 QStringLiteral("Descendente"));
    }
    // A new filter offers the memorised order.
    click(s, "BtnNueva");
    addFilter(s, "", "Nombre", "Contiene", "ana");
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), QStringLiteral("Apellidos"));
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), QStringLiteral("Descendente"));
    // Left under construction, it comes back with the memorised order, usable.
    show(mdi, registers::screenNumber(0, 2));
    s = selScreen(mdi, registers::kCompositor);
    QCOMPARE(enabled(s), QStringLiteral("11011100011"));
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), QStringLiteral("Apellidos"));
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), QStringLiteral("Descendente"));
    click(s, "BtnAceptar");
    QCOMPARE(keysOf(mdi, 0), Keys({2, 1}));

    // A selection said to be under construction with an empty list is shown as the applied one.
    RegisterState& st = mdi.hub().reg[0];
    st.MemoSelNT = 0;
    st.MemoSelLista.clear();
    s = selScreen(mdi, registers::kCompositor);
    QCOMPARE(st.MemoSelNT, qint16(2));
    QCOMPARE(enabled(s), QStringLiteral("11000000000"));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("2"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("1"));
    QVERIFY(lines(s).isEmpty());
}

void SelectionScreenTest::vocabulary_data() {
    QTest::addColumn<int>("index");
    const auto all = vocabularies();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(qPrintable(registers::at(all[i].global).name)) << i;
}

void SelectionScreenTest::vocabulary() {
    QFETCH(int, index);
    const Vocabulary v = vocabularies()[index];
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, v.global);
    QVERIFY(s);
    QCOMPARE(s->objectName(), registers::at(v.global).formName("Sel"));
    QCOMPARE(text(s, "LabBaseDatos"), v.caption);
    QCOMPARE(w<QLineEdit>(s, "TxtValFiltro")->maxLength(), v.valueLength);
    QCOMPARE(text(s, "TxtValFiltro"), kValor);
    QCOMPARE(text(s, "LabNumCampos"), QString::number(v.fieldCount));
    QCOMPARE(text(s, "LabNumCamposSel"), QString::number(v.fieldCount));
    QCOMPARE(items(w<QComboBox>(s, "ComboCampo")), QStringList(v.fields) << v.prompt);
    QCOMPARE(items(w<QComboBox>(s, "ComboCriterio")),
             u({"Es Igual a", "Contiene", "No contiene", "Es Menor que", "Es Mayor que"})
                 << kCriterio);
    QStringList sort = v.fields;
    sort.removeAll(QStringLiteral("Notas"));
    QStringList info = QStringList(v.fields) << QStringLiteral("Imagen");
    if (v.global == registers::kObra) {
        sort[4] = QString::fromUtf8("Nº  de Opus");
        sort[6] = QString::fromUtf8("Nº  de Catálogo");
        info[4] = QString::fromUtf8("Nº de  Opus");
    }
    if (v.global == registers::kEmisora) info[info.indexOf("Notas")] = QStringLiteral("Notas ");
    QCOMPARE(items(w<QComboBox>(s, "ComboCampoOrden")), QStringList(sort) << v.prompt);
    QCOMPARE(items(w<QComboBox>(s, "ComboCriterioOrden")),
             u({"Ascendente", "Descendente", "Histórico"}));
    QCOMPARE(infoList(s), info);
    QCOMPARE(w<QComboBox>(s, "ComboCampo")->currentText(), v.prompt);
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), v.prompt);
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), kHistorico);
    QCOMPARE(enabled(s), QStringLiteral("11000000000"));
    // The prompt is never a choice.
    click(s, "BtnNueva");
    QCOMPARE(items(w<QComboBox>(s, "ComboCampo")), v.fields);
    click(s, "BtnTodo");
    QCOMPARE(items(w<QComboBox>(s, "ComboCampo")), QStringList(v.fields) << v.prompt);
    QCOMPARE(w<QComboBox>(s, "ComboCampo")->currentText(), v.prompt);
    QCOMPARE(items(w<QComboBox>(s, "ComboCampoOrden")), sort);
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), sort.first());
}

void SelectionScreenTest::ensembleKinds() {
    TempApp app;
    record(app, registers::kOrquesta, "x", 3);       // 1
    record(app, registers::kOrquesta, "x", 1);       // 2
    record(app, registers::kOrquesta, "cámara", 2);  // 3
    record(app, registers::kOrquesta, "y", 3);       // 4
    app.exec("UPDATE Orquesta SET Nombre = 'x' WHERE Id IN (1, 2)");
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kOrquesta);
    auto* sel = qobject_cast<SelectionScreen*>(s);
    QVERIFY(sel);
    click(s, "BtnNueva");
    addFilter(s, "", "Coro", "Es Igual a", "x");
    QCOMPARE(sel->model().OpcionSQL, QStringLiteral("Nombre = 'x' AND OrqGrpCor='3'"));
    QCOMPARE(lines(s), u({"Coro", "Es Igual a", "'x'"}));
    addFilter(s, "O", "Grupo", "Contiene", "cámara");
    QCOMPARE(sel->model().OpcionSQL,
             QString::fromUtf8("(Nombre = 'x' AND OrqGrpCor='3' OR Nombre LIKE '*cámara*' AND "
                               "OrqGrpCor='2')"));
    QCOMPARE(sel->model().TextoFiltros,
             QString::fromUtf8("(Coro Es Igual a 'x' O Grupo Contiene 'cámara') "));
    accept(s, "Orquesta", kHistorico);
    QCOMPARE(keysOf(mdi, registers::kOrquesta), Keys({1, 3}));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("2"));
}

void SelectionScreenTest::conditions_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("condition");
    using namespace registers;
    QTest::newRow("century bare") << int(kInstrumento) << "Siglo"
                                  << "Es Mayor que"
                                  << "17"
                                  << "Siglo > 17";
    QTest::newRow("carrier quoted") << int(kSoporte) << "( P )"
                                    << "Es Menor que"
                                    << "17"
                                    << "Recopilacion < '17'";
    QTest::newRow("count not a number") << int(kObra) << "Nº de  Movimientos"
                                        << "Es Igual a"
                                        << "x"
                                        << "NumeroMovimientos = -1";
    QTest::newRow("duration pattern") << int(kObra) << "Tiempo Total"
                                      << "Contiene"
                                      << "3"
                                      << "TiempoTotal LIKE '*3*'";
    QTest::newRow("frequency is text") << int(kEmisora) << "Frecuencia"
                                       << "Es Igual a"
                                       << "99"
                                       << "Frecuencia = '99'";
    QTest::newRow("apostrophe") << int(kInternet) << "URL"
                                << "No contiene"
                                << "o'r"
                                << "Url NOT LIKE '*o''r*'";
    QTest::newRow("year") << int(kPublicacion) << "Fecha"
                          << "Es Menor que"
                          << "1900"
                          << "Fecha < 1900";
}

// The condition a first filter gives on a register's screen.
void SelectionScreenTest::conditions() {
    QFETCH(int, global);
    QFETCH(QString, field);
    QFETCH(QString, criterion);
    QFETCH(QString, value);
    QFETCH(QString, condition);
    TempApp app;
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, global);
    click(s, "BtnNueva");
    addFilter(s, "", field, criterion, value);
    auto* sel = qobject_cast<SelectionScreen*>(s);
    QVERIFY(sel);
    QCOMPARE(sel->model().OpcionSQL, condition);
    QCOMPARE(lines(s), QStringList({field, criterion, "'" + value + "'"}));
    QCOMPARE(mdi.hub().reg[global].MemoSelOpcionSQL, condition);
    accept(s, registers::at(global).sortFields.first().caption, "Ascendente");
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(mdi.hub().reg[global].ContSel, 0);
}

void SelectionScreenTest::registerSelection_data() {
    QTest::addColumn<int>("global");
    for (const Vocabulary& v : vocabularies())
        QTest::newRow(qPrintable(registers::at(v.global).name)) << v.global;
}

// Four records "alfa 1", "beta", "alfa 2" (for ensembles a group, not an orchestra) and "alfa 3";
// the first field containing "alfa" and, where the register has a number, that number below the
// fourth record's, sorted on the first field descending.
void SelectionScreenTest::registerSelection() {
    QFETCH(int, global);
    const RegisterDef& d = registers::at(global);
    TempApp app;
    record(app, global, "alfa 1");
    record(app, global, "beta");
    record(app, global, "alfa 2", 2);
    record(app, global, "alfa 3");
    const QString number = firstNumeric(global);
    if (!number.isEmpty())
        app.exec(
            QStringLiteral("UPDATE %1 SET %2 = 10 + Id").arg(d.table, columnOf(global, number)));
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, global);
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("4"));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("4"));
    const QString first = d.selFields.first().caption;
    click(s, "BtnNueva");
    addFilter(s, "", first, "Contiene", "ALFA");
    if (!number.isEmpty()) addFilter(s, "Y", number, "Es Menor que", "14");
    accept(s, d.sortFields.first().caption, "Descendente");
    QVERIFY(app.messages.shown.empty());
    Keys expected = number.isEmpty() ? Keys({4, 3, 1}) : Keys({3, 1});
    if (global == registers::kOrquesta) expected.removeAll(3);
    QCOMPARE(keysOf(mdi, global), expected);
    const int filters = number.isEmpty() ? 1 : 2;
    RegisterState& st = mdi.hub().reg[global];
    QCOMPARE(st.ContSel, qint32(expected.size()));
    QCOMPARE(st.ContFil, filters);
    QCOMPARE(text(s, "LabNumReg"), QString::number(expected.size()));
    QCOMPARE(text(s, "LabNumRegFiltros"), QString::number(filters));
    QVERIFY(text(s, "LabOpcionSQL")
                .startsWith((number.isEmpty() ? QString() : QStringLiteral("(")) + first +
                            " Contiene 'ALFA'"));

    // The register's show screen browses that selection; the next visit shows it again.
    Screen* m = show(mdi, registers::screenNumber(global, 2));
    QVERIFY(m);
    QCOMPARE(keysOf(mdi, global), expected);
    s = selScreen(mdi, global);
    QCOMPARE(text(s, "LabNumReg"), QString::number(expected.size()));
    QCOMPARE(lines(s).size(), filters * 4 - 1);
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), d.sortFields.first().caption);
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), QStringLiteral("Descendente"));
    // Other registers' selections are untouched.
    for (int g = 0; g < registers::kCount; ++g)
        if (g != global) QCOMPARE(mdi.hub().reg[g].ContFil, 0);
}

void SelectionScreenTest::resetAfterSave_data() {
    QTest::addColumn<int>("global");
    QTest::newRow("Compositor") << int(registers::kCompositor);
    for (const Vocabulary& v : vocabularies())
        QTest::newRow(qPrintable(registers::at(v.global).name)) << v.global;
}

void SelectionScreenTest::resetAfterSave() {
    QFETCH(int, global);
    const RegisterDef& d = registers::at(global);
    TempApp app;
    record(app, global, "alfa");
    record(app, global, "beta");
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, global);
    click(s, "BtnNueva");
    addFilter(s, "", d.selFields.first().caption, "Contiene", "alfa");
    accept(s, d.sortFields[1].caption, "Descendente");
    QCOMPARE(mdi.hub().reg[global].ContSel, 1);
    // And a second one left half-built.
    click(s, "BtnNueva");
    addFilter(s, "", d.selFields.first().caption, "Contiene", "beta");
    QCOMPARE(mdi.hub().reg[global].MemoSelNT, qint16(0));

    Screen* e = show(mdi, registers::screenNumber(global, 0));
    QVERIFY(e);
    for (const BoxDef& b : d.boxes) {
        if (!b.identifier) continue;
        QTest::keyClicks(w<QLineEdit>(e, qPrintable(b.control)), "Nuevo");
        if (global == registers::kOrquesta) break;  // one name: an orchestra
    }
    app.messages.clear();
    click(e, "BtnGuardar");
    QCOMPARE(app.messages.texts(), QStringList{"Se ha GUARDADO correctamente el Registro."});
    RegisterState& st = mdi.hub().reg[global];
    QCOMPARE(st.ContSel, 3);
    QCOMPARE(st.ContFil, 0);
    QVERIFY(st.MemoSelLista.isEmpty());
    QCOMPARE(st.MemoSelNT, qint16(2));
    QCOMPARE(st.MemoSelCampoOrden, qint16(-1));
    QCOMPARE(st.MemoSelCriterioOrden, qint16(-1));
    QVERIFY(st.MemoSelValorFiltro.isEmpty());
    QVERIFY(st.MemoSelOpcionSQL.isEmpty());

    s = selScreen(mdi, global);
    QCOMPARE(text(s, "LabNumRegTotal"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("3"));
    QCOMPARE(text(s, "LabNumFiltros"), QStringLiteral("0"));
    QCOMPARE(text(s, "LabOpcionSQL"), QString());
    QVERIFY(lines(s).isEmpty());
    QCOMPARE(w<QComboBox>(s, "ComboCampoOrden")->currentText(), d.fieldPrompt);
    QCOMPARE(w<QComboBox>(s, "ComboCriterioOrden")->currentText(), kHistorico);
    show(mdi, registers::screenNumber(global, 2));
    QCOMPARE(keysOf(mdi, global).size(), 3);
}

// After "Nueva", "Todo" and "Aceptar" the cursor is on a control of the screen that takes keys,
// never on the navigation panel.
void SelectionScreenTest::focusStaysOnTheScreen() {
    TempApp app;
    composers(app);
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = selScreen(mdi, registers::kCompositor);
    auto onScreen = [&] {
        QWidget* f = QApplication::focusWidget();
        return f && s->isAncestorOf(f) && f->isEnabled();
    };
    click(s, "BtnNueva");
    QVERIFY(onScreen());
    addFilter(s, "", "Apellidos", "Es Igual a", "Bach");
    accept(s, "Nombre", "Ascendente");
    QCOMPARE(mdi.hub().reg[0].ContSel, 2);
    QVERIFY(onScreen());
    click(s, "BtnTodo");
    QVERIFY(onScreen());
    accept(s, "Apellidos", "Descendente");
    QCOMPARE(mdi.hub().reg[0].ContSel, 5);
    QVERIFY2(onScreen(),
             qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                    : QStringLiteral("(none)")));
}

// A selection cancelled in the progress window leaves the previous one in force, and the screen
// shows that one (description, filter list, counters) at once and on every later visit.
void SelectionScreenTest::cancelledSelectionShowsTheOneInForce() {
    TempApp app;
    composers(app);
    // Enough rows for the engine to ask whether to go on.
    app.exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Notas) "
        "SELECT 'Ana', 'Otra', 1800, 'sin nada' FROM n");
    FormMdi& mdi = app.enter();
    Screen* s = selScreen(mdi, registers::kCompositor);
    click(s, "BtnNueva");
    addFilter(s, "", "Fecha 1", "Es Menor que", "1706");
    accept(s, "Apellidos", "Ascendente");
    QCOMPARE(text(s, "LabNumReg"), QStringLiteral("3"));
    const QString description = text(s, "LabOpcionSQL");
    QVERIFY2(description.contains("1706"), qPrintable(description));
    const QStringList filters = lines(s);
    QVERIFY(!filters.isEmpty());

    click(s, "BtnNueva");
    addFilter(s, "", "Notas", "Contiene", "a?b");
    addFilter(s, "Y", "Nombre", "Contiene", "n");
    {
        ProgressAnswerer cancelling([](QProgressDialog&) { return true; });
        accept(s, "Nombre", "Ascendente");
    }
    auto inForce = [&](const char* when) {
        QVERIFY2(text(s, "LabOpcionSQL") == description, when);
        QVERIFY2(lines(s) == filters, when);
        QVERIFY2(text(s, "LabNumFiltros") == "1", when);
        QVERIFY2(text(s, "LabNumRegFiltros") == "1", when);
        QVERIFY2(text(s, "LabNumReg") == "3", when);
    };
    inForce("after the cancel");
    QCOMPARE(mdi.hub().reg[0].ContSel, 3);
    QCOMPARE(keysOf(mdi, 0).size(), 3);
    show(mdi, registers::screenNumber(0, 2));
    s = selScreen(mdi, registers::kCompositor);
    inForce("on a later visit");
}

QTEST_MAIN(SelectionScreenTest)
#include "test_selection_screen.moc"
