// "Exportar" on the listing screens: the selection in its order, with the ticked fields, written
// as CSV through the save dialog; nothing to export, an unwritable file and Cancel write nothing.
#include <QDir>
#include <QFile>

#include "tests/test_listing_support.h"
#include "tests/test_works_grabacion_support.h"

using namespace lt;

class ListingExportTest : public QObject {
    Q_OBJECT
  private slots:
    void exportsSelection_data();
    void exportsSelection();
    void buttonOnEveryListing_data();
    void buttonOnEveryListing();
    void nothingToExport_data();
    void nothingToExport();
    void unwritableFileLeavesNothing();
    void cancelWritesNothing();
    void saveDialogAsksForACsvFile();
    void progressBarMoves();
};

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// Lines joined by CRLF, each one ended by it, as UTF-8 after the byte-order mark.
QByteArray csv(const QStringList& lines) {
    QByteArray out = kBom;
    for (const QString& l : lines) out += l.toUtf8() + "\r\n";
    return out;
}

QStringList u(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* i : items) out << QString::fromUtf8(i);
    return out;
}

// Clicks "Exportar" with the save dialog answered by `path` ("" = Cancel).
void exportTo(TempApp& app, QWidget* s, const QString& path) {
    app.files.choose(path);
    QTest::mouseClick(w<QPushButton>(s, "BtnExportar"), Qt::LeftButton);
}

// Files of a folder, the temporary ones included.
QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

void ListingExportTest::exportsSelection_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QStringList>("sql");       // records put into the catalogue
    QTest::addColumn<QString>("source");        // the applied selection ("" = all)
    QTest::addColumn<QStringList>("ticks");     // captions ticked
    QTest::addColumn<QStringList>("expected");  // lines of the file
    QTest::newRow("composer, sorted selection")
        << 22
        << u({"INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Fecha2, Notas, Imagen) VALUES "
              "('Antonín', 'Dvořák', 1841, 1904, 'Sinfonía \"del Nuevo Mundo\", 1893', "
              "'/fotos/dvorak.jpg')",
              "INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Fecha2, Notas, Imagen) VALUES "
              "('Turlough', 'O''Carolan', 1670, 0, 'arpista' || char(13) || char(10) || "
              "'irlandés', '')",
              "INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Fecha2, Notas, Imagen) VALUES "
              "('Manuel', 'Falla, de', 0, 1946, '', '/fotos/a,b.png')"})
        << QStringLiteral("SELECT * FROM Compositor ORDER BY Apellidos DESC")
        << u({"Apellidos", "Fecha 1", "Fecha 2", "Notas", "Imagen"})
        << u({"Apellidos,Fecha 1,Fecha 2,Notas,Imagen", "O'Carolan,1670,,\"arpista\r\nirlandés\",",
              "\"Falla, de\",,1946,,\"/fotos/a,b.png\"",
              "Dvořák,1841,1904,\"Sinfonía \"\"del Nuevo Mundo\"\", 1893\",/fotos/dvorak.jpg"});
    QTest::newRow("event, Registros II")
        << 52
        << u({"INSERT INTO Evento (Evento, Ciudad, Pais, Fecha, Actividad, Notas, Imagen) VALUES "
              "('Festival \"Bach\"', 'Leipzig', 'Alemania', 0, 'anual', 'uno' || char(10) || "
              "'dos', '/f/e.gif')",
              "INSERT INTO Evento (Evento, Ciudad, Pais, Fecha, Actividad, Notas, Imagen) VALUES "
              "('Proms', 'Londres', 'Reino Unido', 1895, '', '', '')"})
        << QString() << u({"Evento", "País", "Fecha", "Notas", "Imagen"})
        << u({"Evento,País,Fecha,Notas,Imagen",
              "\"Festival \"\"Bach\"\"\",Alemania,,\"uno\ndos\",/f/e.gif",
              "Proms,Reino Unido,1895,,"});
    QTest::newRow("recording, sets")
        << 28
        << u({"UPDATE Soporte SET Imagen = '/discos/archiv.jpg' WHERE Discografica = 'Archiv'"})
        << QString()
        << u({"COM Apellidos", "OBR Obra", "ORQ Orq-Gru-Cor", "DIR Apellidos", "INT Apellidos",
              "GRA Notas", "SOP Imagen"})
        << u({"COM Apellidos,OBR Obra,ORQ Orq-Gru-Cor,DIR Apellidos,INT Apellidos,GRA Notas,"
              "SOP Imagen",
              "Bach,Misa en si menor,English Baroque Soloists / Monteverdi Choir,Gardiner,"
              "von Otter / Argenta,Gardiner 1985,/discos/archiv.jpg",
              "Vivaldi,Gloria,English Baroque Soloists,,Argenta,estudio,",
              "Mozart,Requiem,Monteverdi Choir,Gardiner / Harnoncourt,von Otter,,"
              "/discos/archiv.jpg"});
}

