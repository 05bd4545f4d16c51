// The catalogue as a plain SQLite file: the sort keys kept beside the texts order and compare as
// the program's collation does, every selection gives what a plain evaluation of its filters
// gives, another SQLite tool can check, write and query the file, and an older catalogue is
// upgraded with all its records.
#include <sqlite3.h>

#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <algorithm>

#include "selection/apply.h"
#include "selection/filter_text.h"
#include "shell/form_mdi.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/jet_dialect.h"
#include "store/ordered_selection.h"
#include "store/record_links.h"
#include "store/record_store.h"
#include "store/schema.h"
#include "tests/fixture.h"

namespace {

// Texts that tell the rules apart: case, accents (which only break ties), ñ after n, the
// pattern characters, quotes, the empty text, prefixes, letters past Latin-1.
const QStringList& trickyTexts() {
    static const QStringList t = {
        "José",      "Jose",      "JOSÉ",      "jose",   "JOSE",   "Núñez",    "Nunez",
        "nuñez",     "Ñandú",     "nandu",     "Óscar",  "oscar",  "Zoë",      "zoe",
        "?",         "#1",        "1",         "[a-c]",  "a-c",    "",         "O'Brien",
        "o'brien",   "Ana María", "ana maria", "Dvořák", "dvorak", "Ærø",      "straße",
        "🎻 cuerdas", "abc",       "ABC",       "ab",     "a b",    "ábc",      "\"comillas\"",
        "ñ",         "n",         "o",         "Zz",     "a%b_c",  "Élan",     "elan",
        "É",         "é",         "e",         "Ü",      "u",      "BWV 1051", "BWV 147",
        "bwv 21",    "Op. 007",   "op. 7",     "2.10",   "2.5"};
    return t;
}

QString longNote(int i) {
    const QString& t = trickyTexts()[i % trickyTexts().size()];
    return QString("Manuscrito %1 ").arg(i).repeated(120) + t + QString(" fin");
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

struct Row {
    qint64 id;
    QMap<QString, QString> texts;
};

// The selection evaluated by the rules themselves, row by row, with no engine.
std::vector<qint64> plainSelection(const QList<Row>& rows, const QString& column, const QString& op,
                                   const QString& value, const QString& sortColumn, int direction) {
    QList<Row> hits;
    for (const Row& r : rows) {
        const QString text = r.texts.value(column);
        bool in = false;
        if (op == " = ")
            in = jet::compare(text, value) == 0;
        else if (op == " < ")
            in = jet::compare(text, value) < 0;
        else if (op == " > ")
            in = jet::compare(text, value) > 0;
        else if (op == " LIKE ")
            in = jet::like(text, "*" + value + "*");
        else if (op == " NOT LIKE ")
            in = !jet::like(text, "*" + value + "*");
        if (in) hits << r;
    }
    if (direction != 0)
        std::stable_sort(hits.begin(), hits.end(), [&](const Row& a, const Row& b) {
            const QString x = a.texts.value(sortColumn), y = b.texts.value(sortColumn);
            const int c = sortColumn == "Fecha1" ? sign(x.toInt() - y.toInt()) : jet::compare(x, y);
            return c != 0 ? (direction > 0 ? c < 0 : c > 0) : a.id < b.id;
        });
    std::vector<qint64> ids;
    for (const Row& r : hits) ids.push_back(r.id);
    return ids;
}

// Runs the sqlite3 shell on the catalogue; returns its output, empty on failure.
QString shell(const QString& catalogue, const QString& sql, QString* errors) {
    QProcess p;
    p.start(QStandardPaths::findExecutable("sqlite3"), {"-batch", "-bail", catalogue, sql});
    p.waitForFinished(60000);
    *errors = QString::fromUtf8(p.readAllStandardError());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::vector<qint64> sortedSurnames(LoadedHub& h, const QString& direction = " ASC") {
    selection::applyStatement(h.hub, registers::kCompositor,
                              "SELECT * FROM Compositor ORDER BY Apellidos" + direction);
    return h.hub.Data[registers::kCompositor].recordset().keys();
}

// Texts in the order a collector expects: a run of digits weighs as its number wherever it
// stands, equal numbers with more leading zeros come after, runs longer than any machine word
// are still ordered by value.
const QStringList& naturalOrder() {
    static const QStringList t = {
        "",
        "0",
        "00",
        "1",
        "01",
        "001",
        "2",
        "2.5",
        "2.10",
        "9",
        "10",
        "010",
        "99",
        "100",
        "18446744073709551616",  // 2^64
        QString(253, '9'),
        "1" + QString(253, '0'),
        "1" + QString(299, '0'),
        "a",
        "a 2",
        "a1",
        "a2",
        "A2",  // case is ignored: equal to "a2", kept in entry order
        "a10",
        "a10b",
        "a11",
        "ab",
        "BWV 21",
        "BWV 147",
        "BWV 147a",
        "BWV 1051",
        "Ñ 1",
        "Op. 2 n.º 1",
        "Op. 2 n.º 3",
        "Op. 10 n.º 2",
        "Sinfonia 2",
        "Sinfonía 2",
        "Sinfonía 9",
        "Sinfonia 10",
        "Sinfonía 10",
        "Sinfonía 10 en mi",
    };
    return t;
}

}  // namespace

class PlainFileTest : public QObject {
    Q_OBJECT
  private slots:
    void sortKeysOrderAsTheCollation();
    void digitRunsSortByTheirValue();
    void selectionsFollowTheNaturalOrder();
    void selectionsMatchPlainEvaluation();
    void likeOnStoredBytesMatchesTheRules();
    void stockShellReadsAndWritesTheCatalogue();
    void textsChangedByAnotherToolAreKeyedAgain();
    void versionTwoCatalogueIsUpgradedWhole();
    void versionThreeCatalogueGetsNaturalOrderKeys();
    void upgradeShowsItsProgressAndCanBeCancelled_data();
    void upgradeShowsItsProgressAndCanBeCancelled();
};

void PlainFileTest::sortKeysOrderAsTheCollation() {
    QStringList texts = trickyTexts();
    texts << QString(QChar(0)) << QString("a") + QChar(0) << "a\xC2\x80" << QString(300, 'x')
          << QString::fromUcs4(U"\U0001F3BB\U0001F3BC") << "~"
          << "}"
          << "\x7F";
    for (const QString& a : texts)
        for (const QString& b : texts) {
            const QByteArray ka = jet::sortKey(a), kb = jet::sortKey(b);
            const int bytes = sign(ka.compare(kb));
            QVERIFY2(bytes == sign(jet::compare(a, b)),
                     qPrintable(QString("%1 / %2").arg(a.toHtmlEscaped(), b.toHtmlEscaped())));
        }
    // Plain Latin text costs about a byte a letter.
    QCOMPARE(jet::sortKey("Beethoven").size(), 9);
    QCOMPARE(jet::sortKey("Núñez").size(), 5 + 1 + 1 + 3);  // ñ is a letter, ú an accent
}

void PlainFileTest::digitRunsSortByTheirValue() {
    const QStringList& t = naturalOrder();
    for (int i = 0; i < t.size(); ++i)
        for (int j = 0; j < t.size(); ++j) {
            const bool same = t[i].compare(t[j], Qt::CaseInsensitive) == 0;
            const int want = same ? 0 : sign(i - j);
            QVERIFY2(sign(jet::compare(t[i], t[j])) == want,
                     qPrintable(QString("%1 / %2").arg(t[i].left(30), t[j].left(30))));
            QVERIFY2(sign(jet::sortKey(t[i]).compare(jet::sortKey(t[j]))) == want,
                     qPrintable(QString("%1 / %2").arg(t[i].left(30), t[j].left(30))));
        }
}

// The order, "=", "<" and ">" of a selection on a text follow the numbers in it; "Contiene"
// still looks for the digits as typed.
void PlainFileTest::selectionsFollowTheNaturalOrder() {
    TempApp app;
    const QStringList& t = naturalOrder();
    QList<int> shuffled;
    for (int i = 0; i < t.size(); ++i) shuffled << (i * 17) % t.size();
    QCOMPARE(QSet<int>(shuffled.begin(), shuffled.end()).size(), t.size());
    QMap<qint64, int> place;
    for (int i : shuffled) place.insert(app.insert("Compositor", {{"Apellidos", t[i]}}), i);
    std::vector<qint64> want = std::vector<qint64>(place.keyBegin(), place.keyEnd());
    std::stable_sort(want.begin(), want.end(), [&](qint64 a, qint64 b) {
        const int pa = place[a] == t.indexOf("A2") ? place[a] - 1 : place[a];
        const int pb = place[b] == t.indexOf("A2") ? place[b] - 1 : place[b];
        return pa < pb;
    });
    LoadedHub h(app);
    for (ordered::Way way : {ordered::Way::Walk, ordered::Way::Sort}) {
        ordered::forceWay(way);
        QCOMPARE(sortedSurnames(h), want);
        ordered::forceWay(ordered::Way::None);
    }
    auto surnames = [&](const QString& where) {
        selection::applyStatement(h.hub, 0, "SELECT * FROM Compositor WHERE " + where);
        QStringList out;
        Recordset& rs = h.hub.Data[0].recordset();
        for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) out << rs.Field("Apellidos");
        out.sort();
        return out;
    };
    QCOMPARE(surnames("Apellidos = 'bwv 147'"), QStringList{"BWV 147"});
    QCOMPARE(surnames("Apellidos > 'BWV 147a' AND Apellidos < 'Op. 2 n.º 3'"),
             (QStringList{"BWV 1051", "Op. 2 n.º 1", "Ñ 1"}));
    QCOMPARE(surnames("Apellidos < '01' AND Apellidos > '0'"), (QStringList{"00", "1"}));
    QCOMPARE(surnames("Apellidos LIKE '*10*' AND Apellidos LIKE 'S*'"),
             (QStringList{"Sinfonia 10", "Sinfonía 10", "Sinfonía 10 en mi"}));
}

// Every criterion on a keyed text, a text without key (the notes) and with each order gives
// exactly the records, in exactly the order, that the rules give one row at a time.
void PlainFileTest::selectionsMatchPlainEvaluation() {
    TempApp app;
    QList<Row> rows;
    const QStringList& t = trickyTexts();
    for (int i = 0; i < t.size() * 2; ++i) {
        Row r;
        r.texts["Apellidos"] = t[i % t.size()];
        r.texts["Nombre"] = t[(i * 7 + 3) % t.size()];
        r.texts["Notas"] = i % 5 == 0 ? QString() : longNote(i);
        r.texts["Fecha1"] = QString::number(1700 + (i % 7) * 50);
        r.id = app.insert("Compositor", {{"Fecha1", r.texts["Fecha1"].toInt()},
                                         {"Apellidos", r.texts["Apellidos"]},
                                         {"Nombre", r.texts["Nombre"]},
                                         {"Notas", r.texts["Notas"]}});
        rows << r;
    }
    LoadedHub h(app);
    const QStringList values = {"jose",  "José",          "JOSÉ",  "ñ",       "n",      "?", "#",
                                "[a-c]", "[!a-c]",        "",      "O'Brien", "dvořák", "a", "Z",
                                "é",     "manuscrito 7 ", "a%b_c", "🎻"};
    const QStringList ops = {" = ", " < ", " > ", " LIKE ", " NOT LIKE "};
    for (const char* column : {"Apellidos", "Nombre", "Notas"}) {
        const VocabItem field{column, column};
        for (const QString& op : ops)
            for (const QString& value : values)
                for (int direction : {0, 1, -1})
                    for (const char* sortColumn : {"Apellidos", "Fecha1"}) {
                        QString valor = value;
                        const QString condition = selection::term(field, op, valor);
                        const QString statement =
                            selection::selectStatement("Compositor", condition, sortColumn,
                                                       direction == 0  ? "Nada"
                                                       : direction > 0 ? " ASC"
                                                                       : " DESC");
                        const auto want =
                            plainSelection(rows, column, op, value, sortColumn, direction);
                        // A sort walks the field's index or sorts the matches: both, every time.
                        for (ordered::Way way : {ordered::Way::Walk, ordered::Way::Sort}) {
                            ordered::forceWay(way);
                            selection::applyStatement(h.hub, registers::kCompositor, statement);
                            ordered::forceWay(ordered::Way::None);
                            const auto got = h.hub.Data[registers::kCompositor].recordset().keys();
                            QVERIFY2(got == want, qPrintable(statement));
                            if (direction == 0) break;
                            if (!want.empty()) QCOMPARE(ordered::lastWay(), way);
                        }
                    }
    }
}

// Notes as another tool may store them, malformed UTF-8 included: the selection's LIKE on the
// stored bytes agrees with the rules applied to the text as the program reads it.
void PlainFileTest::likeOnStoredBytesMatchesTheRules() {
    TempApp app;
    const QList<QByteArray> stored = {"Manuscrito",
                                      "xmanuscríto",
                                      "MANUSCRITO final",
                                      "ma",
                                      "m",
                                      "",
                                      "a\xC3",
                                      "\x80ma",
                                      "ma\xC0\xAF",
                                      "\xEF\xBB\xBFma",
                                      "ma \xED\xA0\x80",
                                      "\xE2\x84\xAA",
                                      "nu\xC3\xB1o",
                                      "\xF0\x9F\x8E\xBB ma",
                                      "x\xF4\x90\x80\x80",
                                      "MA\xC3\x81"};
    QMap<qint64, QString> text;
    for (const QByteArray& b : stored) {
        app.exec("INSERT INTO Compositor (Apellidos, Notas) VALUES ('x', CAST(x'" + b.toHex() +
                 "' AS TEXT))");
        text.insert(app.scalar("SELECT max(Id) FROM Compositor").toLongLong(),
                    QString::fromUtf8(b));
    }
    LoadedHub h(app);
    for (const char* pattern :
         {"*ma*", "ma*", "*ma", "ma", "*k*", "*ñ*", "*manuscrito*", "*á", "*🎻*", "*a*", "*"}) {
        selection::applyStatement(
            h.hub, 0, "SELECT * FROM Compositor WHERE Notas LIKE " + jet::quote(pattern));
        std::vector<qint64> want;
        for (auto it = text.begin(); it != text.end(); ++it)
            if (jet::like(it.value(), pattern)) want.push_back(it.key());
        QCOMPARE(h.hub.Data[0].recordset().keys(), want);
    }
}

// The stock shell checks the file, adds and changes records and sorts them; the program then
// shows the added record in its place.
void PlainFileTest::stockShellReadsAndWritesTheCatalogue() {
    TempApp app;
    for (const char* surname : {"Falla", "Albéniz", "Turina", "Granados"})
        app.insert("Compositor", {{"Nombre", "N"}, {"Apellidos", surname}});
    {
        FormMdi mdi(app.folder());  // the program itself writes one record too
        QVERIFY(mdi.Load());
        Campos c;
        c[0] = {"Apellidos", "Rodrigo"};
        c[1] = {"Nombre", "Joaquín"};
        mdi.store().GuardarCampos(0, 2, true, c);
        QVERIFY(!mdi.store().ErrorDatos);
    }
    QVERIFY2(!QStandardPaths::findExecutable("sqlite3").isEmpty(), "the set-up installs sqlite3");
    QString errors;
    const QString out =
        shell(app.catalogue(),
              "PRAGMA integrity_check;"
              "INSERT INTO Compositor (Nombre, Apellidos, Fecha1) "
              "VALUES ('Isaac', 'Bretón', 1850);"
              "UPDATE Compositor SET Apellidos = 'Arriaga' WHERE Apellidos = 'Turina';"
              "SELECT Apellidos FROM Compositor WHERE Fecha1 = 0 AND "
              "Apellidos LIKE '%a%' ORDER BY Apellidos DESC;",
              &errors);
    QVERIFY2(!out.isEmpty(), qPrintable(errors));
    QCOMPARE(out.split('\n', Qt::SkipEmptyParts),
             QStringList({"ok", "Granados", "Falla", "Arriaga", "Albéniz"}));

    LoadedHub h(app);
    std::vector<QString> order;
    Recordset& rs = h.hub.Data[0].recordset();
    sortedSurnames(h);
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) order.push_back(rs.Field("Apellidos"));
    QCOMPARE(order, (std::vector<QString>{"Albéniz", "Arriaga", "Bretón", "Falla", "Granados",
                                          "Rodrigo"}));
    // An equality on the added and the changed records finds them, case aside.
    QCOMPARE(
        selection::applyStatement(h.hub, 0, "SELECT * FROM Compositor WHERE Apellidos = 'BRETÓN'"),
        1);
    QCOMPARE(
        selection::applyStatement(h.hub, 0, "SELECT * FROM Compositor WHERE Apellidos < 'Arriaga'"),
        1);
    QCOMPARE(app.scalar("PRAGMA integrity_check").toString(), QString("ok"));
    QCOMPARE(
        app.scalar("SELECT count(*) FROM sqlite_master WHERE instr(upper(sql), 'ORMELIA')").toInt(),
        0);
}

