// The composer listing (screen 22): pages, zoom with the top record kept, overflowing columns,
// the picture column, the empty state, the counters and the return after a visit elsewhere.
#include "listing/page_layout.h"
#include "tests/test_listing_support.h"

using namespace lt;

class ListingTest : public QObject {
    Q_OBJECT
  private slots:
    void pages_data();
    void pages();
    void rowsAndNumberColumn();
    void zoomKeepsTopRecord();
    void zoomFiveButton();
    void overflowingColumns();
    void overflowAtZoomTwentyFallsToNineteen();
    void picturesCentredInTheirSquares_data();
    void picturesCentredInTheirSquares();
    void onePageHidesBarAndWidensGrid();
    void nothingTickedEmpties();
    void emptySelectionGivesEmptyState();
    void returnShowsSameFieldsZoomPage();
    void returnToShrunkSelection_data();
    void returnToShrunkSelection();
    void returnThroughTheTabs();
    void countersOnLoad();
    void pageMovesCurrentRecord();
};

void ListingTest::pages_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<int>("gridRows");  // header and data rows, the continuation row included
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<bool>("continues");
    QTest::newRow("45 z1 p1") << 45 << 1 << 1 << 3 << 22 << qint64(1) << qint64(20) << true;
    QTest::newRow("45 z1 p2") << 45 << 1 << 2 << 3 << 22 << qint64(21) << qint64(40) << true;
    QTest::newRow("45 z1 p3") << 45 << 1 << 3 << 3 << 6 << qint64(41) << qint64(45) << false;
    QTest::newRow("40 z1 p2") << 40 << 1 << 2 << 2 << 21 << qint64(21) << qint64(40) << false;
    QTest::newRow("40 z3 p7") << 40 << 3 << 7 << 7 << 5 << qint64(37) << qint64(40) << false;
    QTest::newRow("40 z11 p40") << 40 << 11 << 40 << 40 << 2 << qint64(40) << qint64(40) << false;
    QTest::newRow("40 z11 p39") << 40 << 11 << 39 << 40 << 3 << qint64(39) << qint64(39) << true;
}

void ListingTest::pages() {
    QFETCH(int, records);
    QFETCH(int, zoom);
    QFETCH(int, page);
    QFETCH(int, pageCount);
    QFETCH(int, gridRows);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    QFETCH(bool, continues);
    TempApp app;
    composers(app, records);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    QVERIFY(s);
    QCOMPARE(s->objectName(), QStringLiteral("FormReg1LisCompositor"));
    listar(s, {"Nombre", "Apellidos"});
    w<QScrollBar>(s, "HScroll")->setValue(zoom);
    w<QScrollBar>(s, "VScroll")->setValue(page);
    auto* v = w<QScrollBar>(s, "VScroll");
    QCOMPARE(v->maximum(), pageCount);
    QCOMPARE(v->value(), page);
    QCOMPARE(v->isVisible(), pageCount > 1);
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QCOMPARE(t->rowCount(), gridRows);
    QList<qint64> n = numbers(s);
    QCOMPARE(n.first(), first);
    QCOMPARE(n.last(), last);
    QCOMPARE(qint64(n.size()), last - first + 1);
    QCOMPARE(lt::continues(s), continues);
    QCOMPARE(mdi.hub().reg[0].MemoLisPosicion, page);
    QCOMPARE(mdi.hub().reg[0].MemoLisPosicion2, zoom);
    // Every data row is 300 x zoom twips high, the header 300.
    QCOMPARE(t->rowHeight(0) * 15, 300);
    for (int r = 1; r < t->rowCount(); ++r) QCOMPARE(t->rowHeight(r) * 15, 300 * zoom);
}