void ListingExportTest::exportsSelection() {
    QFETCH(int, screen);
    QFETCH(QStringList, sql);
    QFETCH(QString, source);
    QFETCH(QStringList, ticks);
    QFETCH(QStringList, expected);
    TempApp app;
    if (screen == 28) gt::catalogue(app, true);
    for (const QString& q : sql) app.exec(q);
    FormMdi& mdi = app.enter();
    if (!source.isEmpty()) {
        FormBasesDatos& hub = mdi.hub();
        hub.Data[0].RecordSource = source;
        hub.Data[0].Refresh();
    }
    ListingScreen* s = openListing(mdi, screen);
    QVERIFY(s);
    listar(s, ticks);
    const QString path = app.folder() + QStringLiteral("/salida.csv");
    app.messages.clear();
    exportTo(app, s, path);
    QCOMPARE(bytesOf(path), csv(expected));
    QCOMPARE(app.files.titles, QStringList{mdi.hub().EtiExportarTitulo});
    QCOMPARE(app.files.filters, QStringList{QStringLiteral("CSV (*.csv)")});
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Information);
    QVERIFY(app.messages.shown[0].text.startsWith(
        QStringLiteral("Se han EXPORTADO %1 Registros").arg(expected.size() - 1)));
    QCOMPARE(w<QProgressBar>(s, "ProgressBar")->value(), 0);
    // Only the file chosen: no temporary file is left beside it.
    QCOMPARE(filesIn(app.folder()).filter(QStringLiteral("salida")),
             QStringList{QStringLiteral("salida.csv")});
}

