// The check a compaction runs on the catalogue: a sound catalogue has none of its indexes rebuilt;
// an index whose entries are not exactly its table's rows, in order, is sent to be rebuilt.
#include <sqlite3.h>

#include "store/engine.h"
#include "store/index_check.h"
#include "store/registers.h"
#include "tests/fixture.h"

namespace {

QStringList toRebuild(const QString& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(file));
    QStringList found;
    try {
        found = indexcheck::indexesToRebuild(db);
    } catch (const DbError& e) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
    found.sort();
    return found;
}

// Records in every register, with accents, ñ, empty texts and repeated values.
void fillEveryRegister(TempApp& app) {
    const QStringList texts = {"Álvarez", "alvarez", "", "Ñúñez", "b", "B", "Zoé", "alvarez"};
    for (const RegisterDef& d : registers::all()) {
        for (int i = 0; i < 8; ++i) {
            QVariantMap values;
            for (const FieldDef& f : d.fields) {
                if (f.kind == FieldKind::Link)
                    values[f.column] = 1 + i % 2;
                else
                    values[f.column] =
                        f.isNumeric() ? QVariant(1700 + (i * 37) % 5) : QVariant(texts[i]);
            }
            app.insert(d.table, values);
        }
    }
    app.exec(
        "INSERT INTO GrabacionInterprete (GrabacionId, Orden, RegistroId) VALUES (1, 0, 2), "
        "(1, 1, 1), (2, 0, 2)");
    app.exec("INSERT INTO GrabacionOrquesta (GrabacionId, Orden, RegistroId) VALUES (1, 0, 1)");
}

}  // namespace

class IndexCheckTest : public QObject {
    Q_OBJECT
  private slots:
    void soundCatalogueKeepsItsIndexes();
    void damageIsFound_data();
    void damageIsFound();
    void emptyRequiredFieldIsRefused_data();
    void emptyRequiredFieldIsRefused();
};

// Every register of the program, and a table another tool added with numbers held as REAL
// (whole ones are stored as integers), every kind of value in one column, and a unique index.
void IndexCheckTest::soundCatalogueKeepsItsIndexes() {
    TempApp app;
    fillEveryRegister(app);
    app.exec(
        "CREATE TABLE Otra (x REAL, y, z TEXT NOT NULL); "
        "CREATE INDEX idx_Otra_xy ON Otra (x, y); CREATE UNIQUE INDEX idx_Otra_z ON Otra (z); "
        "CREATE UNIQUE INDEX idx_Otra_y ON Otra (y); "
        "INSERT INTO Otra VALUES (3.0, NULL, 'a'), (2.5, x'00ff', 'b'), (1, 'texto', 'c'), "
        "(NULL, 7, 'd'), (-0.0, 2.0, 'e'), (1e300, -3.5, 'f'), (3, NULL, 'g'), "
        "(9007199254740993, x'', 'h'), (2.5, '', 'i')");
    QCOMPARE(toRebuild(app.catalogue()), QStringList());
}

