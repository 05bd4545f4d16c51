// The benchmark: generates (or reuses) catalogues of 10,000, 100,000 and 1,000,000 composers and
// times the program's operations on each, next to SQLite alone where it can do the same work,
// then prints one table. Usage:
//   ormelia_bench [--data FOLDER] [--sizes 10000,100000,1000000] [--quick] [--only PART,...]
#include <sqlite3.h>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QSysInfo>
#include <QThread>
#include <cstdio>

#include "bench/bench_run.h"
#include "bench/catalogue.h"
#include "shell/windowing/dialogs.h"

namespace {

QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly)
               ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
               : QStringLiteral("?");
}

void print(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // Message boxes are answered as a user would: OK, or No to a question.
    dialogs::setMessageHook([](QMessageBox& box) {
        return box.standardButtons() & QMessageBox::Ok ? QMessageBox::Ok : QMessageBox::No;
    });
    if (args.size() == 2 && args[0] == QLatin1String("--memory"))
        return bench::browseAndReportMemory(args[1]);

    QString data = qEnvironmentVariable("ORMELIA_BENCH_DATA", QStringLiteral("/tmp/ormelia-bench"));
    QList<qint64> sizes = {10000, 100000, 1000000};
    bool quick = false;
    QStringList only;  // parts to run, all when empty (for profiling one of them)
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--data") && i + 1 < args.size()) {
            data = args[++i];
        } else if (args[i] == QLatin1String("--sizes") && i + 1 < args.size()) {
            sizes.clear();
            for (const QString& s : args[++i].split(QLatin1Char(','))) sizes << s.toLongLong();
        } else if (args[i] == QLatin1String("--quick")) {
            quick = true;
        } else if (args[i] == QLatin1String("--only") && i + 1 < args.size()) {
            only = args[++i].split(QLatin1Char(','));
        } else {
            std::fprintf(stderr,
                         "usage: ormelia_bench [--data FOLDER] [--sizes N,N,...] [--quick] "
                         "[--only "
                         "startup,screens,selection,listing,store,compaction,import,copies,search,"
                         "memory]\n");
            return 2;
        }
    }
    const QString started = QDateTime::currentDateTime().toString(Qt::ISODate);
    const QString loadBefore = loadAverage();
    bench::Results results;
    try {
        const QStringList pictures = bench::ensurePictures(data);
        const bool selecting = only.isEmpty() || only.contains(QLatin1String("selection"));
        for (qint64 n : sizes) {
            bench::ensureCatalogue(data, n, pictures);
            if (selecting) bench::ensureCatalogue(data, n, pictures, 2);
        }
        for (qint64 n : sizes) {
            bench::progress(QStringLiteral("== %1 composers").arg(n));
            bench::RunContext run;
            run.composers = n;
            run.results = &results;
            run.quick = quick;
            run.folder = bench::workingFolder(data, n);
            run.pictureFolder = data + QStringLiteral("/pictures");
            run.previousLayout = QStringLiteral("%1/%2/schema2.mdb").arg(data).arg(n);
            const std::pair<const char*, void (*)(bench::RunContext&)> parts[] = {
                {"startup", bench::benchStartup},     {"screens", bench::benchScreens},
                {"selection", bench::benchSelection}, {"listing", bench::benchListing},
                {"store", bench::benchRecordStore},   {"compaction", bench::benchCompaction},
                {"import", bench::benchImport},       {"copies", bench::benchCopies},
                {"search", bench::benchSearch}};
            for (const auto& [name, part] : parts)
                if (only.isEmpty() || only.contains(QLatin1String(name))) part(run);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    qint64 peak = -1;
    const bool memory =
        !sizes.isEmpty() && (only.isEmpty() || only.contains(QLatin1String("memory")));
    if (memory) {
        qint64 largest = *std::max_element(sizes.begin(), sizes.end());
        bench::progress(QStringLiteral("== peak memory with %1 composers").arg(largest));
        peak = bench::peakMemoryKb(app.applicationFilePath(), bench::workingFolder(data, largest));
    }

    print(QStringLiteral("\n## Ormelia benchmark\n\nStarted %1 on %2 (%3 cores), SQLite %4, Qt %5; "
                         "load average %6 before, %7 after.\n\n")
              .arg(started, QSysInfo::prettyProductName())
              .arg(QThread::idealThreadCount())
              .arg(QLatin1String(sqlite3_libversion()), QLatin1String(qVersion()), loadBefore,
                   loadAverage()));
    print(results.markdown());
    if (memory)
        print(QStringLiteral("\nPeak resident memory (VmHWM) with the largest catalogue open and "
                             "browsed: %1 MB (goal ≤ 200 MB): %2\n")
                  .arg(peak >= 0 ? QString::number(peak / 1024.0, 'f', 1) : QStringLiteral("?"))
                  .arg(peak >= 0 && peak <= 200 * 1024 ? QStringLiteral("yes")
                                                       : QStringLiteral("NO")));
    print(QStringLiteral("\n### Growth from the smallest to the largest catalogue\n\n") +
          results.growth());
    return 0;
}