void ListingExportTest::buttonOnEveryListing_data() {
    QTest::addColumn<int>("screen");
    for (int n : {22, 23, 24, 25, 26, 27, 28, 50, 51, 52, 53, 54, 55, 56})
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

void ListingExportTest::buttonOnEveryListing() {
    QFETCH(int, screen);
    TempApp app;
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, screen);
    QVERIFY(s);
    auto* b = w<QPushButton>(s, "BtnExportar");
    QVERIFY(b);
    QCOMPARE(b->text(), QStringLiteral("Exportar"));
    QVERIFY(b->isVisible());
    QVERIFY(!b->toolTip().isEmpty());
    // Beside "Imprimir", its own room inside the screen, over nothing else.
    auto* imprimir = w<QPushButton>(s, "BtnImprimir");
    QCOMPARE(b->x(), imprimir->x());
    QCOMPARE(b->size(), imprimir->size());
    QVERIFY(s->rect().contains(b->geometry()));
    for (QWidget* other : s->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (other != b && other->isVisible())
            QVERIFY2(!other->geometry().intersects(b->geometry()), qPrintable(other->objectName()));
}

void ListingExportTest::nothingToExport_data() {
    QTest::addColumn<QString>("source");  // the applied selection ("" = all)
    QTest::addColumn<QStringList>("ticks");
    QTest::newRow("nothing ticked") << QString() << QStringList();
    QTest::newRow("empty selection")
        << QStringLiteral("SELECT * FROM Compositor WHERE Apellidos = 'Nadie'")
        << QStringList{QStringLiteral("Nombre")};
}

void ListingExportTest::nothingToExport() {
    QFETCH(QString, source);
    QFETCH(QStringList, ticks);
    TempApp app;
    composers(app, 3);
    FormMdi& mdi = app.enter();
    if (!source.isEmpty()) {
        mdi.hub().Data[0].RecordSource = source;
        mdi.hub().Data[0].Refresh();
    }
    ListingScreen* s = openListing(mdi, 22);
    listar(s, ticks);
    const QString path = app.folder() + QStringLiteral("/nada.csv");
    app.messages.clear();
    exportTo(app, s, path);
    QVERIFY(!QFile::exists(path));
    QVERIFY(app.files.titles.isEmpty());  // no dialog was shown
    QCOMPARE(app.messages.texts(), QStringList{mdi.hub().MensaExportarNada});
}

void ListingExportTest::unwritableFileLeavesNothing() {
    TempApp app;
    composers(app, 3);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    const QString folder = app.folder() + QStringLiteral("/no_existe");
    const QString path = folder + QStringLiteral("/salida.csv");
    app.messages.clear();
    exportTo(app, s, path);
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QDir(folder).exists());
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    QCOMPARE(app.messages.shown[0].text,
             mdi.hub().MensaExportacionFallida.arg(QDir::toNativeSeparators(path)));
    QVERIFY(app.messages.shown[0].text.startsWith(QStringLiteral("No se ha podido EXPORTAR")));
}

void ListingExportTest::cancelWritesNothing() {
    TempApp app;
    composers(app, 3);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    const QStringList before = filesIn(app.folder());
    app.messages.clear();
    exportTo(app, s, QString());
    QCOMPARE(app.files.titles.size(), 1);  // the dialog was shown
    QCOMPARE(filesIn(app.folder()), before);
    QVERIFY(app.messages.shown.empty());
}

void ListingExportTest::saveDialogAsksForACsvFile() {
    TempApp app;
    app.insert("Instrumento", {{"Instrumento", "Viola"}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 50);
    listar(s, {"Instrumento"});
    QString name, suffix;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    bool qtOwn = false;
    dialogs::setFileHook([&](QFileDialog& dlg) {
        name = dlg.objectName();
        mode = dlg.acceptMode();
        suffix = dlg.defaultSuffix();
        qtOwn = dlg.testOption(QFileDialog::DontUseNativeDialog);
        return QString();  // Cancel
    });
    QTest::mouseClick(w<QPushButton>(s, "BtnExportar"), Qt::LeftButton);
    dialogs::setFileHook(nullptr);
    QCOMPARE(name, QStringLiteral("DialogoExportar"));
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QCOMPARE(suffix, QStringLiteral("csv"));
    QVERIFY(qtOwn);
}

void ListingExportTest::progressBarMoves() {
    TempApp app;
    composers(app, 2500);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Apellidos"});
    QList<int> seen;
    auto* bar = w<QProgressBar>(s, "ProgressBar");
    connect(bar, &QProgressBar::valueChanged, this, [&](int v) { seen << v; });
    exportTo(app, s, app.folder() + QStringLiteral("/todo.csv"));
    QCOMPARE(bar->maximum(), 2500);
    QCOMPARE(seen, (QList<int>{1000, 2000, 2500, 0}));
    const QByteArray bytes = bytesOf(app.folder() + QStringLiteral("/todo.csv"));
    QCOMPARE(bytes.count("\r\n"), 2501);
    QVERIFY(bytes.endsWith("\r\nA2500\r\n"));
}

QTEST_MAIN(ListingExportTest)
#include "test_listing_export.moc"
