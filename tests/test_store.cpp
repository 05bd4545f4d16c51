// Engine layer, record-store operations and the data hub's load step.
#include <QImage>

#include "shell/form_mdi.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/field_rules.h"
#include "store/jet_dialect.h"
#include "store/record_store.h"
#include "tests/fixture.h"

namespace {

QStringList surnames(DataControl& d) {
    QStringList out;
    Recordset& rs = d.recordset();
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) out << rs.Field("Apellidos");
    return out;
}

Campos composer(const QString& nombre, const QString& apellidos, const QString& f1 = "0",
                const QString& f2 = "0", const QString& notas = {}, const QString& imagen = {}) {
    Campos c;
    c[0] = {"Nombre", nombre};
    c[1] = {"Apellidos", apellidos};
    c[2] = {"Fecha1", f1};
    c[3] = {"Fecha2", f2};
    c[4] = {"Notas", notas};
    c[5] = {"Imagen", imagen};
    return c;
}

}  // namespace

class StoreTest : public QObject {
    Q_OBJECT
  private slots:
    void numbersAndYears_data();
    void numbersAndYears();
    void likePatterns_data();
    void likePatterns();
    void spanishOrderAndStableTies();
    void caseInsensitiveEquality();
    void errorsAreNumbered_data();
    void errorsAreNumbered();
    void hubWithEmptyTable();
    void hubWithComposers();
    void guardarAppendsAndReopens();
    void guardarEdgeCases();
    void guardarFailureStoresNothing();
    void fractionalYearIsRefused_data();
    void fractionalYearIsRefused();
    void engineWordsKeepTheirDash_data();
    void engineWordsKeepTheirDash();
    void eliminarOnEmptySelection();
    void eliminarMovesToNext();
    void cargarImagenFits_data();
    void cargarImagenFits();
    void cargarImagenRefusesBadFiles_data();
    void cargarImagenRefusesBadFiles();
};

void StoreTest::numbersAndYears_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QString>("stored");
    QTest::newRow("year") << "1756" << true << true << "1756";
    QTest::newRow("blanks around") << " 1685 " << true << true << "1685";
    QTest::newRow("empty") << "" << false << false << "0";
    QTest::newRow("blanks") << "   " << false << false << "0";
    QTest::newRow("letter") << "17a" << false << false << "17";
    QTest::newRow("sign") << "-5" << true << true << "-5";
    QTest::newRow("decimal point") << "1.5" << true << false << "1.5";
    QTest::newRow("decimal comma") << "2,5" << true << false << "2.5";
    QTest::newRow("fraction only") << ",5" << true << false << "0.5";
    QTest::newRow("zero fraction") << "7,0" << true << true << "7";
    QTest::newRow("separator last") << "7." << true << true << "7";
    QTest::newRow("two separators") << "1.2.3" << false << false << "1.2";
    QTest::newRow("exponent") << "1e3" << true << true << "1000";
    QTest::newRow("exponent to a fraction") << "5e-1" << true << false << "0.5";
    QTest::newRow("too large to hold") << "1e20" << true << false << "1e+20";
    QTest::newRow("bare exponent") << "1e" << false << false << "1";
    QTest::newRow("sign only") << "+" << false << false << "0";
    QTest::newRow("letters") << "siglo" << false << false << "0";
    QTest::newRow("inner blank") << "17 56" << false << false << "1756";
}

void StoreTest::numbersAndYears() {
    QFETCH(QString, text);
    QFETCH(bool, number);
    QFETCH(bool, whole);
    QFETCH(QString, stored);
    QCOMPARE(rules::isNumber(text), number);
    QCOMPARE(rules::isWholeNumber(text), whole);
    QCOMPARE(rules::yearText(text), stored);
}

