// The engine's LIKE, as selections run it row after row inside SQLite, gives for every text
// exactly what jet::like gives for the same text read as a QString: accents, ñ, case, wildcards,
// and bytes that are not well-formed UTF-8.
#include <sqlite3.h>

#include <QtTest>

#include "store/jet_dialect.h"

class StoreLikeTest : public QObject {
    Q_OBJECT
  private slots:
    void sqlLikeMatchesJetLike();
};

void StoreLikeTest::sqlLikeMatchesJetLike() {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
    jet::install(db);
    QCOMPARE(sqlite3_exec(db, "CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT)", nullptr, nullptr,
                          nullptr),
             SQLITE_OK);
    const QList<QByteArray> texts = {
        "Rodríguez",
        "RODRIGUEZ",
        "Peña Muñoz",
        "Pena",
        "Dvořák",
        "Ibáñez 1685",
        "",
        "ez",
        "Manuscrito hallado en Sevilla en 1781, con anotaciones",
        "\xEF\xBB\xBF"
        "Bach",                    // a byte-order mark first
        "Gonz\xE1lez",             // Latin-1, not UTF-8
        "abc\xC0\xAFz",            // overlong "/"
        "x\xED\xA0\x80y",          // an encoded surrogate
        "\xF4\x90\x80\x80",        // past U+10FFFF
        "Falla \xF0\x9F\x8E\xBB",  // a 4-byte character
        "trunc\xE2\x82",           // cut short
    };
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t (v) VALUES (?1)", -1, &ins, nullptr);
    for (const QByteArray& b : texts) {
        sqlite3_bind_text(ins, 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        QCOMPARE(sqlite3_step(ins), SQLITE_DONE);
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    const QList<QByteArray> patterns = {"*ez*",
                                        "*EZ",
                                        "rodriguez",
                                        "*ñ*",
                                        "*n*",
                                        "Pe?a*",
                                        "*#*",
                                        "*[a-c]*",
                                        "[!r]*",
                                        "*á*",
                                        "**",
                                        "*",
                                        "",
                                        "*man*sevilla*17##*",
                                        "*o*u*e*",
                                        "\xEF\xBB\xBF"
                                        "*",
                                        "*\xE1*",
                                        "*z",
                                        "Dvo?ak"};
    sqlite3_stmt* q = nullptr;
    // One statement over every row, so the pattern is folded once and kept between rows.
    sqlite3_prepare_v2(db, "SELECT v, v LIKE ?1 FROM t ORDER BY id", -1, &q, nullptr);
    int checked = 0;
    for (const QByteArray& p : patterns) {
        sqlite3_bind_text(q, 1, p.constData(), int(p.size()), SQLITE_TRANSIENT);
        while (sqlite3_step(q) == SQLITE_ROW) {
            const QByteArray v(reinterpret_cast<const char*>(sqlite3_column_text(q, 0)),
                               sqlite3_column_bytes(q, 0));
            const bool expected = jet::like(QString::fromUtf8(v), QString::fromUtf8(p));
            if ((sqlite3_column_int(q, 1) != 0) != expected)
                QFAIL(qPrintable(QString("'%1' LIKE '%2': SQL %3, jet::like %4")
                                     .arg(QString::fromUtf8(v), QString::fromUtf8(p))
                                     .arg(sqlite3_column_int(q, 1))
                                     .arg(expected)));
            ++checked;
        }
        sqlite3_reset(q);
    }
    sqlite3_finalize(q);
    sqlite3_close(db);
    QCOMPARE(checked, int(texts.size() * patterns.size()));
    // A few answers known by hand, so both sides cannot be wrong together.
    QVERIFY(jet::like("Rodríguez", "*EZ"));
    QVERIFY(jet::like(QString::fromUtf8("Peña"), "Pe?a"));
    QVERIFY(!jet::like("Pena", QString::fromUtf8("*ñ*")));
    QVERIFY(jet::like(QString::fromUtf8("Dvořák"), "dvorak"));
}

QTEST_MAIN(StoreLikeTest)
#include "test_store_like.moc"
