// Compaction at exit (copy with the catalogue's check beside it, rebuild of the indexes that need
// it, replace) next to SQLite's own VACUUM INTO of the same file.
#include <fcntl.h>
#include <unistd.h>

#include <QFile>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "store/compaction.h"

namespace bench {

void benchCompaction(RunContext& run) {
    const int runs = run.runs(3);
    const QString copy = run.folder + QStringLiteral("/VacuumInto.mdb");
    QVector<double> app, alone, copyMs, checkMs, rebuildMs, replaceMs;
    // Where the time goes: the steps' start times, from the compaction's own hook.
    QVector<Clock::time_point> marks;
    compaction::setStepHook([&](compaction::Step) { marks << Clock::now(); });
    auto ms = [](Clock::time_point a, Clock::time_point b) {
        return std::chrono::duration<double, std::milli>(b - a).count();
    };
    // Each timed step starts with the disk flushed, so neither inherits the other's writes;
    // which goes first alternates.
    auto flush = [&] {
        int fd = ::open(QFile::encodeName(run.folder).constData(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::syncfs(fd);
            ::close(fd);
        }
    };
    auto vacuumInto = [&] {
        QFile::remove(copy);
        flush();
        alone << timeMs([&] {
            RawDb raw(run.catalogue());
            raw.exec(QStringLiteral("VACUUM INTO '%1'").arg(copy));
        });
        QFile::remove(copy);
    };
    auto compact = [&] {
        flush();
        int rc = 0;
        QString detail;
        marks.clear();
        app << timeMs([&] { rc = compaction::compactar(run.folder, &detail); });
        const Clock::time_point end = Clock::now();
        if (rc != 0) throw std::runtime_error("compaction failed: " + detail.toStdString());
        if (marks.size() == 5) {  // RemoveStale, Copy, Check, Rebuild, Replace
            copyMs << ms(marks[1], marks[2]);
            checkMs << ms(marks[2], marks[3]);
            rebuildMs << ms(marks[3], marks[4]);
            replaceMs << ms(marks[4], end);
        }
    };
    for (int i = 0; i < runs; ++i) {
        if (i % 2) {
            compact();
            vacuumInto();
        } else {
            vacuumInto();
            compact();
        }
    }
    compaction::setStepHook({});
    Row r;
    r.operation = QStringLiteral("compaction at exit");
    r.ms = median(app);
    r.rawMs = median(alone);
    r.goalRatio = 1.5;
    r.runs = runs;
    r.note = QStringLiteral(
                 "compactar(): copy %1 ms (the check of every row and index entry beside it), "
                 "wait for the check %2 ms, rebuild of damaged indexes and sync %3 "
                 "ms, rename %4 ms; SQLite: VACUUM INTO")
                 .arg(median(copyMs), 0, 'f', 0)
                 .arg(median(checkMs), 0, 'f', 0)
                 .arg(median(rebuildMs), 0, 'f', 0)
                 .arg(median(replaceMs), 0, 'f', 0);
    run.add(r);
}

}  // namespace bench