void StoreTest::likePatterns_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("match");
    QTest::newRow("contains") << "Mariana"
                              << "*ana*" << true;
    QTest::newRow("case") << "ANAbel"
                          << "*ana*" << true;
    QTest::newRow("accents") << QString::fromUtf8("Dvořák") << "*dvorak*" << true;
    QTest::newRow("accented pattern") << "Opera" << QString::fromUtf8("*ópera*") << true;
    QTest::newRow("no match") << "Bach"
                              << "*ana*" << false;
    QTest::newRow("one character") << "Bach"
                                   << "B?ch" << true;
    QTest::newRow("digit") << "Op. 27"
                           << "Op. #7" << true;
    QTest::newRow("digit refuses letter") << "Op. X7"
                                          << "Op. #7" << false;
    QTest::newRow("anchored start") << "Bachiller"
                                    << "Bach" << false;
    QTest::newRow("several stars") << "Sonata para piano en do"
                                   << "*para*en*" << true;
    QTest::newRow("stars out of order") << "Sonata en do para piano"
                                        << "*para*en*" << false;
    QTest::newRow("character class") << "Bach"
                                     << "[A-C]ach" << true;
    QTest::newRow("negated class") << "Bach"
                                   << "[!A-C]ach" << false;
    QTest::newRow("percent is literal") << "100%"
                                        << "*%" << true;
    QTest::newRow("underscore is literal") << "a_b"
                                           << "a?b" << true;
    QTest::newRow("ñ is its own letter") << QString::fromUtf8("Peña") << "*pena*" << false;
    QTest::newRow("ñ any case") << QString::fromUtf8("PEÑA") << QString::fromUtf8("*peña*") << true;
    QTest::newRow("empty pattern") << ""
                                   << "**" << true;
}

void StoreTest::likePatterns() {
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, match);
    QCOMPARE(jet::like(text, pattern), match);
}

void StoreTest::spanishOrderAndStableTies() {
    TempApp app;
    for (const char* s :
         {"Nuñez", "Nuzzi", "nuñez", "Núñez", "Nunez", "Álvarez", "Zelenka", "avison"})
        app.insert("Compositor", {{"Apellidos", QString::fromUtf8(s)}});
    DataControl d;
    d.DatabaseName = app.catalogue();
    d.RecordSource = "SELECT * FROM Compositor ORDER BY Apellidos ASC";
    d.Refresh();
    QCOMPARE(surnames(d), QStringList({QString::fromUtf8("Álvarez"), "avison", "Nunez",
                                       QString::fromUtf8("Nuñez"), QString::fromUtf8("nuñez"),
                                       QString::fromUtf8("Núñez"), "Nuzzi", "Zelenka"}));
    d.RecordSource = "SELECT * FROM Compositor";
    d.Refresh();
    QCOMPARE(surnames(d).first(), QString::fromUtf8("Nuñez"));
    QCOMPARE(d.recordset().RecordCount(), 8L);
}

void StoreTest::caseInsensitiveEquality() {
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Prueba"}, {"Nombre", "Ana"}, {"Fecha1", 1650}});
    app.insert("Compositor", {{"Apellidos", "PRUEBA"}, {"Nombre", "Juan"}, {"Fecha1", 1750}});
    app.insert("Compositor", {{"Apellidos", "O'Brien"}, {"Nombre", "Mariana"}, {"Fecha1", 1800}});
    DataControl d;
    d.DatabaseName = app.catalogue();
    d.RecordSource =
        "SELECT * FROM Compositor WHERE ((Apellidos = 'prueba' AND Nombre LIKE '*ana*') OR Fecha1 "
        "> "
        "1700) ORDER BY Apellidos DESC";
    d.Refresh();
    QCOMPARE(surnames(d), QStringList({"Prueba", "PRUEBA", "O'Brien"}));
    d.RecordSource = "SELECT * FROM Compositor WHERE Apellidos = " + jet::quote("O'Brien");
    d.Refresh();
    QCOMPARE(surnames(d), QStringList({"O'Brien"}));
}

