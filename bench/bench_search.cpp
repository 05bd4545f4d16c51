// The search of the whole catalogue as FormBuscar runs it (store/catalogue_search on the hub's
// connection: every register's statement, then the labels and fields of the first 500 records),
// next to SQLite alone running the same statements to their end; and the duplicate check the
// entry screens make on "Guardar" (store/duplicates), for a composer already stored, a new one
// and a recording already stored.
#include <sqlite3.h>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "shell/form_mdi.h"
#include "store/catalogue_search.h"
#include "store/data_hub.h"
#include "store/duplicates.h"
#include "store/engine.h"
#include "store/record_links.h"
#include "store/registers.h"

namespace bench {
namespace {

// Accents left out as a user types them: the folding finds "Dvořák" and "sinfonía".
const QString kQuery = QStringLiteral("dvorak sinfonia");

// Every register's search statement stepped to its end; returns the records found.
qint64 rawSearch(RawDb& raw, const QStringList& words) {
    qint64 found = 0;
    for (int g = 0; g < registers::kCount; ++g) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = search::statement(g, int(words.size())).toUtf8();
        if (sqlite3_prepare_v2(raw.db(), sql.constData(), int(sql.size()), &st, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error("search statement: " + sql.toStdString());
        for (int i = 0; i < words.size(); ++i) {
            const QByteArray p = search::containsPattern(words[i]).toUtf8();
            sqlite3_bind_text(st, i + 1, p.constData(), int(p.size()), SQLITE_TRANSIENT);
        }
        while (sqlite3_step(st) == SQLITE_ROW) ++found;
        sqlite3_finalize(st);
    }
    return found;
}

QHash<QString, QString> composerValues(RawDb& raw, qint64 key) {
    QHash<QString, QString> v;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(raw.db(), "SELECT Nombre, Apellidos FROM Compositor WHERE Id = ?1", -1, &st,
                       nullptr);
    sqlite3_bind_int64(st, 1, key);
    if (sqlite3_step(st) == SQLITE_ROW) {
        v.insert(QStringLiteral("Nombre"),
                 QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
        v.insert(QStringLiteral("Apellidos"),
                 QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))));
    }
    sqlite3_finalize(st);
    return v;
}

}  // namespace

void benchSearch(RunContext& run) {
    auto m = startProgram(run.folder);
    FormBasesDatos& hub = m->hub();
    std::shared_ptr<Connection> conn = hub.Data[0].connection();
    RawDb raw(run.catalogue());
    const QStringList words = search::words(kQuery);
    const int runs = run.composers >= 1000000 ? 3 : run.runs(5);
    QVector<double> app, alone;
    search::Result result;
    qint64 rawFound = 0;
    for (int i = 0; i < runs; ++i) {
        alone << timeMs([&] { rawFound = rawSearch(raw, words); });
        app << timeMs([&] { result = search::run(*conn, hub, words); });
    }
    if (result.total != rawFound) throw std::runtime_error("search counts differ");
    Row s;
    s.operation = QStringLiteral("search: \"%1\"").arg(kQuery);
    s.ms = median(app);
    s.rawMs = median(alone);
    s.goalMs = run.composers >= 1000000 ? 1500 : run.composers >= 100000 ? 300 : 100;
    s.runs = runs;
    s.note = QStringLiteral(
                 "search::run, every register's texts and notes, a recording through its links; "
                 "%1 found, %2 labelled; SQLite: the same statements stepped")
                 .arg(result.total)
                 .arg(result.shown.size());
    run.add(s);

    // The duplicate check before a save: the composer screen's label fields of a stored record
    // (found), of a record with a stored surname and a new first name (not found), and the links
    // of a stored recording.
    const qint64 count = raw.scalar(QStringLiteral("SELECT max(Id) FROM Compositor"));
    const qint64 recordings = raw.scalar(QStringLiteral("SELECT max(Id) FROM Grabacion"));
    const int checks = run.runs(41);
    auto measure = [&](const QString& name, const std::function<bool(double*)>& once) {
        QVector<double> t;
        int found = 0;
        for (int i = 0; i < checks; ++i) {
            double ms = 0;
            found += once(&ms) ? 1 : 0;
            t << ms;
        }
        Row r;
        r.operation = QStringLiteral("duplicate check on Guardar: ") + name;
        r.ms = median(t);
        r.goalMs = 5;
        r.runs = checks;
        r.note = QStringLiteral("%1 of %2 found equal").arg(found).arg(checks);
        run.add(r);
    };
    measure(QStringLiteral("a composer already stored"), [&](double* ms) {
        const QHash<QString, QString> v = composerValues(raw, 1 + run.randomPosition(long(count)));
        bool found = false;
        *ms = timeMs(
            [&] { found = duplicates::findEqual(*conn, hub, registers::kCompositor, v).key != 0; });
        return found;
    });
    measure(QStringLiteral("a new composer"), [&](double* ms) {
        QHash<QString, QString> v = composerValues(raw, 1 + run.randomPosition(long(count)));
        v.insert(QStringLiteral("Nombre"), QStringLiteral("Hermenegildo"));
        bool found = false;
        *ms = timeMs(
            [&] { found = duplicates::findEqual(*conn, hub, registers::kCompositor, v).key != 0; });
        return found;
    });
    if (recordings > 0)
        measure(QStringLiteral("a recording already stored"), [&](double* ms) {
            const links::Recording r = links::read(*conn, 1 + run.randomPosition(long(recordings)));
            bool found = false;
            *ms = timeMs([&] { found = duplicates::findEqualRecording(*conn, hub, r).key != 0; });
            return found;
        });
}

}  // namespace bench