// Another tool writes while the program has the catalogue open: the next selection already
// sorts and compares the new texts right.
void PlainFileTest::textsChangedByAnotherToolAreKeyedAgain() {
    TempApp app;
    const qint64 a = app.insert("Compositor", {{"Apellidos", "Mompou"}});
    const qint64 b = app.insert("Compositor", {{"Apellidos", "Sor"}});
    LoadedHub h(app);
    QCOMPARE(sortedSurnames(h), (std::vector<qint64>{a, b}));
    const qint64 c = app.insert("Compositor", {{"Apellidos", "Nin"}});
    app.exec("UPDATE Compositor SET Apellidos = 'Ávila' WHERE Id = " + QString::number(b));
    app.exec("INSERT INTO Compositor (Apellidos) VALUES ('Óliver')");
    const qint64 d = app.scalar("SELECT max(Id) FROM Compositor").toLongLong();
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor WHERE Apellidos_clave IS NULL").toInt(),
             2);
    QCOMPARE(sortedSurnames(h), (std::vector<qint64>{b, a, c, d}));
    QCOMPARE(sortedSurnames(h, " DESC"), (std::vector<qint64>{d, c, a, b}));
    QCOMPARE(app.scalar("SELECT count(*) FROM Compositor WHERE Apellidos_clave IS NULL").toInt(),
             0);
}