void StoreTest::errorsAreNumbered_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("number");
    QTest::newRow("broken quote") << "SELECT * FROM Compositor WHERE Apellidos = 'O'Brien'" << 3075;
    QTest::newRow("unknown column") << "SELECT * FROM Compositor WHERE Edad > 3" << 3061;
    QTest::newRow("unknown table") << "SELECT * FROM Sinfonia" << 3078;
    QString deep = "Fecha1 > 1";
    for (int i = 0; i < 1100; ++i) deep = "(" + deep + " OR Fecha1 > 1)";
    QTest::newRow("too complex") << "SELECT * FROM Compositor WHERE " + deep << 3360;
}

void StoreTest::errorsAreNumbered() {
    QFETCH(QString, source);
    QFETCH(int, number);
    TempApp app;
    DataControl d;
    d.DatabaseName = app.catalogue();
    d.RecordSource = source;
    try {
        d.Refresh();
        QFAIL("no error");
    } catch (const DbError& e) {
        QVERIFY2(e.number == number, qPrintable(e.detail.left(200)));
        QVERIFY(!e.detail.isEmpty());
    }
}

void StoreTest::hubWithEmptyTable() {
    TempApp app;
    FormMdi& mdi = app.start();
    FormBasesDatos& hub = mdi.hub();
    QCOMPARE(hub.ContCompositor(), 0);
    QCOMPARE(hub.ContSelCompositor(), 0);
    QCOMPARE(hub.PosicionCompositor(), 1);
    QCOMPARE(hub.ContNewCompositor(), 0);
    QCOMPARE(hub.ContEliCompositor(), 0);
    QCOMPARE(hub.ContFilCompositor(), 0);
    QCOMPARE(hub.MemoSelCompNT(), qint16(2));
    QVERIFY(hub.MemoSelCompLista().isEmpty());
    QCOMPARE(hub.MemoSelCompCampoOrden(), qint16(-1));
    QCOMPARE(hub.MemoSelCompCriterioOrden(), qint16(-1));
    QCOMPARE(hub.MemoLisCompPosicion(), 1);
    QCOMPARE(hub.MemoLisCompPosicion2(), 1);
    QCOMPARE(hub.MemoAnaGraCompositorPosicion, -1);
    QVERIFY(hub.Data[0].recordset().EOF_());
    QCOMPARE(hub.Data[0].RecordSource, QString("Compositor"));
    QCOMPARE(hub.MensaProducidoError, QString("Se ha producido el ERROR: "));
    // Every picture kind the reader takes, JPEG's names first; then any file.
    QVERIFY2(hub.EtiFormatoImagen.startsWith(
                 QString::fromUtf8("Imágenes (*.jpg, *.jpeg, *.jpe, *.jfif, *.gif, *.bmp, *.png")),
             qPrintable(hub.EtiFormatoImagen));
    QVERIFY(hub.EtiFormatoImagen.contains("|*.jpg;*.jpeg;*.jpe;*.jfif;*.gif;*.bmp;*.png;"));
    QVERIFY(hub.EtiFormatoImagen.endsWith("|Todos los archivos (*.*)|*.*"));
    // The two MemoIntRedAmp are distinct.
    hub.RedAmp(registers::kInterprete) = true;
    QVERIFY(!hub.RedAmp(registers::kInternet));
    QVERIFY(hub.MemoIntRedAmp && !hub.hub2.MemoIntRedAmp);
}

void StoreTest::hubWithComposers() {
    TempApp app;
    for (int i = 0; i < 7; ++i) app.insert("Compositor", {{"Apellidos", QString("C%1").arg(i)}});
    app.insert("Soporte", {{"Discografica", "DG"}, {"NumeroCatalogo", "1"}});
    FormMdi& mdi = app.start();
    FormBasesDatos& hub = mdi.hub();
    QCOMPARE(hub.ContCompositor(), 7);
    QCOMPARE(hub.ContSelCompositor(), 7);
    QCOMPARE(hub.BDReg1ComApe(), QString("C0"));
    QCOMPARE(hub.reg[registers::kSoporte].Cont, 1);
    QCOMPARE(hub.reg[registers::kSoporte].ContSel, 1);
}

