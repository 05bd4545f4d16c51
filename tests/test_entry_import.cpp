// "Importar" on the entry screens: a CSV file read whatever its separator, encoding and line
// ends, its columns matched to the fields by caption, every row put through the rules of typing,
// the preview with the refused rows, the rows added in one go and taken back by "Deshacer", bad
// files refused with nothing added, and the round trip export - import - export.
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressDialog>

#include "entry/csv_import.h"
#include "entry/entry_screen.h"
#include "tests/record_screens.h"
#include "tests/test_listing_support.h"

using rs::click;
using rs::w;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray utf8(const char* s) {
    return QByteArray(s);
}

// Records as "line:cell|cell" strings, "!" after the line of one whose quotes never close.
QStringList shown(const std::vector<csvimport::Record>& records) {
    QStringList out;
    for (const auto& r : records)
        out << QString::number(r.line) + (r.closed ? ":" : "!:") + r.cells.join(QLatin1Char('|'));
    return out;
}

// Clicks "Importar" with the file dialog answered by `path` and the preview by `button`.
void importFile(TempApp& app, QWidget* s, const QString& path, const QString& button) {
    app.files.choose(path);
    app.forms.press(button);
    click(s, "BtnImportar");
}

QString lineOf(const FormBasesDatos& hub, qint64 line, const QString& reason) {
    return hub.EtiImportarLinea.arg(line).arg(reason);
}

}  // namespace

class EntryImportTest : public QObject {
    Q_OBJECT
  private slots:
    void recordsAreReadAsRfc4180_data();
    void recordsAreReadAsRfc4180();
    void encodingIsDetected_data();
    void encodingIsDetected();
    void columnsMatchByCaption();
    void rowsMeetTheRulesOfTyping_data();
    void rowsMeetTheRulesOfTyping();
    void buttonBesideGuardarOnEveryEntryScreenButTheRecording();
    void importAddsAcceptedRowsAndUndoTakesThemBack();
    void cancelAddsNothing();
    void cancelledProgressRollsBack();
    void failedInsertAddsNothing();
    void badFilesAreRefused_data();
    void badFilesAreRefused();
    void roundTripGivesTheSameFile_data();
    void roundTripGivesTheSameFile();
    void repeatedRowsAreLeftOutUnlessTicked_data();
    void repeatedRowsAreLeftOutUnlessTicked();
};

void EntryImportTest::recordsAreReadAsRfc4180_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("commas, CRLF") << "a,b\r\n1,2\r\n"
                                  << "," << QStringList{"1:a|b", "2:1|2"};
    QTest::newRow("semicolons beat the commas of a value")
        << "Apellidos;Notas\n\"Falla, de\";x,y\n"
        << ";" << QStringList{"1:Apellidos|Notas", "2:Falla, de|x,y"};
    QTest::newRow("tabs, last line unended") << "a\tb\n\"c\"\"d\"\t"
                                             << "\t" << QStringList{"1:a|b", "2:c\"d|"};
    QTest::newRow("line ends inside quotes kept, lines counted")
        << "a,b\r\n\"x\r\ny\",\"1\r2\n3\"\r\nz,w"
        << "," << QStringList{"1:a|b", "2:x\r\ny|1\r2\n3", "6:z|w"};
    QTest::newRow("blank lines skipped, CR alone ends a line")
        << "a\r\rb\n\n\"\"\r"
        << "," << QStringList{"1:a", "3:b", "5:"};
    QTest::newRow("quote inside an unquoted cell is a character")
        << "a,b\nO\"Brien,\"x\"y\n"
        << "," << QStringList{"1:a|b", "2:O\"Brien|xy"};
    QTest::newRow("quotes never closed") << "a\n\"x\ny"
                                         << "," << QStringList{"1:a", "2!:x\ny"};
    QTest::newRow("single column") << "Apellidos\nBach"
                                   << "," << QStringList{"1:Apellidos", "2:Bach"};
}

void EntryImportTest::recordsAreReadAsRfc4180() {
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QStringList, records);
    const QChar sep = csvimport::separatorOf(text);
    QCOMPARE(QString(sep), separator);
    QCOMPARE(shown(csvimport::parse(text, sep)), records);
}

