// The listing screens of the registers other than the composer: their field lists, listing their
// own register's selection, each with its own listing memory; the work's computed fields.
#include "tests/test_listing_support.h"

using namespace lt;

class ListingRegistersTest : public QObject {
    Q_OBJECT
  private slots:
    void fieldLists_data();
    void fieldLists();
    void listsOwnRegister_data();
    void listsOwnRegister();
    void ownListingMemory();
    void workComputedFields();
    void yearsAndCenturiesOfZeroAreEmpty();
};

namespace {

QStringList entries(const char* utf8) {
    return QString::fromUtf8(utf8).split(QLatin1Char('|'));
}

}  // namespace

void ListingRegistersTest::fieldLists_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("22") << 22 << "FormReg1LisCompositor"
                        << entries("Nombre|Apellidos|Fecha 1|Fecha 2|Notas|Imagen");
    QTest::newRow("23") << 23 << "FormReg1LisObra"
                        << entries(
                               "Obra|Nº|Tonalidad|Opus|Nº de  Opus|Catálogo|Nº de Catálogo|"
                               "Fecha 1|Fecha 2|Subtítulo|Movimientos|Tiempo Total|Nº de "
                               "Movimientos|Notas|Autor|Imagen");
    QTest::newRow("24") << 24 << "FormReg1LisOrquesta"
                        << entries("Nombre|Tipo|Género|Fecha|Notas|Imagen");
    QTest::newRow("25") << 25 << "FormReg1LisDirector"
                        << entries("Nombre|Apellidos|Fecha 1|Fecha 2|Notas|Imagen");
    QTest::newRow("26") << 26 << "FormReg1LisInterprete"
                        << entries(
                               "Nombre|Apellidos|Instrumento - Voz|Fecha 1|Fecha 2|Notas|Imagen");
    QTest::newRow("27") << 27 << "FormReg1LisSoporte"
                        << entries(
                               "Discográfica|Nº de Catálogo|Colección|Nº - Referencia|Formato|"
                               "Grabación|( P )|( C )|Notas|Emplazamiento|Imagen");
    QTest::newRow("50") << 50 << "FormReg2LisInstrumento"
                        << entries(
                               "Instrumento|Constructor|Modelo - Tipo|Siglo|Fecha|Notas|Imagen");
    QTest::newRow("51") << 51 << "FormReg2LisAgrupacion"
                        << entries("Entidad|Ciudad|País|Fecha|Actividad|Notas|Imagen");
    QTest::newRow("52") << 52 << "FormReg2LisEvento"
                        << entries("Evento|Ciudad|País|Fecha|Actividad|Notas|Imagen");
    QTest::newRow("53") << 53 << "FormReg2LisEscenario"
                        << entries("Escenario|Ciudad|País|Fecha|Actividad|Notas|Imagen");
    QTest::newRow("54") << 54 << "FormReg2LisPublicacion"
                        << entries(
                               "Título|Autor|Formato|Tema|Id. - ISBN|Editorial|Fecha|Notas|"
                               "Emplazamiento|Imagen");
    QTest::newRow("55") << 55 << "FormReg2LisEmisora"
                        << entries("Emisora|Medio|País|Zona|Frecuencia|Fecha|Notas|Imagen");
    QTest::newRow("56") << 56 << "FormReg2LisInternet"
                        << entries("Título|URL|E-Mail|Tema|Fecha|Notas|Imagen");
}

void ListingRegistersTest::fieldLists() {
    QFETCH(int, screen);
    QFETCH(QString, form);
    QFETCH(QStringList, expected);
    TempApp app;
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, screen);
    QVERIFY(s);
    QCOMPARE(s->objectName(), form);
    QListWidget* list = w<QListWidget>(s, "List");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        shown << list->item(i)->text();
        QVERIFY(list->item(i)->flags() & Qt::ItemIsUserCheckable);
    }
    QCOMPARE(shown, expected);
    QCOMPARE(mdi.hub().reg[s->global()].CamposListados.size(), expected.size());
    QCOMPARE(w<QLabel>(s, "LabCampos")->text(),
             QString::number(registers::at(s->global()).fieldCount));
    for (const char* name :
         {"BtnListar", "BtnImprimir", "Tabla", "VScroll", "HScroll", "BtnAImagen", "LabZoom",
          "ProgressBar", "Label16", "LineImagen", "LabFondo", "Imagen_0", "Imagen_21",
          "LabNumRegSeleccion", "LabNumCampos", "LabNumFiltros1"})
        QVERIFY2(s->findChild<QWidget*>(QLatin1String(name)), name);
}

void ListingRegistersTest::listsOwnRegister_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");  // the first entry's column
    QTest::addColumn<QString>("caption");
    QTest::newRow("Obra") << 23 << "Obra"
                          << "Nombre"
                          << "Obra";
    QTest::newRow("Orquesta") << 24 << "Orquesta"
                              << "Nombre"
                              << "Nombre";
    QTest::newRow("Director") << 25 << "Director"
                              << "Nombre"
                              << "Nombre";
    QTest::newRow("Interprete") << 26 << "Interprete"
                                << "Nombre"
                                << "Nombre";
    QTest::newRow("Soporte") << 27 << "Soporte"
                             << "Discografica" << QString::fromUtf8("Discográfica");
    QTest::newRow("Instrumento") << 50 << "Instrumento"
                                 << "Instrumento"
                                 << "Instrumento";
    QTest::newRow("Agrupacion") << 51 << "Agrupacion"
                                << "Entidad"
                                << "Entidad";
    QTest::newRow("Evento") << 52 << "Evento"
                            << "Evento"
                            << "Evento";
    QTest::newRow("Escenario") << 53 << "Escenario"
                               << "Escenario"
                               << "Escenario";
    QTest::newRow("Publicacion") << 54 << "Publicacion"
                                 << "Titulo" << QString::fromUtf8("Título");
    QTest::newRow("Emisora") << 55 << "Emisora"
                             << "Emisora"
                             << "Emisora";
    QTest::newRow("Internet") << 56 << "Internet"
                              << "Titulo" << QString::fromUtf8("Título");
}