void StoreTest::guardarAppendsAndReopens() {
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Primero"}});
    FormMdi& mdi = app.start();
    mdi.hub().Data[0].RecordSource = "SELECT * FROM Compositor ";
    mdi.hub().Data[0].Refresh();
    const QString notes(25000, QChar(0x00F1));
    mdi.store().GuardarCampos(0, 6, true,
                              composer("Ana", "Segunda", "1756", "0", notes, "/x/y.jpg"));
    QVERIFY(!mdi.store().ErrorDatos);
    // The first record of the source is current again.
    QCOMPARE(mdi.hub().BDReg1ComApe(), QString("Primero"));
    auto rows = app.rows("SELECT * FROM Compositor WHERE Apellidos = 'Segunda'");
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0]["Fecha1"].toLongLong(), 1756);
    QCOMPARE(rows[0]["Fecha2"].toLongLong(), 0);
    QCOMPARE(rows[0]["Notas"].toString(), notes);
    QCOMPARE(rows[0]["Imagen"].toString(), QString("/x/y.jpg"));
    // Editing rewrites the current record.
    mdi.hub().Data[0].recordset().MoveLast();
    mdi.store().GuardarCampos(0, 2, false, composer("Ana María", "Segunda"));
    QCOMPARE(app.scalar("SELECT Nombre FROM Compositor WHERE Apellidos = 'Segunda'").toString(),
             QString::fromUtf8("Ana María"));
}

void StoreTest::guardarEdgeCases() {
    TempApp app;
    FormMdi& mdi = app.start();
    RecordStore& store = mdi.store();
    // Nuevo false on an empty table adds a record.
    store.GuardarCampos(0, 6, false, composer("", "Solo"));
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 1);
    // No field set: a record is appended all the same.
    store.GuardarCampos(0, 0, true, Campos());
    QVERIFY(!store.ErrorDatos);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 2);
    QCOMPARE(mdi.hub().BDReg1ComApe(), QString("Solo"));
    // Out of range: nothing happens, the flag stays down.
    store.GuardarCampos(0, 101, true, composer("", "Nunca"));
    store.GuardarCampos(0, -1, true, composer("", "Nunca"));
    QVERIFY(!store.ErrorDatos);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 2);
}

void StoreTest::guardarFailureStoresNothing() {
    TempApp app;
    FormMdi& mdi = app.start();
    RecordStore& store = mdi.store();
    store.GuardarCampos(0, 6, true, composer(QString(51, 'x'), "Largo"));
    QVERIFY(store.ErrorDatos);
    QCOMPARE(store.ErrorNumero, 3163);
    QCOMPARE(store.errorText(), QString("Se ha producido el ERROR: 3163"));
    store.ErrorDatos = false;
    store.GuardarCampos(0, 6, true, composer("", "Año", "mil"));
    QVERIFY(store.ErrorDatos);
    QCOMPARE(store.ErrorNumero, 3421);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 0);
}

void StoreTest::fractionalYearIsRefused_data() {
    QTest::addColumn<QString>("year");
    QTest::newRow("decimal comma") << "1,5";
    QTest::newRow("decimal point") << "2.5";
    QTest::newRow("beyond whole numbers") << "9e99";
    QTest::newRow("below one") << "-.5";
}

// The number columns hold whole numbers: a fraction is refused as a non-number is, and nothing
// is written.
void StoreTest::fractionalYearIsRefused() {
    QFETCH(QString, year);
    TempApp app;
    FormMdi& mdi = app.start();
    RecordStore& store = mdi.store();
    store.GuardarCampos(0, 6, true, composer("", "Medio", "1700", year));
    QVERIFY(store.ErrorDatos);
    QCOMPARE(store.ErrorNumero, 3421);
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor").toInt(), 0);
}

void StoreTest::engineWordsKeepTheirDash_data() {
    QTest::addColumn<bool>("prepared");
    QTest::newRow("statement run") << false;
    QTest::newRow("statement prepared") << true;
}