void EntryImportTest::encodingIsDetected_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isText");
    const QString word = QString::fromUtf8("España 5 €, «Dvořák»");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + word.toUtf8() << word << true;
    QTest::newRow("UTF-8") << word.toUtf8() << word << true;
    QTest::newRow("Windows-1252") << utf8(
                                         "Espa\xF1"
                                         "a 5 \x80, \xABOp\xE9ra\xBB \x93x\x94")
                                  << QString::fromUtf8("España 5 €, «Opéra» “x”") << true;
    QTest::newRow("UTF-16 with BOM")
        << QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char*>(word.utf16()), word.size() * 2)
        << word << true;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) junk += char((i * 7919) % 256);
    QTest::newRow("binary junk") << junk << QString() << false;
}

void EntryImportTest::encodingIsDetected() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, isText);
    bool ok = !isText;
    const QString got = csvimport::decode(bytes, &ok);
    QCOMPARE(ok, isText);
    if (isText) QCOMPARE(got, text);
}

void EntryImportTest::columnsMatchByCaption() {
    TempApp app;
    LoadedHub h(app);
    // Case, accents and blanks aside; the field's own name too; unknown columns left out.
    const QByteArray file = QString::fromUtf8(
                                "APELLIDOS,fecha1, Fecha  2 ,Nótas,Edad,IMAGEN\n"
                                "Bach,1685,1750,Leipzig,65,/f/bach.jpg\n")
                                .toUtf8();
    const csvimport::Plan p =
        csvimport::prepare(file, registers::at(registers::kCompositor), h.hub, "x.csv");
    QVERIFY2(p.problem.isEmpty(), qPrintable(p.problem));
    QCOMPARE(p.ignored, QStringList{"Edad"});
    QCOMPARE(p.rows.size(), size_t(1));
    QStringList columns;
    for (const FieldDef* f : p.fields) columns << f->column;
    QCOMPARE(columns, (QStringList{"Nombre", "Apellidos", "Fecha1", "Fecha2", "Notas", "Imagen"}));
    QCOMPARE(p.rows[0], (QStringList{"", "Bach", "1685", "1750", "Leipzig", "/f/bach.jpg"}));

    // The orchestra's kind by the listing's caption or by its column.
    for (const char* header : {"Nombre;Tipo", "nombre;orqgrpcor"}) {
        const csvimport::Plan o =
            csvimport::prepare(QByteArray(header) + "\nMonteverdi Choir;Coro\nEBS;2\nX;\n",
                               registers::at(registers::kOrquesta), h.hub, "x.csv");
        QVERIFY2(o.problem.isEmpty(), header);
        QCOMPARE(o.rows.size(), size_t(3));
        QCOMPARE(o.rows[0].value(1), QStringLiteral("3"));
        QCOMPARE(o.rows[1].value(1), QStringLiteral("2"));
        QCOMPARE(o.rows[2].value(1), QStringLiteral("1"));
    }
}

