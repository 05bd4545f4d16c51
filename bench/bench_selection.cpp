// Applying a selection of 1, 3 and 20 filters, with and without a sort, through the selection
// screens' own apply on Data(0) (the SELECT, then the count), next to the same SELECT text run to
// its end by SQLite alone on the same records in the previous layout (texts under the program's
// collation, no sort keys, no index of the short fields). Sorted selections are measured the way
// the program chooses and, in rows of their own, both ways forced.
#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "selection/apply.h"
#include "shell/form_mdi.h"
#include "store/data_hub.h"
#include "store/ordered_selection.h"

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
    RawDb raw(run.previousLayout);
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
    // At a million records SQLite alone takes seconds for each: three runs each.
    const bool large = run.composers >= 1000000;
    const int runs = large ? 3 : run.runs(5);
    struct Way {
        const char* name;
        ordered::Way way;
    };
    const Way ways[] = {{"", ordered::Way::None},
                        {" [index walk]", ordered::Way::Walk},
                        {" [sort matches]", ordered::Way::Sort}};
    for (const Case& c : cases)
        for (const Way& w : ways) {
            if (w.way != ordered::Way::None && c.order.isEmpty()) continue;
            QString sql = QStringLiteral("SELECT * FROM Compositor");
            if (!c.where.isEmpty()) sql += QStringLiteral(" WHERE ") + c.where;
            sql += c.order;
            QVector<double> app, alone;
            long found = 0;
            qint64 rawFound = 0;
            ordered::forceWay(w.way);
            // SQLite alone once per statement: the forced ways run the same statement.
            const bool alsoAlone = w.way == ordered::Way::None;
            for (int i = 0; i < runs; ++i) {
                if (alsoAlone) alone << timeMs([&] { rawFound = raw.stepAll(sql); });
                app << timeMs([&] { found = selection::applyStatement(hub, 0, sql); });
            }
            ordered::forceWay(ordered::Way::None);
            if (alsoAlone && found != rawFound)
                throw std::runtime_error("selection counts differ: " + sql.toStdString());
            Row r;
            r.operation = QStringLiteral("apply selection: ") + c.name + QLatin1String(w.name);
            r.ms = median(app);
            r.rawMs = alsoAlone ? median(alone) : -1;
            // The forced ways are there to compare with the chosen one, not goals of their own.
            if (alsoAlone) {
                r.goalMs = c.where.startsWith(QLatin1String("Notas")) ? 2000 : 1000;
                r.goalRatio = 1.2;
            }
            r.runs = runs;
            r.note = QStringLiteral("%1 found").arg(found);
            run.add(r);
        }
}

}  // namespace bench