// A catalogue of the previous version with records in every register and a recording's links:
// every value, key and link is kept, keys keep growing from where they were, and the schema no
// longer names anything of the program's.
void PlainFileTest::versionTwoCatalogueIsUpgradedWhole() {
    TempApp app(false);
    makeCatalogue(app.catalogue(), 2);
    QMap<QString, QList<QVariantMap>> before;
    for (const RegisterDef& d : registers::all()) {
        if (d.global == registers::kGrabacion) continue;
        for (int i = 0; i < 3; ++i) {
            QVariantMap values;
            for (const FieldDef& f : d.fields) {
                if (f.kind == FieldKind::Link) continue;
                values[f.column] = f.isNumeric()
                                       ? QVariant(1900 + i)
                                       : QVariant(QString("%1 Ñú'%2").arg(f.column).arg(3 - i));
            }
            app.insert(d.table, values);
        }
        app.exec(QString("DELETE FROM %1 WHERE Id = 3").arg(d.table));  // the last key handed out
    }
    const qint64 rec =
        app.insert("Grabacion",
                   {{"CompositorId", 1}, {"ObraId", 2}, {"SoporteId", 1}, {"Notas", "Toma única"}});
    app.exec(QString("INSERT INTO GrabacionInterprete (GrabacionId, Orden, RegistroId) VALUES "
                     "(%1, 0, 2), (%1, 1, 1)")
                 .arg(rec));
    for (const RegisterDef& d : registers::all())
        before[d.table] = app.rows(QString("SELECT * FROM %1 ORDER BY Id").arg(d.table));
    const auto linksBefore = app.rows("SELECT * FROM GrabacionInterprete ORDER BY Id");

    FormMdi mdi(app.folder());
    QVERIFY(mdi.Load());
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
    QCOMPARE(app.scalar("PRAGMA integrity_check").toString(), QString("ok"));
    QCOMPARE(
        app.scalar("SELECT count(*) FROM sqlite_master WHERE instr(upper(sql), 'ORMELIA')").toInt(),
        0);
    for (const RegisterDef& d : registers::all()) {
        QList<QVariantMap> now = app.rows(QString("SELECT * FROM %1 ORDER BY Id").arg(d.table));
        for (const QString& c : schema::keyedColumns(d)) {
            QCOMPARE(app.scalar(QString("SELECT count(*) FROM %1 WHERE %2 IS NOT ormelia_clave(%3)")
                                    .arg(d.table, schema::keyColumn(c), c))
                         .toInt(),
                     0);
            for (QVariantMap& r : now) r.remove(schema::keyColumn(c));
        }
        QCOMPARE(now, before[d.table]);
    }
    QCOMPARE(app.rows("SELECT * FROM GrabacionInterprete ORDER BY Id"), linksBefore);
    // The program saves after the last key ever handed out; the triggers of the links are back.
    Campos c;
    c[0] = {"Apellidos", "Nuevo"};
    mdi.store().GuardarCampos(0, 1, true, c);
    QCOMPARE(app.scalar("SELECT max(Id) FROM Compositor").toInt(), 4);
    QCOMPARE(app.scalar("SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name GLOB "
                        "'*_in_use'")
                 .toInt(),
             6);
    QCOMPARE(links::recordingsUsing(mdi.context(), registers::kInterprete, 2), 1);
}