void EntryImportTest::rowsMeetTheRulesOfTyping_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("added");
    QTest::addColumn<QStringList>("refused");  // "line:reason" with the hub's texts
    const QString a51 = QString(51, QLatin1Char('a'));
    QTest::newRow("composer") << registers::kCompositor
                              << "Nombre,Apellidos,Fecha 1,Fecha 2\n"
                                 "Juan,,1700,1750\n"     // no identifier
                                 "Juan,   ,1700,1750\n"  // blanks only
                                 "Juan,Bach,17a5,\n"     // not a number
                                 "Juan,Bach,\"1,5\",\n"  // not whole
                                 "Juan,Bach,17000,\n"    // longer than the box
                                 "Juan," +
                                     a51 +
                                     ",,\n"  // longer than the field: not cut
                                     "\"Juan\nSebastian\",Bach,,\n"  // no line break in a box
                                     "Juan,Bach,1685\n"              // a cell short
                                     "Juan,Bach, 1685 ,\"7,0\"\n"    // accepted
                              << 1
                              << QStringList{"2:id",
                                             "3:id",
                                             "4:num Fecha 1|17a5",
                                             "5:num Fecha 1|1,5",
                                             "6:long Fecha 1|17000|4",
                                             "7:long Apellidos|" + a51 + "|50",
                                             "8:break Nombre",
                                             "10:cells 3|4"};
    QTest::newRow("instrument century") << registers::kInstrumento
                                        << "Instrumento;Siglo;Fecha\n"
                                           "Viola;123;\n"
                                           "Viola;18;1700\n"
                                           "Viola;;\n"
                                        << 2 << QStringList{"2:long Siglo|123|2"};
    QTest::newRow("orchestra kind")
        << registers::kOrquesta << "Nombre,Tipo\nA,coro\nB,4\nC,Orquesta\n"
        << 2 << QStringList{"3:kind Tipo|4"};
    QString many = QStringLiteral("\"");
    for (int i = 0; i <= registers::kMaxMovements; ++i) many += QStringLiteral("m%1\n").arg(i);
    many += QLatin1Char('"');
    QTest::newRow("work movements and time")
        << registers::kObra
        << "Obra,Autor,Movimientos,Tiempo Total\n"
           "Misa,Bach,\"Kyrie\nGloria\",01:50:07\n"
           "Misa,Bach,\"a#b\",\n"
           "Misa,Bach,,1:75:00\n"
           "Misa,Bach," +
               many +
               ",\n"
               "Misa,,,\n"
        << 1
        << QStringList{"4:hash Movimientos", "5:time Tiempo Total|1:75:00", "6:max150",
                       QStringLiteral("%1:id").arg(7 + registers::kMaxMovements + 1)};
    // One duration per movement, as the grid keeps them; the total, when given, is their sum.
    QTest::newRow("work durations")
        << registers::kObra
        << "Obra,Autor,Movimientos,Duraciones,Tiempo Total\n"
           "Misa,Bach,\"Kyrie\nGloria\",\"0:05:00\n1:2:3\",1:07:03\n"
           "Misa,Bach,\"Kyrie\nGloria\",\"0:5:0\n\n::75\n\",\n"
           "Misa,Bach,Kyrie,,0:30:00\n"
           "Misa,Bach,\"Kyrie\nGloria\",0:05:00,\n"
           "Misa,Bach,,0:05:00,\n"
           "Misa,Bach,Kyrie,5:75,\n"
           "Misa,Bach,Kyrie,0:0:100,\n"
           "Misa,Bach,Kyrie,0:10:00,0:09:00\n"
        << 3
        << QStringList{"11:lines Duraciones|Movimientos|2", "13:lines Duraciones|Movimientos|0",
                       "14:time Duraciones|5:75", "15:time Duraciones|0:0:100",
                       "16:total Tiempo Total|0:09:00|Duraciones|0:10:00"};
}

