// "Imprimir" on the listing screens: the print dialog answered with a PDF file, and the printout's
// text read back with pdftotext: page numbers, the first page's header, every record's fields,
// long notes whole across pages.
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>

#include "tests/test_listing_support.h"

using namespace lt;

namespace {

// Answers the print dialog: prints to `pdf`, or cancels when it is empty.
class PrintChooser {
  public:
    explicit PrintChooser(const QString& pdf) {
        dialogs::setPrintHook([this, pdf](QDialog& dialog, QPrinter& printer) {
            dialogName = dialog.objectName();
            ++shown;
            if (pdf.isEmpty()) return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
    }
    ~PrintChooser() { dialogs::setPrintHook(nullptr); }
    QString dialogName;
    int shown = 0;
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000)) return QStringLiteral("<timeout>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Text of one page (1-based), or of all pages with page 0.
QString pdfText(const QString& pdf, int page = 0) {
    QStringList args;
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return run("pdftotext", args << pdf << "-");
}

int pdfPages(const QString& pdf) {
    QRegularExpression re(QStringLiteral("Pages:\\s+(\\d+)"));
    auto m = re.match(run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString longNotes(int words) {
    QStringList w;
    for (int i = 1; i <= words; ++i) w << QString("w%1").arg(i, 4, 10, QLatin1Char('0'));
    return w.join(' ');
}

}  // namespace

class ListingPrintTest : public QObject {
    Q_OBJECT
  private slots:
    void printsComposerListing();
    void cancelPrintsNothing();
    void longPrintoutCanBeStopped();
    void unwritableFileIsReported();
    void printsOtherRegister();
    void recordStartsWithItsFields();
    void marginsOfFifteenMillimetres();
};

void ListingPrintTest::printsComposerListing() {
    TempApp app;
    const QString pic = makePicture(app.folder(), "bach.png", 120, 80);
    app.insert("Compositor", {{"Nombre", "Johann Sebastian"},
                              {"Apellidos", "Bach"},
                              {"Fecha1", 1685},
                              {"Fecha2", 1750},
                              {"Notas", longNotes(3000)},
                              {"Imagen", pic}});
    app.insert("Compositor",
               {{"Nombre", "Antonio"}, {"Apellidos", "Vivaldi"}, {"Notas", "Venecia"}});
    app.insert("Compositor", {{"Nombre", "Henry"}, {"Apellidos", "Purcell"}, {"Notas", "Londres"}});
    FormMdi& mdi = app.enter();
    RegisterState& st = mdi.hub().reg[0];
    st.ContFil = 1;
    st.MemoSelValorFiltro = QStringLiteral("Apellidos Contiene 'l'");
    st.MemoSelCampoOrden = 1;
    st.MemoSelCriterioOrden = 0;
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre", "Apellidos", "Notas", "Imagen"});
    const long position = mdi.hub().Data[0].recordset().AbsolutePosition();
    const QString pdf = app.folder() + "/listado.pdf";
    PrintChooser chooser(pdf);
    QTest::mouseClick(w<QPushButton>(s, "BtnImprimir"), Qt::LeftButton);
    QCOMPARE(chooser.shown, 1);
    QCOMPARE(chooser.dialogName, QStringLiteral("DialogoImpresora"));
    QVERIFY(QFile::exists(pdf));
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(mdi.hub().Data[0].recordset().AbsolutePosition(), position);

    const int pages = pdfPages(pdf);
    QVERIFY2(pages >= 2, "the long notes run on to further pages");
    for (int p = 1; p <= pages; ++p)
        QVERIFY2(pdfText(pdf, p).contains(QString::fromUtf8("Página %1").arg(p)),
                 qPrintable(QString("page number on page %1").arg(p)));
    const QString first = pdfText(pdf, 1);
    for (const char* expected :
         {"Registro:", "Compositor", "Selección:", "3 de 3 Registros",
          "Filtros:", "1 Apellidos Contiene 'l'", "Orden:", "Apellidos Ascendente",
          "Campos:", "Nombre, Apellidos, Notas, Imagen"})
        QVERIFY2(first.contains(QString::fromUtf8(expected)), expected);
    for (int p = 2; p <= pages; ++p) {
        const QString later = pdfText(pdf, p);
        QVERIFY(!later.contains(QStringLiteral("Campos:")));
        QVERIFY(!later.contains(QStringLiteral("Registro:")));
    }
    const QString all = pdfText(pdf);
    for (const char* expected : {"Nº 1", "Johann Sebastian", "Bach", "Nº 2", "Antonio", "Vivaldi",
                                 "Venecia", "Nº 3", "Henry", "Purcell", "Londres"})
        QVERIFY2(all.contains(QString::fromUtf8(expected)), expected);
    // The notes are printed whole, every word once, in order, across the pages.
    QStringList words;
    auto it = QRegularExpression(QStringLiteral("w\\d{4}")).globalMatch(all);
    while (it.hasNext()) words << it.next().captured(0);
    QCOMPARE(words, longNotes(3000).split(' '));
    // Bach's notes come after his number and before Vivaldi's.
    QVERIFY(all.indexOf("Bach") < all.indexOf("w0001"));
    QVERIFY(all.indexOf("w3000") < all.indexOf("Vivaldi"));
    // The picture is in the printout.
    const QString images = run("pdfimages", {"-list", pdf});
    QVERIFY2(images.split('\n', Qt::SkipEmptyParts).size() >= 3, qPrintable(images));
}

void ListingPrintTest::cancelPrintsNothing() {
    TempApp app;
    composers(app, 5);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    PrintChooser chooser(QString{});
    QTest::mouseClick(w<QPushButton>(s, "BtnImprimir"), Qt::LeftButton);
    QCOMPARE(chooser.shown, 1);
    QVERIFY(QDir(app.folder()).entryList({"*.pdf"}).isEmpty());
    QVERIFY(app.messages.shown.empty());
}

// A printout that runs past the delay shows the progress window; "Cancelar" stops it at once,
// with no box, and the listing keeps its record.
void ListingPrintTest::longPrintoutCanBeStopped() {
    TempApp app;
    composers(app, 40);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    const long position = mdi.hub().Data[0].recordset().AbsolutePosition();
    int asked = 0;
    const QString pdf = app.folder() + "/listado.pdf";
    PrintChooser chooser(pdf);
    {
        ProgressAnswerer answering([&](QProgressDialog& window) {
            ++asked;
            return window.labelText() == mdi.hub().MensaImprimiendo;
        });
        QTest::mouseClick(w<QPushButton>(s, "BtnImprimir"), Qt::LeftButton);
    }
    QCOMPARE(chooser.shown, 1);
    QCOMPARE(asked, 1);
    QVERIFY(app.messages.shown.empty());
    QCOMPARE(mdi.hub().Data[0].recordset().AbsolutePosition(), position);
    // Stopped before the first record: nothing of the listing was printed.
    QVERIFY(!QFile::exists(pdf) ||
            !pdfText(pdf).contains(QRegularExpression(QStringLiteral("\\bN(1|40)\\b"))));
}

void ListingPrintTest::unwritableFileIsReported() {
    TempApp app;
    composers(app, 5);
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre"});
    PrintChooser chooser(app.folder() + "/no/such/folder/listado.pdf");
    QTest::mouseClick(w<QPushButton>(s, "BtnImprimir"), Qt::LeftButton);
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QCOMPARE(app.messages.shown[0].text, mdi.hub().MensaImpresionFallida);
    QCOMPARE(app.messages.shown[0].icon, QMessageBox::Critical);
    // The listing is untouched.
    QCOMPARE(numbers(s).size(), 5);
}

void ListingPrintTest::printsOtherRegister() {
    TempApp app;
    for (int i = 1; i <= 30; ++i)
        app.insert("Publicacion", {{"Titulo", QString("Libro %1").arg(i)},
                                   {"Editorial", QString("Editorial %1").arg(i)},
                                   {"Fecha", i == 2 ? 0 : 1900 + i}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 54);
    listar(s, {QString::fromUtf8("Título"), "Editorial", "Fecha"});
    const QString pdf = app.folder() + "/pub.pdf";
    PrintChooser chooser(pdf);
    QTest::mouseClick(w<QPushButton>(s, "BtnImprimir"), Qt::LeftButton);
    const QString all = pdfText(pdf);
    QVERIFY(all.contains(QString::fromUtf8("Publicación - Vídeo")));
    QVERIFY(all.contains(QString::fromUtf8("Histórico")));
    QVERIFY(all.contains(QStringLiteral("0 (Todos los Registros)")));
    for (int i = 1; i <= 30; ++i) {
        QVERIFY(all.contains(QString::fromUtf8("Nº %1\n").arg(i)));
        QVERIFY(all.contains(QString("Libro %1\n").arg(i)));
        QVERIFY(all.contains(QString("Editorial %1\n").arg(i)));
        if (i != 2) QVERIFY(all.contains(QString("%1").arg(1900 + i)));
    }
    const int pages = pdfPages(pdf);
    QVERIFY(pages >= 2);
    QVERIFY(pdfText(pdf, pages).contains(QString::fromUtf8("Página %1").arg(pages)));
}

// A record is never split after its picture: its number, picture and first field are printed
// on the same page, wherever the page breaks fall.
void ListingPrintTest::recordStartsWithItsFields() {
    TempApp app;
    const int kRecords = 14;
    for (int i = 1; i <= kRecords; ++i)
        app.insert("Compositor",
                   {{"Nombre", QString("N%1").arg(i)},
                    {"Apellidos", QString("A%1").arg(i)},
                    {"Fecha1", 1600 + i},
                    {"Fecha2", 1650 + i},
                    {"Notas", QString("Notas %1").arg(i)},
                    {"Imagen", makePicture(app.folder(), QString("p%1.png").arg(i), 60, 40)}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre", "Apellidos", "Fecha 1", "Fecha 2", "Notas", "Imagen"});
    const QString pdf = app.folder() + "/listado.pdf";
    PrintChooser chooser(pdf);
    QTest::mouseClick(w<QPushButton>(s, "BtnImprimir"), Qt::LeftButton);
    const int pages = pdfPages(pdf);
    QVERIFY(pages >= 3);
    int found = 0;
    for (int p = 1; p <= pages; ++p) {
        const QString page = pdfText(pdf, p);
        auto it = QRegularExpression(QString::fromUtf8("Nº (\\d+)\\n")).globalMatch(page);
        while (it.hasNext()) {
            const QString k = it.next().captured(1);
            ++found;
            QVERIFY2(
                QRegularExpression(QStringLiteral("Nombre:\\s+N%1\\n").arg(k))
                    .match(page)
                    .hasMatch(),
                qPrintable(QString("record %1 on page %2 without its first field").arg(k).arg(p)));
        }
    }
    QCOMPARE(found, kRecords);
}

// Every word of every page stands at least 15 mm from each edge of the sheet.
void ListingPrintTest::marginsOfFifteenMillimetres() {
    TempApp app;
    app.insert("Compositor",
               {{"Nombre", "Johann Sebastian"}, {"Apellidos", "Bach"}, {"Notas", longNotes(2500)}});
    FormMdi& mdi = app.enter();
    ListingScreen* s = openListing(mdi, 22);
    listar(s, {"Nombre", "Apellidos", "Notas"});
    const QString pdf = app.folder() + "/margenes.pdf";
    PrintChooser chooser(pdf);
    QTest::mouseClick(w<QPushButton>(s, "BtnImprimir"), Qt::LeftButton);
    QVERIFY(QFile::exists(pdf));
    const QString boxes = run("pdftotext", {"-bbox", pdf, "-"});
    const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)re");
    const auto pm = page.match(boxes);
    QVERIFY(pm.hasMatch());
    const double width = pm.captured(1).toDouble(), height = pm.captured(2).toDouble();
    const double margin = 15 / 25.4 * 72 - 0.5;  // points, with room for rounding
    double left = width, top = height, right = 0, bottom = 0;
    int words = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
        const auto m = it.next();
        left = qMin(left, m.captured(1).toDouble());
        top = qMin(top, m.captured(2).toDouble());
        right = qMax(right, m.captured(3).toDouble());
        bottom = qMax(bottom, m.captured(4).toDouble());
    }
    QVERIFY(words > 1000);
    QVERIFY2(left >= margin, qPrintable(QString::number(left)));
    QVERIFY2(top >= margin, qPrintable(QString::number(top)));
    QVERIFY2(width - right >= margin, qPrintable(QString::number(width - right)));
    QVERIFY2(height - bottom >= margin, qPrintable(QString::number(height - bottom)));
    // The text does use the width between the margins.
    QVERIFY(width - right < 3 * margin);
}

QTEST_MAIN(ListingPrintTest)
#include "test_listing_print.moc"
