// The catalogue's recording links: the upgrade of an older catalogue that adds them, counting the
// recordings that use a record, writing and reading a recording's links, and the catalogue's own
// refusal to lose a link.
#include <sqlite3.h>

#include "shell/form_mdi.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/jet_dialect.h"
#include "store/record_links.h"
#include "store/schema.h"
#include "tests/fixture.h"

namespace {

qint64 composer(TempApp& app, const char* surname) {
    return app.insert("Compositor", {{"Nombre", "N"}, {"Apellidos", surname}});
}

}  // namespace

class RecordingLinksTest : public QObject {
    Q_OBJECT
  private slots:
    void versionOneCatalogueIsUpgradedWithItsRecords();
    void failedUpgradeLeavesCatalogueAsItWas();
    void recordingsUsingCounts_data();
    void recordingsUsingCounts();
    void writeAndReadBack();
    void rewriteReplacesLinks();
    void writeRefusesMissingRecordsAndOversizedSets_data();
    void writeRefusesMissingRecordsAndOversizedSets();
    void deletingRecordingTakesItsLinks();
    void catalogueRefusesDeletingUsedRecord_data();
    void catalogueRefusesDeletingUsedRecord();
};

void RecordingLinksTest::versionOneCatalogueIsUpgradedWithItsRecords() {
    TempApp app(false);
    makeCatalogue(app.catalogue(), 1);
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), 1);
    QVERIFY(app.scalar("SELECT name FROM sqlite_master WHERE name='GrabacionOrquesta'").isNull());
    qint64 bach = composer(app, "Bach");
    composer(app, "Händel");
    qint64 work = app.insert("Obra", {{"Nombre", "Misa en si menor"},
                                      {"Autor", "Bach"},
                                      {"Movimientos", "Kyrie#Gloria#"},
                                      {"Duraciones", "0:10:0#0:20:30#"},
                                      {"TiempoTotal", 1830},
                                      {"NumeroMovimientos", 2}});
    qint64 disc =
        app.insert("Soporte", {{"Discografica", "Archiv"}, {"NumeroCatalogo", "415 514"}});
    for (int i = 0; i < 3; ++i)
        app.insert("Interprete", {{"Apellidos", QString("Solista %1").arg(i)}});
    qint64 rec = app.insert("Grabacion", {{"CompositorId", bach},
                                          {"ObraId", work},
                                          {"SoporteId", disc},
                                          {"Notas", "Gardiner 1985"}});

    FormMdi mdi(app.folder());
    QVERIFY(mdi.Load());
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
    QCOMPARE(mdi.hub().ContCompositor(), 2);
    QCOMPARE(mdi.hub().reg[1].Cont, 1);
    QCOMPARE(mdi.hub().reg[4].Cont, 3);
    QCOMPARE(mdi.hub().reg[5].Cont, 1);
    QCOMPARE(mdi.hub().reg[6].Cont, 1);
    QCOMPARE(app.scalar("SELECT group_concat(Apellidos, ',') FROM Compositor").toString(),
             QString::fromUtf8("Bach,Händel"));
    QCOMPARE(app.scalar("SELECT Duraciones FROM Obra").toString(), QString("0:10:0#0:20:30#"));
    QCOMPARE(app.scalar("SELECT Notas FROM Grabacion").toString(), QString("Gardiner 1985"));
    for (const links::SetTable& t : links::setTables())
        QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + t.table).toInt(), 0);
    // The old recording keeps its links and takes a set.
    auto conn = mdi.hub().Data[6].connection();
    links::Recording r = links::read(*conn, rec);
    QCOMPARE(r.compositor, bach);
    QCOMPARE(r.obra, work);
    QCOMPARE(r.soporte, disc);
    r.interpretes = {1, 2};
    links::write(*conn, rec, r);
    QCOMPARE(links::recordingsUsing(mdi.context(), registers::kInterprete, 2), 1);
    QCOMPARE(links::recordingsUsing(mdi.context(), registers::kCompositor, bach), 1);
}

void RecordingLinksTest::failedUpgradeLeavesCatalogueAsItWas() {
    TempApp app(false);
    makeCatalogue(app.catalogue(), 1);
    composer(app, "Bach");
    // A view in the way of a link table: the step that indexes it fails.
    app.exec("CREATE VIEW GrabacionDirector AS SELECT Id FROM Director");
    FormMdi mdi(app.folder());
    QVERIFY(!mdi.Load());
    QCOMPARE(app.messages.shown.size(), size_t(1));
    QVERIFY2(app.messages.shown[0].text.contains(QString::fromUtf8("No se pudo actualizar")),
             qPrintable(app.messages.shown[0].text));
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), 1);
    QVERIFY(app.scalar("SELECT name FROM sqlite_master WHERE name='GrabacionOrquesta'").isNull());
    QCOMPARE(app.scalar("SELECT Apellidos FROM Compositor").toString(), QString("Bach"));
}