void EntryImportTest::rowsMeetTheRulesOfTyping() {
    QFETCH(int, global);
    QFETCH(QString, file);
    QFETCH(int, added);
    QFETCH(QStringList, refused);
    TempApp app;
    LoadedHub h(app);
    const FormBasesDatos& hub = h.hub;
    const csvimport::Plan p =
        csvimport::prepare(file.toUtf8(), registers::at(global), hub, "x.csv");
    QVERIFY2(p.problem.isEmpty(), qPrintable(p.problem));
    QCOMPARE(int(p.rows.size()), added);
    QStringList expected;
    for (const QString& r : refused) {
        const QString line = r.section(QLatin1Char(':'), 0, 0);
        const QStringList a = r.section(QLatin1Char(':'), 1).split(QLatin1Char('|'));
        const QString what = a[0].section(QLatin1Char(' '), 0, 0);
        const QString caption = a[0].section(QLatin1Char(' '), 1);
        QString why;
        if (what == "id") why = hub.MensaIntroducirIDentificador;
        if (what == "num") why = hub.MotivoNumero.arg(caption, a[1]);
        if (what == "long") why = hub.MotivoLargo.arg(caption).arg(a[1].size()).arg(a[2]);
        if (what == "break") why = hub.MotivoSaltoLinea.arg(caption);
        if (what == "cells") why = hub.MotivoCampos.arg(caption, a[1]);
        if (what == "kind") why = hub.MotivoTipo.arg(caption, a[1]);
        if (what == "hash") why = hub.MotivoAlmohadilla.arg(caption);
        if (what == "time") why = hub.MotivoDuracion.arg(caption, a[1]);
        if (what == "max150") why = hub.MensaMax150Movimientos;
        if (what == "lines") why = hub.MotivoDuraciones.arg(caption, a[1], a[2]);
        if (what == "total") why = hub.MotivoTiempoTotal.arg(caption, a[1], a[2], a[3]);
        QVERIFY2(!why.isEmpty(), qPrintable(r));
        expected << line + QLatin1Char(':') + why;
    }
    QStringList got;
    for (const csvimport::Refusal& r : p.refused)
        got << QString::number(r.line) + QLatin1Char(':') + r.reason;
    QCOMPARE(got, expected);
    if (global == registers::kCompositor)  // the year boxes' reading: blanks off, "7,0" is 7
        QCOMPARE(p.rows[0], (QStringList{"Juan", "Bach", "1685", "7", "", ""}));
    if (global == registers::kInstrumento)  // an empty year or century is 0
        QCOMPARE(p.rows[1].mid(3, 2), (QStringList{"0", "0"}));
    auto stored = [&](size_t row, const QString& column) {
        for (int i = 0; i < p.fields.size(); ++i)
            if (p.fields[i]->column == column) return p.rows[row][i];
        return QString();
    };
    if (global == registers::kObra && QByteArray(QTest::currentDataTag()) != "work durations") {
        QCOMPARE(stored(0, "Movimientos"), QStringLiteral("Kyrie#Gloria#"));
        QCOMPARE(stored(0, "Duraciones"), QString());
        QCOMPARE(stored(0, "TiempoTotal"), QString::number(6607));
        QCOMPARE(stored(0, "NumeroMovimientos"), QStringLiteral("2"));
    }
    if (QByteArray(QTest::currentDataTag()) == "work durations") {
        // Kept as the grid keeps them (an empty part is 0); the total is their sum.
        QCOMPARE(stored(0, "Duraciones"), QStringLiteral("0:05:00#1:2:3#"));
        QCOMPARE(stored(0, "TiempoTotal"), QString::number(4023));
        QCOMPARE(stored(1, "Duraciones"), QStringLiteral("0:5:0#0:0:75#"));
        QCOMPARE(stored(1, "TiempoTotal"), QString::number(375));
        QCOMPARE(stored(2, "Duraciones"), QString());
        QCOMPARE(stored(2, "TiempoTotal"), QString::number(1800));
    }
}

void EntryImportTest::buttonBesideGuardarOnEveryEntryScreenButTheRecording() {
    TempApp app;
    FormMdi& mdi = app.enter();
    for (int g = 0; g < registers::kCount; ++g) {
        Screen* s = rs::open(mdi, g, 0);
        QVERIFY(s);
        auto* importar = s->findChild<QPushButton*>(QStringLiteral("BtnImportar"));
        if (g == registers::kGrabacion) {
            QVERIFY(!importar);
            continue;
        }
        QVERIFY2(importar, qPrintable(registers::at(g).name));
        auto* guardar = w<QPushButton>(s, "BtnGuardar");
        QCOMPARE(importar->parentWidget(), guardar->parentWidget());
        QCOMPARE(importar->text(), mdi.hub().EtiImportar);
        QCOMPARE(importar->geometry().top(), guardar->geometry().top());
        QCOMPARE(importar->size(), guardar->size());
        QVERIFY(importar->geometry().left() > guardar->geometry().right());
        QVERIFY(importar->parentWidget()->rect().contains(importar->geometry()));
        for (QWidget* other : importar->parentWidget()->findChildren<QWidget*>())
            if (other != importar && other->parentWidget() == importar->parentWidget())
                QVERIFY2(!other->geometry().intersects(importar->geometry()),
                         qPrintable(other->objectName()));
        rs::leave(mdi);
    }
}