void ListingTest::rowsAndNumberColumn() {
    TempApp app;
    app.insert("Compositor", {{"Nombre", "Johann Sebastian"},
                              {"Apellidos", "Bach"},
                              {"Fecha1", 1685},
                              {"Fecha2", 1750},
                              {"Notas", "Primera línea\nSegunda línea"}});
    app.insert("Compositor", {{"Nombre", "Anónimo"}, {"Apellidos", "X"}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Apellidos", "Fecha 1", "Fecha 2", "Notas"});
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QCOMPARE(t->columnCount(), 5);
    QCOMPARE(t->rowCount(), 3);
    const QStringList header = {QString::fromUtf8("Nº"), "Apellidos", "Fecha 1", "Fecha 2",
                                "Notas"};
    for (int c = 0; c < header.size(); ++c) {
        QCOMPARE(text(s, 0, c), header[c]);
        QCOMPARE(t->item(0, c)->foreground().color(), QColor(0, 0, 128));
    }
    QCOMPARE(t->columnWidth(0) * 15, 495);
    QCOMPARE(text(s, 1, 0), QStringLiteral("1"));
    QCOMPARE(t->item(1, 0)->background().color(), QColor(192, 192, 192));
    QCOMPARE(text(s, 1, 1), QStringLiteral("Bach"));
    QCOMPARE(text(s, 1, 2), QStringLiteral("1685"));
    QCOMPARE(text(s, 1, 4), QString::fromUtf8("Primera línea\nSegunda línea"));
    // Years of 0 are empty cells.
    QCOMPARE(text(s, 2, 2), QString());
    QCOMPARE(text(s, 2, 3), QString());
    QCOMPARE(w<QLabel>(s, "LabNumCampos")->text(), QStringLiteral("4"));
    QCOMPARE(mdi.hub().reg[0].CamposListados,
             QVector<bool>({false, true, true, true, true, false}));
    QCOMPARE(w<QProgressBar>(s, "ProgressBar")->value(), 0);
}

void ListingTest::zoomKeepsTopRecord() {
    TempApp app;
    composers(app, 45);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    auto* v = w<QScrollBar>(s, "VScroll");
    auto* h = w<QScrollBar>(s, "HScroll");
    v->setValue(2);
    QCOMPARE(s->RegistroSuperior(), qint64(21));
    h->setValue(5);
    QCOMPARE(s->rowsPerPage(), qint64(4));
    QCOMPARE(v->value(), 6);
    QCOMPARE(numbers(s), QList<qint64>({21, 22, 23, 24}));
    QCOMPARE(w<QLabel>(s, "LabZoom")->text(), QStringLiteral("5"));
    h->setValue(11);
    QCOMPARE(v->value(), 21);
    QCOMPARE(numbers(s), QList<qint64>({21}));
    h->setValue(1);
    QCOMPARE(v->value(), 2);
    QCOMPARE(numbers(s).first(), qint64(21));
    // Zoom 3 holds 6 a page: page 4 (19-24) holds record 21, which stays the one kept.
    h->setValue(3);
    QCOMPARE(v->value(), 4);
    QCOMPARE(numbers(s).first(), qint64(19));
    QCOMPARE(s->RegistroSuperior(), qint64(21));
    // A page move chooses the new top record.
    v->setValue(5);
    QCOMPARE(s->RegistroSuperior(), qint64(25));
    h->setValue(1);
    QCOMPARE(v->value(), 2);
}

void ListingTest::zoomFiveButton() {
    TempApp app;
    composers(app, 30);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    QCOMPARE(w<QPushButton>(s, "BtnAImagen")->text(), QStringLiteral("Zoom 5"));
    listar(s, {"Nombre"});
    QTest::mouseClick(w<QPushButton>(s, "BtnAImagen"), Qt::LeftButton);
    QCOMPARE(w<QScrollBar>(s, "HScroll")->value(), 5);
    QCOMPARE(w<QLabel>(s, "LabZoom")->text(), QStringLiteral("5"));
    QCOMPARE(w<QScrollBar>(s, "VScroll")->maximum(), 8);
    QCOMPARE(mdi.hub().reg[0].MemoLisPosicion2, 5);
}

void ListingTest::overflowingColumns() {
    // All five text fields fit at the default width; widened by the user they overflow, and a
    // page then holds Int(19 / zoom) records.
    TempApp app;
    composers(app, 45);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre", "Apellidos", "Fecha 1", "Fecha 2", "Notas"});
    QCOMPARE(s->rowsPerPage(), qint64(20));
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    t->setColumnWidth(5, 400);  // the user drags the notes column wider
    w<QScrollBar>(s, "VScroll")->setValue(2);
    QCOMPARE(s->rowsPerPage(), qint64(19));
    QCOMPARE(w<QScrollBar>(s, "VScroll")->maximum(), 3);
    QCOMPARE(numbers(s).first(), qint64(20));
    QCOMPARE(numbers(s).last(), qint64(38));
    QCOMPARE(t->rowCount(), 21);
    QCOMPARE(t->columnWidth(5), 400);  // the dragged width stays
    w<QScrollBar>(s, "HScroll")->setValue(2);
    QCOMPARE(s->rowsPerPage(), qint64(9));
}

void ListingTest::overflowAtZoomTwentyFallsToNineteen() {
    // The work register has 15 text fields: ticked together they overflow from the first page.
    TempApp app;
    for (int i = 1; i <= 45; ++i)
        app.insert("Obra", {{"Nombre", QString("Obra %1").arg(i)}, {"Autor", "Bach"}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 23);
    QVERIFY(s);
    QStringList all;
    for (const VocabItem& e : registers::at(registers::kObra).listEntries) all << e.caption;
    all.removeLast();
    listar(s, all);
    QCOMPARE(s->rowsPerPage(), qint64(19));
    QCOMPARE(w<QTableWidget>(s, "Tabla")->rowCount(), 21);
    auto* h = w<QScrollBar>(s, "HScroll");
    h->setValue(19);
    QCOMPARE(s->rowsPerPage(), qint64(1));
    h->setValue(20);
    QCOMPARE(h->value(), 19);
    QCOMPARE(mdi.hub().reg[1].MemoLisPosicion2, 19);
    QCOMPARE(numbers(s).size(), 1);
}

void ListingTest::picturesCentredInTheirSquares_data() {
    QTest::addColumn<int>("zoom");
    QTest::newRow("zoom 1") << 1;
    QTest::newRow("zoom 4") << 4;
    QTest::newRow("zoom 20") << 20;
}

void ListingTest::picturesCentredInTheirSquares() {
    QFETCH(int, zoom);
    TempApp app;
    const QString wide = makePicture(app.folder(), "wide.png", 200, 100);
    const QString tall = makePicture(app.folder(), "tall.png", 50, 100);
    app.insert("Compositor", {{"Apellidos", "Ancho"}, {"Imagen", wide}});
    app.insert("Compositor", {{"Apellidos", "Sin"}, {"Imagen", ""}});
    app.insert("Compositor", {{"Apellidos", "Alto"}, {"Imagen", tall}});
    app.insert("Compositor", {{"Apellidos", "Roto"}, {"Imagen", app.folder() + "/none.png"}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Imagen"});
    w<QScrollBar>(s, "HScroll")->setValue(zoom);
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QCOMPARE(t->columnCount(), 1);
    const float side = 300.0f * zoom - 15;
    const int rows = int(20 / zoom);
    QCOMPARE(qint64(rows), s->rowsPerPage());
    struct Expect {
        int box;
        float w, h;
    };
    QVector<Expect> shown = {{0, side, side / 2}, {2, side / 2, side}};
    for (const Expect& e : shown) {
        if (e.box >= rows) continue;
        auto* b = w<PictureBox>(s, qPrintable(QString("Imagen_%1").arg(e.box)));
        QVERIFY(b->isVisible());
        QVERIFY(b->Stretch());
        QCOMPARE(twips::width(b), e.w);
        QCOMPARE(twips::height(b), e.h);
        // Centred in the square of its row, in the picture column (widened for its title).
        QCOMPARE(twips::left(b) + twips::width(b) / 2,
                 195 + (listing::pictureColumn(zoom) - 15) / 2);
        QCOMPARE(twips::top(b) + twips::height(b) / 2, 450 + 300.0f * zoom * e.box + side / 2);
    }
    for (int box : {1, 3})
        QVERIFY(!w<PictureBox>(s, qPrintable(QString("Imagen_%1").arg(box)))->isVisible());
    QCOMPARE(twips::width(w<QLabel>(s, "Label16")), qMax(side, 645.0f));
    QVERIFY(w<QLabel>(s, "Label16")->isVisible());
    QCOMPARE(twips::left(t), 195 + qMax(300.0f * zoom, 660.0f));
    // The unreadable picture's row is listed all the same.
    if (rows >= 4) QCOMPARE(numbers(s), QList<qint64>({1, 2, 3, 4}));
}

void ListingTest::onePageHidesBarAndWidensGrid() {
    TempApp app;
    composers(app, 12);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre", "Imagen"});
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QVERIFY(!w<QScrollBar>(s, "VScroll")->isVisible());
    // Zoom 1: the picture column is as wide as its title needs (660), not one row's 300.
    QCOMPARE(twips::left(t), 855.0f);
    QCOMPARE(twips::width(t), 9885.0f - 855 + 240);
    // Without pictures the grid spans the area.
    listar(s, {"Nombre"});
    QCOMPARE(twips::left(t), 195.0f);
    QCOMPARE(twips::width(t), 9930.0f);
    QVERIFY(!w<QLabel>(s, "Label16")->isVisible());
    // Several pages: the bar is shown and the grid ends at it.
    w<QScrollBar>(s, "HScroll")->setValue(2);
    QVERIFY(w<QScrollBar>(s, "VScroll")->isVisible());
    QCOMPARE(twips::width(t), 9930.0f - 240);
}

void ListingTest::nothingTickedEmpties() {
    TempApp app;
    composers(app, 30);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre", "Imagen"});
    w<QScrollBar>(s, "HScroll")->setValue(3);
    listar(s, {});
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QCOMPARE(t->rowCount(), 0);
    QCOMPARE(t->columnCount(), 0);
    QCOMPARE(twips::left(t), 1695.0f);
    QCOMPARE(twips::width(t), 8430.0f);
    QCOMPARE(twips::width(w<QLabel>(s, "Label16")), 1485.0f);
    QCOMPARE(twips::left(w<QWidget>(s, "LineImagen")) + twips::width(w<QWidget>(s, "LineImagen")),
             1680.0f);
    QVERIFY(!w<QScrollBar>(s, "VScroll")->isVisible());
    QVERIFY(!w<QScrollBar>(s, "HScroll")->isEnabled());
    QVERIFY(!w<QPushButton>(s, "BtnAImagen")->isEnabled());
    QCOMPARE(w<QLabel>(s, "LabNumCampos")->text(), QStringLiteral("0"));
    QVERIFY(!mdi.hub().reg[0].CamposListados.contains(true));
    // A later return shows the empty state.
    show(mdi, 15);
    s = openListing(mdi, 22);
    t = w<QTableWidget>(s, "Tabla");
    QCOMPARE(t->rowCount(), 0);
    QCOMPARE(t->columnCount(), 0);
    QVERIFY(!w<QScrollBar>(s, "HScroll")->isEnabled());
}

void ListingTest::emptySelectionGivesEmptyState() {
    TempApp app;
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    QCOMPARE(w<QTableWidget>(s, "Tabla")->rowCount(), 0);
    QVERIFY(!w<QScrollBar>(s, "HScroll")->isEnabled());
    QVERIFY(app.messages.shown.empty());
}

void ListingTest::returnShowsSameFieldsZoomPage() {
    TempApp app;
    composers(app, 45);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Apellidos", "Notas"});
    w<QScrollBar>(s, "HScroll")->setValue(2);
    w<QScrollBar>(s, "VScroll")->setValue(3);
    QCOMPARE(numbers(s).first(), qint64(21));
    show(mdi, 1);
    s = openListing(mdi, 22);
    QListWidget* list = w<QListWidget>(s, "List");
    for (int i = 0; i < list->count(); ++i)
        QCOMPARE(list->item(i)->checkState() == Qt::Checked, i == 1 || i == 4);
    QCOMPARE(w<QScrollBar>(s, "HScroll")->value(), 2);
    QCOMPARE(w<QLabel>(s, "LabZoom")->text(), QStringLiteral("2"));
    QCOMPARE(w<QScrollBar>(s, "VScroll")->value(), 3);
    QCOMPARE(numbers(s), QList<qint64>({21, 22, 23, 24, 25, 26, 27, 28, 29, 30}));
    QCOMPARE(text(s, 0, 1), QStringLiteral("Apellidos"));
    QCOMPARE(text(s, 1, 1), QStringLiteral("A21"));
    QCOMPARE(text(s, 1, 2), QStringLiteral("Notas 21"));
    QCOMPARE(w<QLabel>(s, "LabNumCampos")->text(), QStringLiteral("2"));
    QCOMPARE(s->RegistroSuperior(), qint64(21));
}

void ListingTest::returnToShrunkSelection_data() {
    QTest::addColumn<int>("remaining");
    QTest::addColumn<int>("page");
    QTest::addColumn<qint64>("first");
    QTest::newRow("two pages left") << 15 << 2 << qint64(11);
    QTest::newRow("one page left") << 7 << 1 << qint64(1);
}

void ListingTest::returnToShrunkSelection() {
    QFETCH(int, remaining);
    QFETCH(int, page);
    QFETCH(qint64, first);
    TempApp app;
    composers(app, 45);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    w<QScrollBar>(s, "HScroll")->setValue(2);
    w<QScrollBar>(s, "VScroll")->setValue(4);
    show(mdi, 15);
    // The selection shrinks meanwhile.
    FormBasesDatos& hub = mdi.hub();
    hub.Data[0].RecordSource =
        QStringLiteral("SELECT * FROM Compositor WHERE Id <= %1").arg(remaining);
    hub.Data[0].Refresh();
    hub.reg[0].ContSel = remaining;
    s = openListing(mdi, 22);
    QCOMPARE(w<QScrollBar>(s, "VScroll")->value(), page);
    QCOMPARE(numbers(s).first(), first);
    QCOMPARE(numbers(s).last(), qint64(remaining));
    QVERIFY(!continues(s));
    QCOMPARE(w<QLabel>(s, "LabNumRegSeleccion")->text(), QString::number(remaining));
}

void ListingTest::returnThroughTheTabs() {
    TempApp app;
    composers(app, 45);
    FormMdi& mdi = app.enter();
    FormSolapas& nav = mdi.solapas();
    nav.tabStrip("TabRegistros1")->setTab(3);
    QCOMPARE(int(mdi.VentanaMostrandose), 22);
    auto* s = qobject_cast<ListingScreen*>(nav.currentScreen());
    QVERIFY(s);
    listar(s, {"Nombre"});
    w<QScrollBar>(s, "VScroll")->setValue(3);
    nav.tabStrip("TabNivel1")->setTab(2);  // the report
    QCOMPARE(int(mdi.VentanaMostrandose), 57);
    nav.tabStrip("TabNivel1")->setTab(0);
    QCOMPARE(int(mdi.VentanaMostrandose), 22);
    s = qobject_cast<ListingScreen*>(nav.currentScreen());
    QVERIFY(s);
    QCOMPARE(w<QScrollBar>(s, "VScroll")->value(), 3);
    QCOMPARE(numbers(s).first(), qint64(41));
}

void ListingTest::countersOnLoad() {
    TempApp app;
    composers(app, 9);
    FormMdi& mdi = app.enter();
    mdi.hub().reg[0].ContFil = 2;
    ListingScreen* s = openListing(mdi, 22);
    QCOMPARE(w<QLabel>(s, "LabNumRegSeleccion")->text(), QStringLiteral("9"));
    QCOMPARE(w<QLabel>(s, "LabNumRegSeleccion1")->text(), QStringLiteral("9"));
    QCOMPARE(w<QLabel>(s, "LabNumFiltros")->text(), QStringLiteral("2"));
    QCOMPARE(w<QLabel>(s, "LabNumFiltros1")->text(), QStringLiteral("2"));
    QCOMPARE(w<QLabel>(s, "LabCampos")->text(), QStringLiteral("6"));
    QCOMPARE(w<QLabel>(s, "LabNumRegSeleccion")->toolTip(),
             QString::fromUtf8("Nº de Registros Seleccionados"));
    QCOMPARE(w<QPushButton>(s, "BtnListar")->toolTip(), QStringLiteral("Listar los Registros"));
    QCOMPARE(w<QPushButton>(s, "BtnImprimir")->text(), QStringLiteral("Imprimir"));
    QCOMPARE(w<QLabel>(s, "LabZoom")->toolTip(), QString::fromUtf8("Nº de Zoom"));
    QCOMPARE(w<QListWidget>(s, "List")->toolTip(), QStringLiteral("Campos"));
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QCOMPARE(twips::left(t), 1695.0f);
    QCOMPARE(twips::top(t), 150.0f);
    QCOMPARE(twips::height(t), 6300.0f);
    auto* v = w<QScrollBar>(s, "VScroll");
    QCOMPARE(twips::left(v), 9885.0f);
    QCOMPARE(twips::width(v), 240.0f);
    QCOMPARE(w<QScrollBar>(s, "HScroll")->minimum(), 1);
    QCOMPARE(w<QScrollBar>(s, "HScroll")->maximum(), 20);
}

void ListingTest::pageMovesCurrentRecord() {
    TempApp app;
    composers(app, 45);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    w<QScrollBar>(s, "VScroll")->setValue(2);
    // After a page fill the recordset stands on the last record listed.
    QCOMPARE(mdi.hub().Data[0].recordset().AbsolutePosition(), 39L);
    QCOMPARE(mdi.hub().BDReg1ComNom(), QStringLiteral("N40"));
}

QTEST_MAIN(ListingTest)
#include "test_listing.moc"