// The engine's words name the statement after an em dash, as written, not as its UTF-8 bytes.
void StoreTest::engineWordsKeepTheirDash() {
    QFETCH(bool, prepared);
    TempApp app;
    Connection c(app.catalogue());
    const QString sql = QStringLiteral("UPDATE Sinfonia SET Tono = 1");
    try {
        if (prepared)
            c.prepare(sql);
        else
            c.exec(sql);
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.number, 3078);
        QVERIFY2(e.detail.endsWith(QString::fromUtf8(" \u2014 ") + sql), qPrintable(e.detail));
    }
}

void StoreTest::eliminarOnEmptySelection() {
    TempApp app;
    FormMdi& mdi = app.start();
    mdi.store().EliminarRegistro(0);
    QCOMPARE(app.messages.texts(), QStringList({"No ha elegido un registro."}));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QVERIFY(!mdi.store().ErrorDatos);
}

void StoreTest::eliminarMovesToNext() {
    TempApp app;
    for (const char* s : {"A", "B", "C"}) app.insert("Compositor", {{"Apellidos", s}});
    FormMdi& mdi = app.start();
    Recordset& rs = mdi.hub().Data[0].recordset();
    rs.setAbsolutePosition(1);
    mdi.store().EliminarRegistro(0);
    QCOMPARE(rs.Field("Apellidos"), QString("C"));
    mdi.store().EliminarRegistro(0);  // the last one: no current record afterwards
    QVERIFY(rs.EOF_());
    QCOMPARE(app.scalar("SELECT group_concat(Apellidos) FROM Compositor").toString(), QString("A"));
}

void StoreTest::cargarImagenFits_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::newRow("wide") << 40 << 20 << 3000.0f << 1500.0f;
    QTest::newRow("tall") << 20 << 40 << 1500.0f << 3000.0f;
    QTest::newRow("square") << 33 << 33 << 3000.0f << 3000.0f;
    QTest::newRow("fraction kept") << 30 << 7 << 3000.0f << 700.0f;
    QTest::newRow("large") << 3000 << 2000 << 3000.0f << 2000.0f;
}

void StoreTest::cargarImagenFits() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(float, width);
    QFETCH(float, height);
    TempApp app;
    FormMdi& mdi = app.start();
    PictureBox box;
    CommonDialog dlg;
    dlg.FileName = makePicture(app.folder(), "p.jpg", w, h, "JPG");
    mdi.store().CargarImagen(box, dlg, 3000, 3000);
    QVERIFY(!dlg.FileName.isEmpty());
    QVERIFY(box.Stretch());
    QVERIFY(box.isHidden());
    QCOMPARE(twips::width(&box), width);
    QCOMPARE(twips::height(&box), height);
}

void StoreTest::cargarImagenRefusesBadFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("not a picture") << "text";
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("decompression bomb") << "bomb";
    QTest::newRow("no file name") << "none";
}

void StoreTest::cargarImagenRefusesBadFiles() {
    QFETCH(QString, kind);
    TempApp app;
    FormMdi& mdi = app.start();
    QString path = app.folder() + "/bad.png";
    auto write = [&](const QByteArray& b) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(b);
    };
    if (kind == "empty") write({});
    if (kind == "text") write("esto no es una imagen");
    if (kind == "truncated") {
        QString good = makePicture(app.folder(), "good.png", 300, 300);
        QFile g(good);
        QVERIFY(g.open(QIODevice::ReadOnly));
        write(g.readAll().left(60));
    }
    if (kind == "bomb") {
        // A PNG header that declares 50,000 × 50,000 pixels in a few bytes.
        QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
        png += QByteArray::fromHex("0000c3500000c350080200000000000000");
        write(png);
    }
    if (kind == "none") path.clear();
    PictureBox box;
    CommonDialog dlg;
    dlg.FileName = path;
    mdi.store().CargarImagen(box, dlg, 3000, 3000);
    QVERIFY(dlg.FileName.isEmpty());
    QVERIFY(box.Stretch());
    QVERIFY(box.isHidden());
    QVERIFY(!box.hasPicture());
}

QTEST_MAIN(StoreTest)
#include "test_store.moc"