void EntryImportTest::importAddsAcceptedRowsAndUndoTakesThemBack() {
    TempApp app;
    const qint64 old = rs::insertRecord(app, registers::kCompositor, "viejo");
    const QString path = app.folder() + "/compositores.csv";
    write(path, QString::fromUtf8("Nombre;Apellidos;Fecha 1;Notas;Edad\r\n"
                                  "Antonín;Dvořák;1841;\"Sinfonía \"\"del Nuevo Mundo\"\"\r\n"
                                  "1893\";63\r\n"
                                  "Juan;;1700;;\r\n"
                                  "Turlough;O'Carolan;1670;;\r\n")
                    .toUtf8());
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    // A filtered selection in force, which the import puts back to the whole table.
    hub.reg[0].ContFil = 1;
    hub.reg[0].SelRecordSource = "SELECT * FROM Compositor WHERE Id = 0";
    Screen* s = rs::open(mdi, registers::kCompositor, 0);
    QVERIFY(s);
    rs::type(s, "TxtApellidos", "a medias");  // the half-typed record stays
    app.messages.clear();
    importFile(app, s, path, "BtnAceptar");

    QCOMPARE(app.files.titles, QStringList{hub.EtiImportarTitulo});
    QVERIFY(app.files.filters.value(0).startsWith("CSV (*.csv *.txt)"));
    QCOMPARE(app.forms.shown.size(), size_t(1));
    const ShownDialog& d = app.forms.shown[0];
    QCOMPARE(d.name, QStringLiteral("FormImportar"));
    QCOMPARE(d.texts["LabAnadir"], hub.EtiImportarAnadir.arg(2).arg(3));
    QCOMPARE(d.texts["LabIgnoradas"], hub.EtiImportarIgnoradas.arg("Edad"));
    QCOMPARE(d.texts["TxtRechazadas"], lineOf(hub, 4, hub.MensaIntroducirIDentificador));
    QCOMPARE(d.texts["BtnAceptar"], QStringLiteral("Aceptar"));
    QCOMPARE(d.texts["BtnCancelar"], QStringLiteral("Cancelar"));
    QVERIFY(d.enabled["BtnAceptar"]);

    const auto rows = app.rows(
        "SELECT Nombre, Apellidos, Fecha1, Fecha2, Notas FROM Compositor "
        "ORDER BY Id");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[1]["Apellidos"].toString(), QString::fromUtf8("Dvořák"));
    QCOMPARE(rows[1]["Notas"].toString(),
             QString::fromUtf8("Sinfonía \"del Nuevo Mundo\"\r\n1893"));
    QCOMPARE(rows[1]["Fecha2"].toInt(), 0);
    QCOMPARE(rows[2]["Apellidos"].toString(), QStringLiteral("O'Carolan"));
    // Written with their sort keys: none left to compute, every one right.
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor WHERE Nombre_clave IS NOT "
                        "ormelia_clave(Nombre) OR Apellidos_clave IS NOT ormelia_clave(Apellidos)")
                 .toInt(),
             0);
    QCOMPARE(app.messages.texts(), QStringList{hub.MensaImportado.arg(2)});
    QCOMPARE(rs::label(s, "LabNumRegNuevos"), QStringLiteral("2"));
    QCOMPARE(rs::label(s, "LabNumRegTotal"), QStringLiteral("3"));
    QCOMPARE(hub.reg[0].ContNew, 2);
    QCOMPARE(hub.reg[0].ContSel, 3);
    QCOMPARE(hub.reg[0].ContFil, 0);
    QVERIFY(hub.reg[0].SelRecordSource.isEmpty());
    QCOMPARE(hub.Data[0].recordset().RecordCount(), 3L);
    QCOMPARE(rs::box(s, "TxtApellidos")->text(), QStringLiteral("a medias"));

    // "Deshacer" asks, then takes the whole import back and nothing else.
    auto* undo = w<QPushButton>(s, "BtnDeshacer");
    QVERIFY(undo->isEnabled());
    app.messages.clear();
    app.messages.answer(QMessageBox::No);
    click(s, "BtnDeshacer");
    QCOMPARE(app.messages.texts(), QStringList{hub.MensaDeshacerImportacion.arg(2)});
    QCOMPARE(rs::count(app, 0), 3);
    QVERIFY(undo->isEnabled());
    click(s, "BtnDeshacer");
    QCOMPARE(rs::count(app, 0), 1);
    QCOMPARE(app.scalar("SELECT Id FROM Compositor").toLongLong(), old);
    QVERIFY(!undo->isEnabled());
    QCOMPARE(rs::label(s, "LabNumRegNuevos"), QStringLiteral("0"));
    QCOMPARE(rs::label(s, "LabNumRegTotal"), QStringLiteral("1"));
    QCOMPARE(hub.reg[0].ContSel, 1);
}