void RecordingLinksTest::recordingsUsingCounts_data() {
    QTest::addColumn<int>("global");
    QTest::addColumn<int>("which");  // 0 or 1: the first or second record of the register
    QTest::addColumn<int>("expected");
    QTest::newRow("composer used twice") << int(registers::kCompositor) << 0 << 2;
    QTest::newRow("composer unused") << int(registers::kCompositor) << 1 << 0;
    QTest::newRow("work used once") << int(registers::kObra) << 1 << 1;
    QTest::newRow("carrier used twice") << int(registers::kSoporte) << 0 << 2;
    QTest::newRow("orchestra in one set") << int(registers::kOrquesta) << 0 << 1;
    QTest::newRow("conductor unused") << int(registers::kDirector) << 1 << 0;
    QTest::newRow("performer in two sets") << int(registers::kInterprete) << 0 << 2;
    QTest::newRow("performer twice in one set counts once")
        << int(registers::kInterprete) << 1 << 1;
    QTest::newRow("recordings use no recording") << int(registers::kGrabacion) << 0 << 0;
    QTest::newRow("Registros II are never linked") << int(registers::kEvento) << 0 << 0;
}

void RecordingLinksTest::recordingsUsingCounts() {
    QFETCH(int, global);
    QFETCH(int, which);
    QFETCH(int, expected);
    TempApp app;
    QVector<qint64> keys[7];
    for (int r = 0; r <= registers::kSoporte; ++r) {
        const RegisterDef& d = registers::at(r);
        for (int i = 0; i < 2; ++i)
            keys[r] << app.insert(d.table,
                                  {{d.identifierColumns().first(), QString("x%1").arg(i)}});
    }
    keys[6] << 1;
    FormMdi& mdi = app.start();
    auto conn = mdi.hub().Data[6].connection();
    links::Recording a;
    a.compositor = keys[0][0];
    a.obra = keys[1][0];
    a.soporte = keys[5][0];
    a.orquestas = {keys[2][0]};
    a.interpretes = {keys[4][0], keys[4][1], keys[4][1]};
    links::Recording b;
    b.compositor = keys[0][0];
    b.obra = keys[1][1];
    b.soporte = keys[5][0];
    b.interpretes = {keys[4][0]};
    links::write(*conn, 0, a);
    links::write(*conn, 0, b);
    qint64 key = global < 7 ? keys[global].value(which) : 1;
    QCOMPARE(links::recordingsUsing(mdi.context(), global, key), expected);
}

void RecordingLinksTest::writeAndReadBack() {
    TempApp app;
    qint64 c = composer(app, "Bach");
    qint64 o1 = app.insert("Orquesta", {{"Nombre", "English Baroque Soloists"}});
    qint64 o2 = app.insert("Orquesta", {{"Nombre", "Monteverdi Choir"}, {"OrqGrpCor", 3}});
    qint64 d = app.insert("Director", {{"Apellidos", "Gardiner"}});
    qint64 s = app.insert("Soporte", {{"Discografica", "Archiv"}});
    FormMdi& mdi = app.start();
    auto conn = mdi.hub().Data[6].connection();
    links::Recording r;
    r.compositor = c;
    r.soporte = s;
    r.orquestas = {o2, o1};  // order of the set is kept, not key order
    r.directores = {d};
    r.notas = "Grabada en Londres; 'directo'";
    qint64 key = links::write(*conn, 0, r);
    QVERIFY(key > 0);
    links::Recording back = links::read(*conn, key);
    QCOMPARE(back.compositor, c);
    QCOMPARE(back.obra, qint64(0));
    QCOMPARE(back.soporte, s);
    QCOMPARE(back.orquestas, (QVector<qint64>{o2, o1}));
    QCOMPARE(back.directores, QVector<qint64>{d});
    QVERIFY(back.interpretes.isEmpty());
    QCOMPARE(back.notas, r.notas);
}

