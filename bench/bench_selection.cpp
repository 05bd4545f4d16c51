// Applying a selection of 1, 3 and 20 filters, with and without a sort, through the selection
// screens' own apply on Data(0) (the SELECT, then the count), next to the same SELECT text run to
// its end by SQLite alone.
#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "selection/apply.h"
#include "shell/form_mdi.h"
#include "store/data_hub.h"

namespace bench {
namespace {

struct Filter {
    const char* connector;  // " AND " / " OR " (ignored for the first)
    const char* term;
};

// The condition the selection model composes: strictly left to right, one more pair of
// parentheses around everything before each further filter.
QString condition(const QVector<Filter>& filters) {
    QString c;
    for (const Filter& f : filters) {
        QString term = QString::fromUtf8(f.term);
        c = c.isEmpty() ? term
                        : QStringLiteral("(%1%2%3)").arg(c, QLatin1String(f.connector), term);
    }
    return c;
}

const QVector<Filter>& twenty() {
    static const QVector<Filter> f = {
        {"", "Apellidos LIKE '*ez*'"},
        {" AND ", "Fecha1 > 1600"},
        {" OR ", "Nombre = 'Antonio'"},
        {" AND ", "Fecha2 < 1950"},
        {" OR ", "Apellidos = 'Bach'"},
        {" OR ", "Apellidos = 'Falla'"},
        {" AND ", "Nombre NOT LIKE '*Johann*'"},
        {" OR ", "Nombre LIKE '*María*'"},
        {" AND ", "Fecha1 < 1900"},
        {" OR ", "Apellidos LIKE '*ñ*'"},
        {" AND ", "Fecha2 > 0"},
        {" OR ", "Apellidos = 'Turina'"},
        {" OR ", "Nombre = 'Clara'"},
        {" AND ", "Apellidos NOT LIKE '*Strauss*'"},
        {" OR ", "Fecha1 = 1685"},
        {" OR ", "Fecha1 = 1756"},
        {" AND ", "Nombre NOT LIKE '*x*'"},
        {" OR ", "Apellidos LIKE '*mo*'"},
        {" AND ", "Fecha2 > 1700"},
        {" OR ", "Nombre LIKE '*dvořák*'"},
    };
    return f;
}

struct Case {
    QString name;
    QString where;  // "" = all records
    QString order;  // "" = Histórico
};

}  // namespace

void benchSelection(RunContext& run) {
    auto m = startProgram(run.folder);
    FormBasesDatos& hub = m->hub();
    RawDb raw(run.catalogue());
    const QString one = condition(twenty().mid(0, 1));
    const QString three = condition({{"", "Apellidos LIKE '*ez*'"},
                                     {" AND ", "Fecha1 > 1700"},
                                     {" OR ", "Nombre = 'Antonio'"}});
    const QString all20 = condition(twenty());
    const QString sort = QStringLiteral(" ORDER BY Apellidos ASC");
    const QVector<Case> cases = {
        {QStringLiteral("1 filter"), one, {}},
        {QStringLiteral("1 filter, sorted"), one, sort},
        {QStringLiteral("3 filters"), three, {}},
        {QStringLiteral("3 filters, sorted"), three, sort},
        {QStringLiteral("20 filters"), all20, {}},
        {QStringLiteral("20 filters, sorted"), all20, sort},
        {QStringLiteral("all records, sorted"), {}, QStringLiteral(" ORDER BY Nombre DESC")},
        {QStringLiteral("1 filter on Notas"), QStringLiteral("Notas LIKE '*manuscrito*'"), {}},
    };
    // At a million records each of these is a full scan of the table taking seconds: one run
    // each, and no scan of the notes (about 1 GB of text), to keep the whole run short.
    const bool large = run.composers >= 1000000;
    const int runs = large ? 1 : run.runs(5);
    for (const Case& c : cases) {
        if (large && c.where.startsWith(QLatin1String("Notas"))) continue;
        QString sql = QStringLiteral("SELECT * FROM Compositor");
        if (!c.where.isEmpty()) sql += QStringLiteral(" WHERE ") + c.where;
        sql += c.order;
        QVector<double> app, alone;
        long found = 0;
        qint64 rawFound = 0;
        for (int i = 0; i < runs; ++i) {
            alone << timeMs([&] { rawFound = raw.stepAll(sql); });
            app << timeMs([&] { found = selection::applyStatement(hub, 0, sql); });
        }
        if (found != rawFound)
            throw std::runtime_error("selection counts differ: " + sql.toStdString());
        Row r;
        r.operation = QStringLiteral("apply selection: ") + c.name;
        r.ms = median(app);
        r.rawMs = median(alone);
        r.goalMs = 1000;
        r.goalRatio = 1.2;
        r.runs = runs;
        r.note = QStringLiteral("%1 found").arg(found);
        run.add(r);
    }
}

}  // namespace bench