void EntryImportTest::cancelAddsNothing() {
    TempApp app;
    const QString path = app.folder() + "/e.csv";
    write(path, "Evento,Ciudad\nProms,Londres\n,Leipzig\n");
    FormMdi& mdi = app.enter();
    Screen* s = rs::open(mdi, registers::kEvento, 0);
    QVERIFY(s);
    app.messages.clear();
    importFile(app, s, path, "BtnCancelar");
    QCOMPARE(app.forms.shown.size(), size_t(1));
    QCOMPARE(app.forms.shown[0].texts["LabAnadir"], mdi.hub().EtiImportarAnadir.arg(1).arg(2));
    QCOMPARE(rs::count(app, registers::kEvento), 0);
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(rs::label(s, "LabNumRegNuevos"), QStringLiteral("0"));
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());

    // A file whose every row is refused offers nothing to accept.
    write(path, "Evento,Ciudad\n,Londres\n");
    importFile(app, s, path, "BtnAceptar");
    QCOMPARE(app.forms.shown.size(), size_t(2));
    QVERIFY(!app.forms.shown[1].enabled["BtnAceptar"]);
    QCOMPARE(rs::count(app, registers::kEvento), 0);
}

void EntryImportTest::cancelledProgressRollsBack() {
    TempApp app;
    QByteArray file = "Titulo,Url\n";
    for (int i = 0; i < 3000; ++i) file += "T" + QByteArray::number(i) + ",http://x\n";
    const QString path = app.folder() + "/i.csv";
    write(path, file);
    FormMdi& mdi = app.enter();
    Screen* s = rs::open(mdi, registers::kInternet, 0);
    QVERIFY(s);
    int windows = 0;
    {
        ProgressAnswerer answering([&](QProgressDialog& p) {
            ++windows;
            return p.maximum() > 0;  // a bar that shows the rows, then "Cancelar"
        });
        app.messages.clear();
        importFile(app, s, path, "BtnAceptar");
    }
    QCOMPARE(windows, 1);
    QCOMPARE(rs::count(app, registers::kInternet), 0);
    QCOMPARE(app.messages.texts(), QStringList{mdi.hub().MensaImportarCancelado});
    QCOMPARE(mdi.hub().reg[registers::kInternet].Cont, 0);
    QCOMPARE(rs::label(s, "LabNumRegNuevos"), QStringLiteral("0"));
}

void EntryImportTest::failedInsertAddsNothing() {
    TempApp app;
    app.exec(
        "CREATE TRIGGER no_mas BEFORE INSERT ON Emisora WHEN NEW.Emisora = 'Z' BEGIN "
        "SELECT RAISE(ABORT, 'bloqueado'); END");
    const QString path = app.folder() + "/e.csv";
    write(path, "Emisora\nA\nB\nZ\nC\n");
    FormMdi& mdi = app.enter();
    Screen* s = rs::open(mdi, registers::kEmisora, 0);
    QVERIFY(s);
    app.messages.clear();
    importFile(app, s, path, "BtnAceptar");
    QCOMPARE(rs::count(app, registers::kEmisora), 0);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QVERIFY(app.messages.shown[0].text.startsWith("No se ha podido IMPORTAR"));
    QCOMPARE(rs::label(s, "LabNumRegNuevos"), QStringLiteral("0"));
    QCOMPARE(rs::label(s, "LabNumRegTotal"), QStringLiteral("0"));
}

void EntryImportTest::badFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");  // "-" for no file at all
    QTest::addColumn<QString>("message");   // the hub's message it starts as
    QByteArray junk("\x89PNG\r\n\x1A\n");
    for (int i = 0; i < 2000; ++i) junk += char((i * 37) % 256);
    QTest::newRow("missing") << QByteArray("-") << "MensaImportarIlegible";
    QTest::newRow("empty") << QByteArray() << "MensaImportarVacio";
    QTest::newRow("blank lines") << QByteArray("\r\n  \r\n") << "MensaImportarVacio";
    QTest::newRow("binary") << junk << "MensaImportarNoTexto";
    QTest::newRow("no header") << QByteArray("Bach,1685,1750\nHandel,1685,1759\n")
                               << "MensaImportarSinColumnas";
}