void RecordingLinksTest::rewriteReplacesLinks() {
    TempApp app;
    qint64 s = app.insert("Soporte", {{"Discografica", "Decca"}});
    QVector<qint64> p;
    for (int i = 0; i < 4; ++i) p << app.insert("Interprete", {{"Apellidos", QString::number(i)}});
    FormMdi& mdi = app.start();
    auto conn = mdi.hub().Data[6].connection();
    links::Recording r;
    r.soporte = s;
    r.interpretes = {p[0], p[1], p[2]};
    qint64 key = links::write(*conn, 0, r);
    r.interpretes = {p[3], p[0]};
    r.notas = "revisada";
    QCOMPARE(links::write(*conn, key, r), key);
    QCOMPARE(links::read(*conn, key).interpretes, (QVector<qint64>{p[3], p[0]}));
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM GrabacionInterprete").toInt(), 2);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 1);
    // A recording that is not there is not written.
    QVERIFY_THROWS_EXCEPTION(DbError, links::write(*conn, key + 10, r));
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 1);
}

void RecordingLinksTest::writeRefusesMissingRecordsAndOversizedSets_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("missing composer") << "composer";
    QTest::newRow("missing performer") << "performer";
    QTest::newRow("11 conductors") << "conductors";
    QTest::newRow("notes too long") << "notes";
}

void RecordingLinksTest::writeRefusesMissingRecordsAndOversizedSets() {
    QFETCH(QString, what);
    TempApp app;
    qint64 s = app.insert("Soporte", {{"Discografica", "Decca"}});
    QVector<qint64> dirs;
    for (int i = 0; i < 11; ++i)
        dirs << app.insert("Director", {{"Apellidos", QString::number(i)}});
    FormMdi& mdi = app.start();
    auto conn = mdi.hub().Data[6].connection();
    links::Recording ok;
    ok.soporte = s;
    qint64 key = links::write(*conn, 0, ok);
    links::Recording bad = ok;
    if (what == "composer") bad.compositor = 99;
    if (what == "performer") bad.interpretes = {99};
    if (what == "conductors") bad.directores = dirs;
    if (what == "notes") bad.notas = QString(registers::kNotesMax + 1, 'n');
    QVERIFY_THROWS_EXCEPTION(DbError, links::write(*conn, 0, bad));
    QVERIFY_THROWS_EXCEPTION(DbError, links::write(*conn, key, bad));
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Grabacion").toInt(), 1);
    QCOMPARE(app.scalar("SELECT CompositorId FROM Grabacion").toInt(), 0);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM GrabacionDirector").toInt(), 0);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM GrabacionInterprete").toInt(), 0);
}

void RecordingLinksTest::deletingRecordingTakesItsLinks() {
    TempApp app;
    qint64 o = app.insert("Orquesta", {{"Nombre", "Berliner Philharmoniker"}});
    qint64 d = app.insert("Director", {{"Apellidos", "Karajan"}});
    FormMdi& mdi = app.start();
    auto conn = mdi.hub().Data[6].connection();
    links::Recording r;
    r.orquestas = {o};
    r.directores = {d};
    qint64 first = links::write(*conn, 0, r);
    links::write(*conn, 0, r);
    DataControl& data = mdi.hub().Data[6];
    data.Refresh();
    QCOMPARE(data.recordset().currentKey(), first);
    data.recordset().Delete();
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM GrabacionOrquesta").toInt(), 1);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM GrabacionDirector WHERE GrabacionId = " +
                        QString::number(first))
                 .toInt(),
             0);
    QCOMPARE(links::recordingsUsing(mdi.context(), registers::kOrquesta, o), 1);
}

void RecordingLinksTest::catalogueRefusesDeletingUsedRecord_data() {
    QTest::addColumn<int>("global");
    for (int r = 0; r <= registers::kSoporte; ++r)
        QTest::newRow(qPrintable(registers::at(r).table)) << r;
}

void RecordingLinksTest::catalogueRefusesDeletingUsedRecord() {
    QFETCH(int, global);
    TempApp app;
    const RegisterDef& d = registers::at(global);
    qint64 used = app.insert(d.table, {{d.identifierColumns().first(), "usado"}});
    qint64 free = app.insert(d.table, {{d.identifierColumns().first(), "libre"}});
    FormMdi& mdi = app.start();
    links::Recording r;
    if (links::setTableOf(global))
        r.set(global) = {used};
    else
        r.setSingle(global, used);
    links::write(*mdi.hub().Data[6].connection(), 0, r);
    DataControl& data = mdi.hub().Data[global];
    data.Refresh();
    QCOMPARE(data.recordset().currentKey(), used);
    try {
        data.recordset().Delete();
        QFAIL("a record used by a recording was deleted");
    } catch (const DbError& e) {
        QCOMPARE(e.number, dberr::kRelatedRecords);
    }
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + d.table).toInt(), 2);
    data.recordset().MoveNext();
    QCOMPARE(data.recordset().currentKey(), free);
    data.recordset().Delete();
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM " + d.table).toInt(), 1);
}

QTEST_MAIN(RecordingLinksTest)
#include "test_recording_links.moc"
