// The catalogue's own indexes and triggers at start-up: one that another tool dropped is made
// again as a fresh catalogue has it, a text renamed while the key trigger was gone gets the key
// of its new text, and an own index that lacks rows refuses the file as damaged, naming it.
#include "store/own_objects.h"
#include "store/schema.h"
#include "tests/fixture.h"

namespace {

// Every index and trigger of the file, name and statement, in name order.
QStringList objectsOf(TempApp& app) {
    QStringList out;
    for (const QVariantMap& r : app.rows(
             "SELECT name, sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND sql IS "
             "NOT NULL ORDER BY name"))
        out << r["name"].toString() + ": " + r["sql"].toString();
    return out;
}

QString objectSql(TempApp& app, const QString& name) {
    return app.scalar("SELECT sql FROM sqlite_master WHERE name = '" + name + "'").toString();
}

}  // namespace

class OwnObjectsTest : public QObject {
    Q_OBJECT
  private slots:
    void listIsThatOfAFreshCatalogue();
    void droppedObjectsAreMadeAgain_data();
    void droppedObjectsAreMadeAgain();
    void renameWithoutTheKeyTriggerIsKeyedAgain();
    void ownIndexLackingRowsIsDamage();
};

// The list comes from the schema itself: every index and trigger a new catalogue has.
void OwnObjectsTest::listIsThatOfAFreshCatalogue() {
    TempApp app;
    QStringList listed;
    for (const schema::OwnObject& o : schema::ownObjects()) listed << o.name + ": " + o.sql;
    listed.sort();
    QCOMPARE(listed, objectsOf(app));
    QVERIFY(listed.size() > 40);
}

void OwnObjectsTest::droppedObjectsAreMadeAgain_data() {
    QTest::addColumn<QStringList>("dropped");  // empty: every index and trigger
    QTest::newRow("the key trigger") << QStringList{"trg_Compositor_claves"};
    QTest::newRow("the pending-keys index") << QStringList{"idx_Compositor_claves_pendientes"};
    QTest::newRow("the short fields' index") << QStringList{"idx_Orquesta_campos"};
    QTest::newRow("a sort index") << QStringList{"idx_Obra_Nombre", "idx_Obra_Fecha1"};
    QTest::newRow("a link trigger and index")
        << QStringList{"trg_Grabacion_links", "idx_GrabacionInterprete_Registro"};
    QTest::newRow("all of them") << QStringList();
}

void OwnObjectsTest::droppedObjectsAreMadeAgain() {
    QFETCH(QStringList, dropped);
    TempApp app;
    app.insert("Compositor", {{"Nombre", "Federico"}, {"Apellidos", "Mompou"}});
    QCOMPARE(schema::checkAndUpgrade(app.catalogue()), QString());
    const QStringList before = objectsOf(app);
    if (dropped.isEmpty())
        for (const schema::OwnObject& o : schema::ownObjects()) dropped << o.name;
    for (const QString& name : dropped) {
        const bool trigger = objectSql(app, name).startsWith("CREATE TRIGGER");
        QVERIFY2(!objectSql(app, name).isEmpty(), qPrintable(name));
        app.exec(QString(trigger ? "DROP TRIGGER %1" : "DROP INDEX %1").arg(name));
    }
    QCOMPARE(schema::checkAndUpgrade(app.catalogue()), QString());
    QCOMPARE(objectsOf(app), before);
    // A second start-up has nothing to make and writes nothing.
    const QByteArray bytes = bytesOf(app.catalogue());
    QCOMPARE(schema::checkAndUpgrade(app.catalogue()), QString());
    QCOMPARE(bytesOf(app.catalogue()), bytes);
}

// A rename made while the key trigger was gone left the old text's key: the start-up that makes
// the trigger again keys the table's texts again, and later renames are caught by the trigger.
void OwnObjectsTest::renameWithoutTheKeyTriggerIsKeyedAgain() {
    TempApp app;
    const qint64 a = app.insert("Compositor", {{"Apellidos", "Mompou"}});
    const qint64 b = app.insert("Compositor", {{"Apellidos", "Sor"}});
    QCOMPARE(schema::checkAndUpgrade(app.catalogue()), QString());
    app.exec("DROP TRIGGER trg_Compositor_claves");
    app.exec("UPDATE Compositor SET Apellidos = 'Ávila' WHERE Id = " + QString::number(b));
    app.exec("INSERT INTO Compositor (Apellidos) VALUES ('Ávila')");  // keyed at start-up
    const qint64 c = app.scalar("SELECT max(Id) FROM Compositor").toLongLong();
    auto sameKey = [&](qint64 x, qint64 y) {
        return app
            .scalar(QString("SELECT x.Apellidos_clave = y.Apellidos_clave FROM Compositor x, "
                            "Compositor y WHERE x.Id = %1 AND y.Id = %2")
                        .arg(x)
                        .arg(y))
            .toInt();
    };
    QCOMPARE(schema::checkAndUpgrade(app.catalogue()), QString());
    QCOMPARE(sameKey(b, c), 1);
    QCOMPARE(
        app.scalar("SELECT Id FROM Compositor ORDER BY Apellidos_clave, Id LIMIT 1").toLongLong(),
        b);
    QCOMPARE(sameKey(a, a), 1);
    app.exec("UPDATE Compositor SET Apellidos = 'Nin' WHERE Id = " + QString::number(a));
    QVERIFY(app.scalar("SELECT Apellidos_clave FROM Compositor WHERE Id = " + QString::number(a))
                .isNull());
}

// The index of rows without keys lacks two of them: the start-up refuses the file as damaged,
// names the index and leaves the file as it was.
void OwnObjectsTest::ownIndexLackingRowsIsDamage() {
    TempApp app;
    // Written by another tool: the rows have no sort keys yet.
    app.exec("INSERT INTO Compositor (Apellidos) VALUES ('Mompou'), ('Sor'), ('Nin'), ('Albéniz')");
    const QString index = "idx_Compositor_claves_pendientes";
    const QString sql = objectSql(app, index);
    const QString condition = sql.mid(sql.indexOf(" WHERE ") + 7);
    app.exec("DROP INDEX " + index);
    app.exec(
        QString("CREATE INDEX %1 ON Compositor (Id) WHERE (%2) AND Id > 2").arg(index, condition));
    app.exec(
        QString("PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = '%2' WHERE name = "
                "'%1'; PRAGMA writable_schema = OFF")
            .arg(index, sql));
    const QByteArray bytes = bytesOf(app.catalogue());
    const QString refusal = schema::checkAndUpgrade(app.catalogue());
    QVERIFY2(refusal.contains(QString::fromUtf8("está dañado")), qPrintable(refusal));
    QVERIFY2(refusal.contains(index), qPrintable(refusal));
    QVERIFY2(refusal.contains(app.catalogue()), qPrintable(refusal));
    QVERIFY2(!refusal.contains("actualizar"), qPrintable(refusal));
    QCOMPARE(bytesOf(app.catalogue()), bytes);
}

QTEST_MAIN(OwnObjectsTest)
#include "test_store_own_objects.moc"
