// Re-opening a data control after writes: whatever wrote (the recordset itself, another data
// control on the same file, another program), a re-open shows exactly what a first read of the
// source shows, with the first record current.
#include "store/engine.h"
#include "tests/fixture.h"

namespace {

// A first read of `source`, through a data control that has never read anything.
std::vector<qint64> freshKeys(const QString& file, const QString& source) {
    DataControl d;
    d.DatabaseName = file;
    d.RecordSource = source;
    d.Refresh();
    return d.recordset().keys();
}

}  // namespace

class StoreReopenTest : public QObject {
    Q_OBJECT
  private slots:
    void reopenShowsEveryWrite_data();
    void reopenShowsEveryWrite();
    void failedWriteThenReopen();
};

void StoreReopenTest::reopenShowsEveryWrite_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("writer");
    const QStringList sources = {"Compositor", "SELECT * FROM Compositor",
                                 "SELECT * FROM Compositor WHERE Fecha1 > 1700",
                                 "SELECT * FROM Compositor ORDER BY Apellidos DESC"};
    const QStringList writers = {"own add",
                                 "own edit",
                                 "own delete",
                                 "other program",
                                 "other control",
                                 "other table",
                                 "own add then other program"};
    for (const QString& s : sources)
        for (const QString& w : writers) QTest::newRow(qPrintable(s + " / " + w)) << s << w;
}

void StoreReopenTest::reopenShowsEveryWrite() {
    QFETCH(QString, source);
    QFETCH(QString, writer);
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Bach"}, {"Fecha1", 1685}});
    app.insert("Compositor", {{"Apellidos", "Albéniz"}, {"Fecha1", 1860}});
    app.insert("Compositor", {{"Apellidos", "Mozart"}, {"Fecha1", 1756}});
    DataControl d;
    d.DatabaseName = app.catalogue();
    d.RecordSource = source;
    d.Refresh();
    d.Refresh();  // twice, so the second re-open has a first read to go by
    Recordset& rs = d.recordset();
    QCOMPARE(rs.RecordCount(), long(freshKeys(app.catalogue(), source).size()));

    auto ownAdd = [&] {
        rs.AddNew();
        rs.setField("Apellidos", "Turina");
        rs.setField("Fecha1", "1882");
        rs.Update();
    };
    if (writer == "own add") {
        ownAdd();
    } else if (writer == "own edit") {
        // The edited record leaves the ordered and the filtered sources' order or set.
        rs.MoveFirst();
        rs.Edit();
        rs.setField("Apellidos", "Aaa");
        rs.setField("Fecha1", "1500");
        rs.Update();
    } else if (writer == "own delete") {
        rs.setAbsolutePosition(1);
        rs.Delete();
    } else if (writer == "other program") {
        app.exec("INSERT INTO Compositor (Apellidos, Fecha1) VALUES ('Falla', 1876)");
        app.exec("DELETE FROM Compositor WHERE Apellidos = 'Bach'");
    } else if (writer == "other control") {
        DataControl other;
        other.DatabaseName = app.catalogue();
        other.RecordSource = "Compositor";
        other.Refresh();
        other.recordset().Delete();
        other.recordset().AddNew();
        other.recordset().setField("Apellidos", "Granados");
        other.recordset().setField("Fecha1", "1867");
        other.recordset().Update();
    } else if (writer == "other table") {
        // Nothing of the composers changes; the re-open is right either way.
        DataControl other;
        other.DatabaseName = app.catalogue();
        other.RecordSource = "Obra";
        other.Refresh();
        other.recordset().AddNew();
        other.recordset().setField("Nombre", "Iberia");
        other.recordset().Update();
    } else if (writer == "own add then other program") {
        ownAdd();
        app.exec("DELETE FROM Compositor WHERE Apellidos = 'Turina'");
    }
    rs.MoveLast();
    d.Refresh();
    const std::vector<qint64> expected = freshKeys(app.catalogue(), source);
    QCOMPARE(rs.keys(), expected);
    QCOMPARE(rs.AbsolutePosition(), expected.empty() ? -1L : 0L);
    if (!expected.empty()) {
        const QString first =
            app.scalar(QString("SELECT Apellidos FROM Compositor WHERE Id = %1").arg(expected[0]))
                .toString();
        QCOMPARE(rs.Field("Apellidos"), first);
    }
}

void StoreReopenTest::failedWriteThenReopen() {
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Bach"}});
    DataControl d;
    d.DatabaseName = app.catalogue();
    d.RecordSource = "Compositor";
    d.Refresh();
    Recordset& rs = d.recordset();
    rs.AddNew();
    rs.setField("Apellidos", "Sor");
    bool refused = false;
    try {
        rs.setField("Fecha1", "mil");  // not a number: refused, nothing written
        rs.Update();
    } catch (const DbError&) {
        refused = true;
        rs.CancelUpdate();
    }
    QVERIFY(refused);
    app.exec("INSERT INTO Compositor (Apellidos) VALUES ('Falla')");
    d.Refresh();
    QCOMPARE(rs.keys(), freshKeys(app.catalogue(), "Compositor"));
    QCOMPARE(rs.RecordCount(), 2L);
}

QTEST_MAIN(StoreReopenTest)
#include "test_store_reopen.moc"