void EntryImportTest::badFilesAreRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TempApp app;
    rs::insertRecord(app, registers::kCompositor, "viejo");
    const QString path = app.folder() + "/malo.csv";
    if (bytes != "-") write(path, bytes);
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    Screen* s = rs::open(mdi, registers::kCompositor, 0);
    QVERIFY(s);
    app.messages.clear();
    importFile(app, s, path, "BtnAceptar");
    QVERIFY(app.forms.shown.empty());
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const QHash<QString, QString> texts = {
        {"MensaImportarIlegible", hub.MensaImportarIlegible},
        {"MensaImportarVacio", hub.MensaImportarVacio},
        {"MensaImportarNoTexto", hub.MensaImportarNoTexto},
        {"MensaImportarSinColumnas", hub.MensaImportarSinColumnas}};
    const QString expected = texts[message].section("%1", 0, 0);
    QVERIFY2(app.messages.shown[0].text.startsWith(expected),
             qPrintable(app.messages.shown[0].text));
    QVERIFY(app.messages.shown[0].text.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(rs::count(app, registers::kCompositor), 1);
    QCOMPARE(rs::label(s, "LabNumRegNuevos"), QStringLiteral("0"));
    QVERIFY(!w<QPushButton>(s, "BtnDeshacer")->isEnabled());
}

void EntryImportTest::roundTripGivesTheSameFile_data() {
    QTest::addColumn<int>("global");
    for (int g = 0; g < registers::kCount; ++g)
        if (g != registers::kGrabacion) QTest::newRow(qPrintable(registers::at(g).name)) << g;
}

void EntryImportTest::roundTripGivesTheSameFile() {
    QFETCH(int, global);
    const RegisterDef& d = registers::at(global);
    // Three records with what a CSV file must quote: separators, quotes, apostrophes, line ends
    // in the notes, accents; a year of 0, each orchestra kind, a work with and without movements.
    const QString texts[] = {QString::fromUtf8("Dvořák, \"Nuevo Mundo\" 1893"),
                             QString::fromUtf8("O'Carolan; arpa\tirlandesa"),
                             QString::fromUtf8("«Ópera» – ñandú €")};
    const QString notes[] = {QString::fromUtf8("línea 1\r\nlínea \"2\", 'tres'\nfin"), "",
                             QString::fromUtf8("sólo\rCR; y, más")};
    const QString pictures[] = {"/fotos/a,b \"c\".jpg", "", "C:\\fotos\\x;y.png"};
    TempApp first;
    for (int k = 0; k < 3; ++k) {
        QVariantMap m;
        for (const FieldDef& f : d.fields) {
            switch (f.kind) {
                case FieldKind::Text:
                    m[f.column] = (QString::number(k) + texts[k]).left(f.maxLength);
                    break;
                case FieldKind::Year:
                    m[f.column] = k == 1 ? 0 : 1685 + k;
                    break;
                case FieldKind::Century:
                    m[f.column] = k == 1 ? 0 : 17 + k;
                    break;
                case FieldKind::Kind:
                    m[f.column] = k + 1;
                    break;
                case FieldKind::Notes:
                    m[f.column] = notes[k];
                    break;
                case FieldKind::Picture:
                    m[f.column] = pictures[k];
                    break;
                default:
                    break;
            }
        }
        if (global == registers::kObra && k != 1) {
            m["Movimientos"] = k == 0 ? QString::fromUtf8("I. Allegro#II. «Adagio», \"lento\"#")
                                      : QStringLiteral("Único; sin pausa#");
            m["Duraciones"] = k == 0 ? "0:10:0#0:5:30#" : "1:0:0#";
            m["TiempoTotal"] = k == 0 ? 930 : 3600;
            m["NumeroMovimientos"] = k == 0 ? 2 : 1;
        }
        first.insert(d.table, m);
    }
    const int listing = registers::screenNumber(global, 3);
    QStringList all;
    for (const VocabItem& e : d.listEntries) all << e.caption;
    auto exportFrom = [&](TempApp& app, const QString& path) {
        ListingScreen* ls = lt::openListing(*app.mdi(), listing);
        QVERIFY(ls);
        lt::listar(ls, all);
        QVERIFY(ls->exportTo(path));
    };
    first.enter();
    const QString once = first.folder() + "/una.csv";
    exportFrom(first, once);
    const QByteArray exported = bytesOf(once);
    QVERIFY(exported.contains("\"\""));       // quotes doubled
    QVERIFY(exported.contains("\r\nl\xC3"));  // a line break inside a value
    if (global == registers::kOrquesta) QVERIFY(exported.contains(",Coro,"));  // the kind shown

    TempApp second;
    FormMdi& mdi = second.enter();
    Screen* s = rs::open(mdi, global, 0);
    QVERIFY(s);
    second.messages.clear();
    importFile(second, s, once, "BtnAceptar");
    QCOMPARE(second.messages.texts(), QStringList{mdi.hub().MensaImportado.arg(3)});
    QCOMPARE(second.forms.shown.size(), size_t(1));
    QVERIFY(!second.forms.shown[0].texts.contains("LabIgnoradas"));
    QVERIFY(!second.forms.shown[0].texts.contains("TxtRechazadas"));
    const QString twice = second.folder() + "/otra.csv";
    exportFrom(second, twice);
    QCOMPARE(bytesOf(twice), exported);
    // The records themselves come back whole, what no listing column shows included (a work's
    // durations).
    const QString records = QString("SELECT * FROM %1 ORDER BY Id").arg(d.table);
    QCOMPARE(second.rows(records), first.rows(records));
    if (global == registers::kOrquesta)
        QCOMPARE(
            second.rows("SELECT OrqGrpCor FROM Orquesta ORDER BY Id").value(2)["OrqGrpCor"].toInt(),
            3);
}