void ListingRegistersTest::listsOwnRegister() {
    QFETCH(int, screen);
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, caption);
    TempApp app;
    for (int i = 1; i <= 25; ++i)
        app.insert(table, {{column, QString("%1 %2").arg(table).arg(i)},
                           {"Notas", QString("Notas de %1").arg(i)}});
    composers(app, 3);  // another register's records never show here
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, screen);
    QCOMPARE(w<QLabel>(s, "LabNumRegSeleccion")->text(), QStringLiteral("25"));
    listar(s, {caption, "Notas"});
    QCOMPARE(w<QTableWidget>(s, "Tabla")->columnCount(), 3);
    QCOMPARE(text(s, 0, 1), caption);
    QCOMPARE(text(s, 1, 1), table + " 1");
    QCOMPARE(text(s, 1, 2), QStringLiteral("Notas de 1"));
    QCOMPARE(w<QScrollBar>(s, "VScroll")->maximum(), 2);
    w<QScrollBar>(s, "VScroll")->setValue(2);
    QCOMPARE(numbers(s), QList<qint64>({21, 22, 23, 24, 25}));
    QCOMPARE(text(s, 5, 1), table + " 25");
    const RegisterState& st = mdi.hub().reg[s->global()];
    QCOMPARE(st.MemoLisPosicion, 2);
    QVERIFY(st.CamposListados.count(true) == 2);
    QVERIFY(!mdi.hub().reg[0].CamposListados.contains(true));
    QCOMPARE(mdi.hub().reg[0].MemoLisPosicion, 1);
}

void ListingRegistersTest::ownListingMemory() {
    TempApp app;
    composers(app, 45);
    for (int i = 1; i <= 45; ++i) app.insert("Evento", {{"Evento", QString("E%1").arg(i)}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Apellidos"});
    w<QScrollBar>(s, "VScroll")->setValue(2);
    s = openListing(mdi, 52);
    listar(s, {"Evento", "Imagen"});
    w<QScrollBar>(s, "HScroll")->setValue(3);
    w<QScrollBar>(s, "VScroll")->setValue(5);
    s = openListing(mdi, 22);
    QCOMPARE(w<QScrollBar>(s, "HScroll")->value(), 1);
    QCOMPARE(w<QScrollBar>(s, "VScroll")->value(), 2);
    QCOMPARE(text(s, 0, 1), QStringLiteral("Apellidos"));
    QCOMPARE(text(s, 1, 1), QStringLiteral("A21"));
    s = openListing(mdi, 52);
    QCOMPARE(w<QScrollBar>(s, "HScroll")->value(), 3);
    QCOMPARE(w<QScrollBar>(s, "VScroll")->value(), 5);
    QCOMPARE(numbers(s).first(), qint64(25));
    QCOMPARE(text(s, 1, 1), QStringLiteral("E25"));
    QCOMPARE(w<QListWidget>(s, "List")->item(6)->checkState(), Qt::Checked);
}

void ListingRegistersTest::workComputedFields() {
    TempApp app;
    app.insert("Obra", {{"Nombre", "Sinfonía"},
                        {"Autor", "Haydn"},
                        {"Movimientos", "Allegro#Andante#Minuetto#"},
                        {"Duraciones", "0:7:5#0:6:0#0:4:0#"},
                        {"TiempoTotal", 1025},
                        {"NumeroMovimientos", 3}});
    app.insert("Obra", {{"Nombre", "Larga"}, {"Autor", "X"}, {"TiempoTotal", 37230}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 23);
    listar(s, {"Obra", "Movimientos", "Tiempo Total", "Nº de Movimientos"});
    QCOMPARE(text(s, 1, 2), QStringLiteral("Allegro\nAndante\nMinuetto"));
    QCOMPARE(text(s, 1, 3), QStringLiteral("00:17:05"));
    QCOMPARE(text(s, 1, 4), QStringLiteral("3"));
    QCOMPARE(text(s, 2, 2), QString());
    QCOMPARE(text(s, 2, 3), QStringLiteral("10:20:30"));
}

void ListingRegistersTest::yearsAndCenturiesOfZeroAreEmpty() {
    TempApp app;
    app.insert("Instrumento", {{"Instrumento", "Laúd"}, {"Siglo", 16}, {"Fecha", 0}});
    app.insert("Instrumento", {{"Instrumento", "Viola"}, {"Siglo", 0}, {"Fecha", 1720}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 50);
    listar(s, {"Instrumento", "Siglo", "Fecha"});
    QCOMPARE(text(s, 1, 2), QStringLiteral("16"));
    QCOMPARE(text(s, 1, 3), QString());
    QCOMPARE(text(s, 2, 2), QString());
    QCOMPARE(text(s, 2, 3), QStringLiteral("1720"));
}

QTEST_MAIN(ListingRegistersTest)
#include "test_listing_registers.moc"