// A catalogue of version 3 keeps keys that order digits one by one: the upgrade writes every key
// of every register again, and the program then sorts the numbers by value.
void PlainFileTest::versionThreeCatalogueGetsNaturalOrderKeys() {
    TempApp app(false);
    makeCatalogue(app.catalogue(), 3);
    for (const RegisterDef& d : registers::all()) {
        if (d.global == registers::kGrabacion) continue;
        QStringList stale;
        for (const QString& c : schema::keyedColumns(d))
            stale << QString("%1 = CAST(%2 AS BLOB)").arg(schema::keyColumn(c), c);
        for (const char* text : {"BWV 1051", "BWV 147", "BWV 21"}) {
            QVariantMap values;
            for (const QString& c : schema::keyedColumns(d)) values[c] = QString(text);
            app.insert(d.table, values);
        }
        // Keys as the previous order wrote them: digit by digit, like the text's own bytes.
        app.exec(QString("UPDATE %1 SET %2").arg(d.table, stale.join(", ")));
    }
    FormMdi mdi(app.folder());
    QVERIFY(mdi.Load());
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
    for (const RegisterDef& d : registers::all())
        for (const QString& c : schema::keyedColumns(d))
            QCOMPARE(app.scalar(QString("SELECT count(*) FROM %1 WHERE %2 IS NOT ormelia_clave(%3)")
                                    .arg(d.table, schema::keyColumn(c), c))
                         .toInt(),
                     0);
    selection::applyStatement(mdi.hub(), registers::kObra, "SELECT * FROM Obra ORDER BY Nombre");
    QStringList names;
    Recordset& rs = mdi.hub().Data[registers::kObra].recordset();
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) names << rs.Field("Nombre");
    QCOMPARE(names, (QStringList{"BWV 21", "BWV 147", "BWV 1051"}));
}