void IndexCheckTest::damageIsFound_data() {
    QTest::addColumn<QStringList>("damage");  // each on a connection of its own
    QTest::addColumn<QString>("index");
    QTest::addColumn<bool>("damaged");  // as the engine's own full check sees it
    auto rewrite = [](const QString& index, const QString& sql) {
        return QString(
                   "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = '%2' WHERE "
                   "name = '%1'; PRAGMA writable_schema = OFF")
            .arg(index, sql);
    };
    QTest::newRow("entries of another column")
        << QStringList{rewrite("idx_Compositor_Apellidos",
                               "CREATE INDEX idx_Compositor_Apellidos ON Compositor (Nombre)")}
        << "idx_Compositor_Apellidos" << true;
    // The same entries as the table's rows, in an order the index's own does not keep: only the
    // order shows it.
    QTest::newRow("entries out of order")
        << QStringList{"CREATE INDEX idx_x ON Compositor (Nombre COLLATE NOCASE)",
                       rewrite("idx_x", "CREATE INDEX idx_x ON Compositor (Nombre)")}
        << "idx_x" << true;
    QTest::newRow("entries missing")
        << QStringList{"CREATE INDEX idx_x ON Compositor (Nombre) WHERE Id > 2",
                       rewrite("idx_x", "CREATE INDEX idx_x ON Compositor (Nombre)")}
        << "idx_x" << true;
    // The index is lent to another table while a row is deleted, so it keeps that row's entry.
    auto lend = [](const QString& table) {
        return QString(
                   "PRAGMA writable_schema = ON; UPDATE sqlite_master SET tbl_name = '%1', "
                   "sql = 'CREATE INDEX idx_x ON %1 (Nombre)' WHERE name = 'idx_x'; "
                   "PRAGMA writable_schema = OFF")
            .arg(table);
    };
    QTest::newRow("an entry of a deleted row")
        << QStringList{"CREATE TABLE Otra (Nombre TEXT)",
                       "CREATE INDEX idx_x ON Compositor (Nombre)", lend("Otra"),
                       "DELETE FROM Compositor WHERE Id = 2", lend("Compositor")}
        << "idx_x" << true;
    // A partial index is read through its condition, which hides the entries of rows it excludes.
    QTest::newRow("a partial index with entries its condition excludes")
        << QStringList{"CREATE INDEX idx_x ON Compositor (Nombre)",
                       rewrite("idx_x", "CREATE INDEX idx_x ON Compositor (Nombre) WHERE Id > 2")}
        << "idx_x" << true;
    QTest::newRow("a partial index without an entry its condition calls for")
        << QStringList{"CREATE INDEX idx_x ON Compositor (Nombre) WHERE Id > 2",
                       rewrite("idx_x", "CREATE INDEX idx_x ON Compositor (Nombre) WHERE Id > 1")}
        << "idx_x" << true;
    // Entries and table agree, but the unique index holds one key twice.
    QTest::newRow("a repeated key of a unique index")
        << QStringList{"CREATE INDEX idx_x ON Compositor (Nombre)",
                       rewrite("idx_x", "CREATE UNIQUE INDEX idx_x ON Compositor (Nombre)")}
        << "idx_x" << true;
    QTest::newRow("an index of an expression, which only a rebuild reads")
        << QStringList{"CREATE INDEX idx_x ON Compositor (lower(Nombre))"} << "idx_x" << false;
}

void IndexCheckTest::damageIsFound() {
    QFETCH(QStringList, damage);
    QFETCH(QString, index);
    QFETCH(bool, damaged);
    TempApp app;
    const QStringList names = {"b", "A", "a", "B", "c", "a"};
    for (int i = 0; i < names.size(); ++i)
        app.insert("Compositor", {{"Nombre", names[i]}, {"Apellidos", QString("S%1").arg(i % 3)}});
    QCOMPARE(toRebuild(app.catalogue()), QStringList());
    for (const QString& step : damage) app.exec(step);
    QCOMPARE(app.scalar("PRAGMA integrity_check").toString() != "ok", damaged);
    QCOMPARE(toRebuild(app.catalogue()), QStringList{index});
}

void IndexCheckTest::emptyRequiredFieldIsRefused_data() {
    QTest::addColumn<QString>("column");
    QTest::newRow("a field an index holds") << "Apellidos";
    QTest::newRow("a field no index holds") << "Notas";
}

// A NULL where the table says NOT NULL: the check names the field and the row.
void IndexCheckTest::emptyRequiredFieldIsRefused() {
    QFETCH(QString, column);
    TempApp app;
    for (int i = 0; i < 3; ++i)
        app.insert("Compositor", {{"Apellidos", QString("A%1").arg(i)}, {"Notas", "nota"}});
    for (const QString& step :
         {QString("UPDATE sqlite_master SET sql = replace(sql, '%1 TEXT NOT NULL', '%1 TEXT') "
                  "WHERE name = 'Compositor'"),
          QString("UPDATE Compositor SET %1 = NULL WHERE Id = 2"),
          QString("UPDATE sqlite_master SET sql = replace(sql, '%1 TEXT', '%1 TEXT NOT NULL') "
                  "WHERE name = 'Compositor'")})
        app.exec("PRAGMA writable_schema = ON; " + step.arg(column) +
                 "; PRAGMA writable_schema = OFF");
    try {
        toRebuild(app.catalogue());
        QFAIL("the empty field was not found");
    } catch (const DbError& e) {
        QCOMPARE(e.number, dberr::kNotCatalogue);
        QVERIFY2(e.detail.contains("Compositor." + column) && e.detail.contains("fila 2"),
                 qPrintable(e.detail));
    }
}

QTEST_MAIN(IndexCheckTest)
#include "test_store_index_check.moc"