void EntryImportTest::repeatedRowsAreLeftOutUnlessTicked_data() {
    QTest::addColumn<int>("padding");
    QTest::newRow("looked up one by one") << 0;
    QTest::newRow("against every stored label") << 1200;  // past the one-by-one limit
}

// Rows repeating a stored record or an earlier row of the file are listed with their lines and
// left out; importing the same file twice adds its rows once; ticking the box adds them all.
// A large file finds the same repeats as a small one.
void EntryImportTest::repeatedRowsAreLeftOutUnlessTicked() {
    QFETCH(int, padding);
    TempApp app;
    app.insert("Compositor", {{"Nombre", "Johannes"}, {"Apellidos", "Brahms"}});
    const QString path = app.folder() + "/c.csv";
    QString csv = QString::fromUtf8(
        "Nombre,Apellidos,Fecha 1\n"
        "Antonín,Dvořák,1841\n"
        "Johann Sebastian,Bach,1685\n"
        " antonin ,DVORAK,1900\n"
        "Johannes,BRAHMS,1833\n"
        "Antoñín,Dvořák,1841\n");
    for (int i = 0; i < padding; ++i) csv += QString("Relleno %1,Otro,1900\n").arg(i);
    write(path, csv.toUtf8());
    FormMdi& mdi = app.enter();
    FormBasesDatos& hub = mdi.hub();
    Screen* s = rs::open(mdi, registers::kCompositor, 0);
    QVERIFY(s);
    importFile(app, s, path, "BtnAceptar");
    QCOMPARE(app.forms.shown.size(), size_t(1));
    const ShownDialog& first = app.forms.shown[0];
    QCOMPARE(first.texts["LabAnadir"], hub.EtiImportarAnadir.arg(3 + padding).arg(5 + padding));
    QCOMPARE(first.texts["LabRepetidas"], hub.EtiImportarListaRepetidas.arg(2));
    QCOMPARE(first.texts["TxtRepetidas"], lineOf(hub, 4, hub.MotivoRepetidaArchivo) + "\n" +
                                              lineOf(hub, 5, hub.MotivoEnCatalogo));
    QCOMPARE(
        app.scalar("SELECT group_concat(Apellidos, '|') FROM (SELECT Apellidos FROM Compositor "
                   "ORDER BY Id)")
            .toString(),
        QString::fromUtf8("Brahms|Dvořák|Bach|Dvořák") + QString("|Otro").repeated(padding));

    // The same file again: every row is there already, so "Aceptar" has nothing to add.
    importFile(app, s, path, "BtnAceptar");
    const ShownDialog& second = app.forms.shown[1];
    QCOMPARE(second.texts["LabAnadir"], hub.EtiImportarAnadir.arg(0).arg(5 + padding));
    QVERIFY(!second.enabled["BtnAceptar"]);
    QCOMPARE(second.texts["TxtRepetidas"].split("\n").size(), 5 + padding);
    QCOMPARE(rs::count(app, registers::kCompositor), 4 + padding);

    // Ticked, every row goes in.
    importFile(app, s, path, "ChkRepetidas+BtnAceptar");
    QCOMPARE(rs::count(app, registers::kCompositor), 9 + 2 * padding);
}

QTEST_MAIN(EntryImportTest)
#include "test_entry_import.moc"