void PlainFileTest::upgradeShowsItsProgressAndCanBeCancelled_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("cancel");
    for (int from : {2, 3}) {
        QTest::addRow("from %d, left to finish", from) << from << false;
        QTest::addRow("from %d, cancelled", from) << from << true;
    }
}

// Upgrading a catalogue of the previous version is long work: the progress window shows it, and
// "Cancelar" leaves the file byte for byte as it was and says why the program cannot go on.
void PlainFileTest::upgradeShowsItsProgressAndCanBeCancelled() {
    QFETCH(int, from);
    QFETCH(bool, cancel);
    TempApp app(false);
    makeCatalogue(app.catalogue(), from);
    app.exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Compositor (Nombre, Apellidos, Notas) SELECT 'N' || i, 'A' || i, "
        "'nota' FROM n");
    // Version 3 rows carry keys of the previous order, which only the upgrade writes again.
    if (from == 3)
        app.exec(
            "UPDATE Compositor SET Nombre_clave = CAST(Nombre AS BLOB), Apellidos_clave = "
            "CAST(Apellidos AS BLOB)");
    const QByteArray before = bytesOf(app.catalogue());
    QStringList labels;
    FormMdi mdi(app.folder());
    bool loaded = false;
    {
        ProgressAnswerer answering([&](QProgressDialog& window) {
            labels << window.labelText();
            return cancel;
        });
        loaded = mdi.Load();
    }
    QCOMPARE(labels, QStringList{mdi.hub().MensaActualizando});
    QCOMPARE(loaded, !cancel);
    if (cancel) {
        QCOMPARE(bytesOf(app.catalogue()), before);
        QCOMPARE(app.messages.texts(), QStringList{mdi.hub().MensaActualizacionCancelada.arg(
                                           QDir::toNativeSeparators(app.catalogue()))});
    } else {
        QVERIFY(app.messages.shown.empty());
        QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
        QCOMPARE(app.scalar("SELECT count(*) FROM Compositor WHERE Apellidos_clave = "
                            "ormelia_clave(Apellidos)")
                     .toInt(),
                 3000);
    }
}

QTEST_MAIN(PlainFileTest)
#include "test_store_plain_file.moc"
