// Compaction at exit (copy, check, replace) next to SQLite's own VACUUM INTO of the same file.
#include <QFile>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "store/compaction.h"

namespace bench {

void benchCompaction(RunContext& run) {
    const int runs = run.runs(3);
    const QString copy = run.folder + QStringLiteral("/VacuumInto.mdb");
    QVector<double> app, alone;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(copy);
        alone << timeMs([&] {
            RawDb raw(run.catalogue());
            raw.exec(QStringLiteral("VACUUM INTO '%1'").arg(copy));
        });
        QFile::remove(copy);
        int rc = 0;
        QString detail;
        app << timeMs([&] { rc = compaction::compactar(run.folder, &detail); });
        if (rc != 0) throw std::runtime_error("compaction failed: " + detail.toStdString());
    }
    Row r;
    r.operation = QStringLiteral("compaction at exit");
    r.ms = median(app);
    r.rawMs = median(alone);
    r.goalRatio = 1.5;
    r.runs = runs;
    r.note = QStringLiteral("compactar(); SQLite: VACUUM INTO");
    run.add(r);
}

}  // namespace bench
