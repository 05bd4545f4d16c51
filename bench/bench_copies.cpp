// Safety copies at exit and the pictures' census and search, on a catalogue whose first
// composers (up to 100,000) each name a picture of their own.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <numeric>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "store/engine.h"
#include "store/missing_pictures.h"
#include "store/safety_copies.h"

namespace bench {
namespace {

constexpr qint64 kMaxPictures = 100000;

void flush(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

// `count` small pictures, each different (a number after the picture's end), kept between runs.
QString ensureDistinctPictures(const QString& root, qint64 count) {
    const QString dir = QStringLiteral("%1/copypics/%2").arg(root).arg(count);
    if (QFile::exists(dir + QStringLiteral("/ready"))) return dir;
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    QImage img(48, 48, QImage::Format_RGB32);
    img.fill(QColor(120, 90, 60));
    QByteArray jpeg;
    {
        QFile probe(dir + QStringLiteral("/probe.jpg"));
        img.save(&probe, "JPG", 85);
    }
    QFile probe(dir + QStringLiteral("/probe.jpg"));
    probe.open(QIODevice::ReadOnly);
    jpeg = probe.readAll();
    probe.close();
    probe.remove();
    for (qint64 i = 1; i <= count; ++i) {
        QFile f(QStringLiteral("%1/r%2.jpg").arg(dir).arg(i));
        if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write pictures");
        f.write(jpeg + QByteArray::number(i));
    }
    QFile ready(dir + QStringLiteral("/ready"));
    ready.open(QIODevice::WriteOnly);
    return dir;
}

}  // namespace

void benchCopies(RunContext& run) {
    const qint64 count = std::min(run.composers, kMaxPictures);
    const QString root = QFileInfo(run.pictureFolder).absolutePath();
    const QString pictures = ensureDistinctPictures(root, count);
    {
        RawDb raw(run.catalogue());
        raw.exec(
            QStringLiteral("UPDATE Compositor SET Imagen = '%1/r' || Id || '.jpg' WHERE Id <= %2")
                .arg(pictures)
                .arg(count));
    }
    const QString copies = copias::folderBeside(run.folder);
    const QString byCp = run.folder + QStringLiteral("/PorCp");
    const int runs = run.runs(3);
    QVector<double> first, cp, again, vacuum;
    for (int i = 0; i < runs; ++i) {
        // First copy: the store is empty, every picture is read, hashed and written.
        QDir(copies).removeRecursively();
        flush(run.folder);
        first << timeMs([&] {
            if (copias::write(run.folder, copies).number != 0)
                throw std::runtime_error("safety copy failed");
        });
        QDir(byCp).removeRecursively();
        QDir().mkpath(byCp);
        flush(run.folder);
        cp << timeMs([&] {
            QProcess::execute(QStringLiteral("cp"),
                              {QStringLiteral("-r"), pictures, run.catalogue(), byCp});
            flush(byCp);
        });
        QDir(byCp).removeRecursively();
        // Next exit, no picture changed: the catalogue's snapshot and a look at each picture.
        flush(run.folder);
        again << timeMs([&] {
            if (copias::write(run.folder, copies).number != 0)
                throw std::runtime_error("safety copy failed");
        });
        const QString into = run.folder + QStringLiteral("/VacuumInto.mdb");
        QFile::remove(into);
        flush(run.folder);
        vacuum << timeMs([&] {
            {
                RawDb raw(run.catalogue());
                raw.exec(QStringLiteral("VACUUM INTO '%1'").arg(into));
            }
            // Made durable, as the safety copy is.
            const int fd = ::open(QFile::encodeName(into).constData(), O_RDONLY);
            ::fsync(fd);
            ::close(fd);
        });
        QFile::remove(into);
    }
    QDir(copies).removeRecursively();
    Row r;
    r.operation = QStringLiteral("safety copy at exit, no picture changed");
    r.ms = median(again);
    r.rawMs = median(vacuum);
    r.goalRatio = 1.5;
    r.runs = runs;
    r.note = QStringLiteral("%1 pictures; SQLite: VACUUM INTO and fsync of the copy").arg(count);
    run.add(r);
    r.operation = QStringLiteral("safety copy at exit, every picture new");
    r.ms = median(first);
    r.rawMs = median(cp);
    r.goalRatio = 1.2;
    r.note = QStringLiteral(
                 "%1 pictures; raw: cp -r of the pictures and the catalogue, then "
                 "syncfs")
                 .arg(count);
    run.add(r);

    // The census of the missing pictures and the search of a folder for them: the pictures
    // moved away, so every one is missing, and the folder they are in now is searched.
    const QString moved = root + QStringLiteral("/copypics/movidas");
    QDir().mkpath(moved);
    {
        RawDb raw(run.catalogue());
        raw.exec(
            QStringLiteral("UPDATE Compositor SET Imagen = '%1/r' || Id || '.jpg' WHERE Id <= %2")
                .arg(moved)
                .arg(count));
    }
    Connection c(run.catalogue());
    missingpictures::Census census;
    Row counted;
    counted.operation = QStringLiteral("missing pictures counted");
    counted.ms = medianMs(runs, [&] { census = missingpictures::count(c, run.folder); });
    counted.goalMs = run.composers >= 1000000 ? 2000 : 0;
    counted.runs = runs;
    counted.note =
        QStringLiteral("%1 records with a picture, %2 missing")
            .arg(std::accumulate(census.withPicture.begin(), census.withPicture.end(), qint64(0)))
            .arg(census.list.size());
    run.add(counted);
    Row search;
    search.operation = QStringLiteral("missing pictures searched in a folder");
    qsizetype found = 0;
    search.ms = medianMs(
        runs, [&] { found = missingpictures::search(census.list, pictures, run.folder).size(); });
    search.goalMs = count >= kMaxPictures ? 5000 : 0;
    search.runs = runs;
    search.note = QStringLiteral("a folder of %1 files, %2 found").arg(count).arg(found);
    run.add(search);
}

}  // namespace bench
