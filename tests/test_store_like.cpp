// The engine's LIKE, as selections run it row after row inside SQLite, gives for every text
// exactly what jet::like gives for the same text read as a QString: accents, ñ, case, wildcards,
// and bytes that are not well-formed UTF-8.
#include <sqlite3.h>

#include <QRandomGenerator>
#include <QtTest>

#include "store/jet_dialect.h"

class StoreLikeTest : public QObject {
    Q_OBJECT
  private slots:
    void sqlLikeMatchesJetLike();
    void costGrowsWithTextTimesPattern_data();
    void costGrowsWithTextTimesPattern();
    void agreesWithPlainBacktracking();
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

void StoreLikeTest::costGrowsWithTextTimesPattern_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("match");
    const QString as(2000, QLatin1Char('a'));
    QTest::newRow("classes and stars, no match") << as << "[a]*[a]*b" << false;
    QTest::newRow("classes and stars, match") << as + "b"
                                              << "[a]*[a]*b" << true;
    QTest::newRow("many stars") << as << "*a*a*a*a*a*a*a*b" << false;
    QTest::newRow("negated classes") << as << "*[!b]*[!b]*[!b]*[a-c]#" << false;
    QTest::newRow("one-character tokens") << as << "*??????????b*" << false;
    QTest::newRow("digits") << QString(2000, QLatin1Char('7')) << "*#*#*#*#x" << false;
    QTest::newRow("long note, contains") << QString(25000, QLatin1Char('n')) + "Bach"
                                         << "*bach*" << true;
}

// The matcher's work is bounded by the text's length times the pattern's, whatever the pattern:
// a "Contiene" value such as "[a]*[a]*b" cannot make a long text take minutes. Counted in
// comparisons, not in time.
void StoreLikeTest::costGrowsWithTextTimesPattern() {
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, match);
    qint64 steps = 0;
    QCOMPARE(jet::like(text, pattern, &steps), match);
    QVERIFY(steps > 0);
    // Each back-track moves the star's start in the text on by one; between two, every pattern
    // token is tried at most once.
    const qint64 n = text.size(), m = pattern.size();
    QVERIFY2(steps <= (n + m + 2) * (m + 1), qPrintable(QString::number(steps)));
}

namespace {

// Plain recursive backtracking over the pattern, exponential but plainly right; for short texts
// of characters that folding leaves alone.
bool reference(const QString& t, int ti, const QString& p, int pi) {
    while (pi < p.size()) {
        const QChar pc = p[pi];
        if (pc == '*') {
            while (pi < p.size() && p[pi] == '*') ++pi;
            for (int k = ti; k <= t.size(); ++k)
                if (reference(t, k, p, pi)) return true;
            return false;
        }
        if (ti >= t.size()) return false;
        if (pc == '?' || (pc == '#' && t[ti].isDigit())) {
            ++ti, ++pi;
            continue;
        }
        if (pc == '#') return false;
        if (pc == '[') {
            int close = p.indexOf(']', pi + 2);
            if (close > 0) {
                int k = pi + 1;
                const bool negate = p[k] == '!';
                if (negate) ++k;
                bool hit = false;
                for (; k < close; ++k) {
                    if (k + 2 < close && p[k + 1] == '-') {
                        hit |= t[ti] >= p[k] && t[ti] <= p[k + 2];
                        k += 2;
                    } else {
                        hit |= t[ti] == p[k];
                    }
                }
                if (hit == negate) return false;
                ++ti;
                pi = close + 1;
                continue;
            }
        }
        if (t[ti] != pc) return false;
        ++ti, ++pi;
    }
    return ti == t.size();
}

QString randomText(QRandomGenerator& g, const QString& alphabet, int most) {
    QString out;
    const int n = int(g.bounded(most + 1));
    for (int i = 0; i < n; ++i) out += alphabet[int(g.bounded(alphabet.size()))];
    return out;
}

}  // namespace

// Every wildcard, bracket, range, negation, unclosed bracket and run of stars gives the answer of
// plain backtracking.
void StoreLikeTest::agreesWithPlainBacktracking() {
    QRandomGenerator g(20240607);
    const QString textAlphabet = QStringLiteral("ab1-]![*?#");
    const QString patternAlphabet = QStringLiteral("ab1-]![[**?#");
    int matches = 0;
    for (int i = 0; i < 200000; ++i) {
        const QString t = randomText(g, textAlphabet, 8);
        const QString p = randomText(g, patternAlphabet, 9);
        const bool expected = reference(t, 0, p, 0);
        if (jet::like(t, p) != expected)
            QFAIL(qPrintable(QString("'%1' LIKE '%2': expected %3").arg(t, p).arg(expected)));
        matches += expected;
    }
    // Both answers are well represented.
    QVERIFY(matches > 5000 && matches < 195000);
}

QTEST_MAIN(StoreLikeTest)
#include "test_store_like.moc"
