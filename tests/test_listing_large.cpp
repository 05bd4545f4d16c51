// A listing of a million records: ordinals, pages and rows beyond the 16-bit range, to the very
// last record, the top record kept across zooms far down the selection, and the export of all.
#include <QFile>

#include "tests/test_listing_support.h"

using namespace lt;

class ListingLargeTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void lastPage_data();
    void lastPage();
    void zoomKeepsTopRecordFarDown();
    void returnToPageBeyond32767();
    void exportsEveryRecord();
    void cleanupTestCase();

  private:
    std::unique_ptr<TempApp> app_;
    ListingScreen* s_ = nullptr;
    static constexpr qint64 kRecords = 1000000;
};

void ListingLargeTest::initTestCase() {
    app_ = std::make_unique<TempApp>();
    composers(*app_, kRecords);
    FormMdi& mdi = app_->enter();
    QCOMPARE(qint64(mdi.hub().reg[0].ContSel), kRecords);
    s_ = openListing(mdi, 22);
    listar(s_, {"Nombre", "Apellidos"});
}

void ListingLargeTest::lastPage_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("pages");
    QTest::addColumn<qint64>("first");
    QTest::newRow("zoom 1") << 1 << 50000 << qint64(999981);
    QTest::newRow("zoom 3") << 3 << 166667 << qint64(999997);
    QTest::newRow("zoom 20") << 20 << 1000000 << kRecords;
}

void ListingLargeTest::lastPage() {
    QFETCH(int, zoom);
    QFETCH(int, pages);
    QFETCH(qint64, first);
    w<QScrollBar>(s_, "HScroll")->setValue(zoom);
    auto* v = w<QScrollBar>(s_, "VScroll");
    QCOMPARE(v->maximum(), pages);
    v->setValue(pages);
    QList<qint64> n = numbers(s_);
    QCOMPARE(n.first(), first);
    QCOMPARE(n.last(), kRecords);
    QVERIFY(!continues(s_));
    QCOMPARE(text(s_, int(n.size()), 2), QStringLiteral("A1000000"));
    QCOMPARE(s_->RegistroSuperior(), first);
    // The page before the last goes on.
    v->setValue(pages - 1);
    QVERIFY(continues(s_));
    QCOMPARE(numbers(s_).last(), first - 1);
}

void ListingLargeTest::zoomKeepsTopRecordFarDown() {
    auto* h = w<QScrollBar>(s_, "HScroll");
    auto* v = w<QScrollBar>(s_, "VScroll");
    h->setValue(1);
    v->setValue(40001);  // records 800001-800020
    QCOMPARE(s_->RegistroSuperior(), qint64(800001));
    h->setValue(5);  // 4 a page: page 200001
    QCOMPARE(v->value(), 200001);
    QCOMPARE(numbers(s_), QList<qint64>({800001, 800002, 800003, 800004}));
    QCOMPARE(text(s_, 1, 1), QStringLiteral("N800001"));
    h->setValue(11);
    QCOMPARE(v->value(), 800001);
    h->setValue(1);
    QCOMPARE(v->value(), 40001);
}

void ListingLargeTest::returnToPageBeyond32767() {
    FormMdi& mdi = *app_->mdi();
    w<QScrollBar>(s_, "HScroll")->setValue(2);
    w<QScrollBar>(s_, "VScroll")->setValue(70000);  // records 699991-700000
    s_ = nullptr;
    show(mdi, 15);
    s_ = openListing(mdi, 22);
    QCOMPARE(w<QScrollBar>(s_, "VScroll")->value(), 70000);
    QCOMPARE(numbers(s_).first(), qint64(699991));
    QCOMPARE(mdi.hub().reg[0].MemoLisPosicion, 70000);
}

void ListingLargeTest::exportsEveryRecord() {
    const QString path = app_->folder() + QStringLiteral("/todo.csv");
    auto* bar = w<QProgressBar>(s_, "ProgressBar");
    int moves = 0;
    connect(bar, &QProgressBar::valueChanged, this, [&] { ++moves; });
    app_->files.choose(path);
    QTest::mouseClick(w<QPushButton>(s_, "BtnExportar"), Qt::LeftButton);
    QCOMPARE(bar->maximum(), int(kRecords));
    QCOMPARE(moves, int(kRecords / 1000) + 1);  // every 1,000 records, then back to 0
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    qint64 lines = 0;
    QByteArray first, last;
    while (!f.atEnd()) {
        const QByteArray l = f.readLine();
        if (lines == 0) first = l;
        last = l;
        ++lines;
    }
    QCOMPARE(lines, kRecords + 1);
    QCOMPARE(first, QByteArray("\xEF\xBB\xBFNombre,Apellidos\r\n"));
    QCOMPARE(last, QByteArray("N1000000,A1000000\r\n"));
}

void ListingLargeTest::cleanupTestCase() {
    app_.reset();
}

QTEST_MAIN(ListingLargeTest)
#include "test_listing_large.moc"
