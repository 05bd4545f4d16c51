#include "store/safety_copies.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <cerrno>

#include "store/engine.h"
#include "store/file_sync.h"
#include "store/jet_dialect.h"
#include "store/picture_paths.h"
#include "store/registers.h"
#include "store/schema.h"

namespace copias {
namespace {

const QString kCatalogueName = QStringLiteral("DataOrmelia.mdb");
const QString kIndexName = QStringLiteral("indice.txt");
const QString kTemp = QStringLiteral(".tmp");
const QByteArray kListHeader = "Ormelia copia 1";

std::function<void(const char*)>& hook() {
    static std::function<void(const char*)> h;
    return h;
}
void step(const char* name) {
    if (hook()) hook()(name);
}

const QRegularExpression& copyName() {
    static const QRegularExpression re(
        QStringLiteral("^DataOrmelia-(\\d{8})-(\\d{6})(?:-(\\d+))?\\.mdb$"));
    return re;
}

QString listOf(const QString& copyPath) {
    return copyPath.left(copyPath.size() - 4) + QStringLiteral(".txt");
}

// Paths may hold any character but these, which the list uses as separators.
QString escaped(QString s) {
    s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    s.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    s.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return s;
}
QString unescaped(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('\\') || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const QChar c = s[++i];
        out += c == QLatin1Char('t')   ? QChar('\t')
               : c == QLatin1Char('n') ? QChar('\n')
               : c == QLatin1Char('r') ? QChar('\r')
                                       : c;
    }
    return out;
}

struct Db {
    sqlite3* db = nullptr;
    Db(const QString& path, int flags) {
        int rc =
            sqlite3_open_v2(path.toUtf8().constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) fail(rc);
        jet::install(db);
    }
    ~Db() { sqlite3_close(db); }
    [[noreturn]] void fail(int rc) {
        const QString m = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        throw DbError(errorNumberFor(rc, m), m);
    }
    void run(const QString& sql) {
        char* err = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
        if (rc == SQLITE_OK) return;
        const QString m = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        throw DbError(errorNumberFor(rc, m), m);
    }
    // Each row's first column as text.
    QStringList texts(const QString& sql) {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
        if (rc != SQLITE_OK) fail(rc);
        QStringList out;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) out << columnText(st, 0);
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) fail(rc);
        return out;
    }
};

// What the copy holds: records of each register and the distinct picture paths.
struct Contents {
    QVector<qint64> records;
    QStringList pictures;
};

Contents readContents(const QString& path) {
    Db db(path, SQLITE_OPEN_READONLY);
    Contents c;
    QSet<QString> seen;
    for (const RegisterDef& d : registers::all()) {
        const QString table = jet::quoteName(d.table);
        c.records
            << db.texts(QStringLiteral("SELECT count(*) FROM ") + table).value(0).toLongLong();
        if (d.pictureColumn.isEmpty()) continue;
        const QString column = jet::quoteName(d.pictureColumn);
        for (const QString& p : db.texts(
                 QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 <> ''").arg(column, table)))
            if (!seen.contains(p)) {
                seen.insert(p);
                c.pictures << p;
            }
    }
    return c;
}

// The picture store's memory of what it read: resolved path -> size, date, stored file.
struct Known {
    qint64 size = 0, modified = 0;
    QString file;
};
using Index = QHash<QString, Known>;

Index readIndex(const QString& pictures) {
    Index index;
    QFile f(pictures + QLatin1Char('/') + kIndexName);
    if (!f.open(QIODevice::ReadOnly)) return index;
    while (!f.atEnd()) {
        QString line = QString::fromUtf8(f.readLine());
        if (line.endsWith(QLatin1Char('\n'))) line.chop(1);
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 4) continue;
        index.insert(unescaped(parts[0]), {parts[1].toLongLong(), parts[2].toLongLong(), parts[3]});
    }
    return index;
}

// A cache only: losing it costs one more read of each picture, so it is replaced but not synced.
void writeIndex(const QString& pictures, const Index& index) {
    const QString path = pictures + QLatin1Char('/') + kIndexName;
    QFile f(path + kTemp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QByteArray out;
    for (auto it = index.constBegin(); it != index.constEnd(); ++it)
        out +=
            (escaped(it.key()) + QLatin1Char('\t') + QString::number(it->size) + QLatin1Char('\t') +
             QString::number(it->modified) + QLatin1Char('\t') + it->file + QLatin1Char('\n'))
                .toUtf8();
    const bool ok = f.write(out) == out.size();
    f.close();
    if (!ok || ::rename(QFile::encodeName(f.fileName()).constData(),
                        QFile::encodeName(path).constData()) != 0)
        QFile::remove(f.fileName());
}

void writeWhole(const QString& path, const QByteArray& bytes) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw DbError(filesync::writeErrorNumber(errno),
                      QStringLiteral("no se puede escribir ") + path);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) {
            const int e = errno;
            ::close(fd);
            ::unlink(QFile::encodeName(path).constData());
            throw DbError(filesync::writeErrorNumber(e),
                          QStringLiteral("no se puede escribir ") + path);
        }
        done += w;
    }
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(QFile::encodeName(path).constData());
        throw DbError(filesync::writeErrorNumber(e),
                      QStringLiteral("no se puede escribir ") + path);
    }
}

// Every picture the copy refers to, stored once under the hash of its content. New files are
// written under temporary names, synced together and only then given their names, so a name in
// the store always holds a whole picture.
QHash<QString, QString> storePictures(const QString& catalogueFolder, const QString& pictures,
                                      const QStringList& paths) {
    Index index = readIndex(pictures);
    QHash<QString, QString> held;  // stored path -> file
    QStringList written;           // new files, under their temporary names
    QSet<QString> present;
    for (QDirIterator it(pictures, QDir::Files); it.hasNext();)
        present.insert(it.next().section(QLatin1Char('/'), -1));
    auto cleanUp = [&] {
        for (const QString& t : written) QFile::remove(pictures + QLatin1Char('/') + t + kTemp);
    };
    try {
        for (const QString& stored : paths) {
            const QString file = picturepaths::resolve(catalogueFolder, stored);
            // One stat, the date in milliseconds (no conversion of dates, which costs more than
            // the stat itself across 100,000 pictures).
            struct stat st {};
            if (::stat(QFile::encodeName(file).constData(), &st) != 0 || !S_ISREG(st.st_mode))
                continue;  // missing now: nothing to keep
            const qint64 size = st.st_size;
            const qint64 modified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
            auto known = index.constFind(file);
            if (known != index.constEnd() && known->size == size && known->modified == modified &&
                present.contains(known->file)) {
                held.insert(stored, known->file);
                continue;
            }
            QFile in(file);
            if (!in.open(QIODevice::ReadOnly)) continue;  // unreadable: left out of the copy
            const QByteArray bytes = in.readAll();
            if (bytes.size() != size) continue;
            QString suffix = QFileInfo(file).suffix().toLower();
            static const QRegularExpression plain(QStringLiteral("^[a-z0-9]{1,8}$"));
            if (!plain.match(suffix).hasMatch()) suffix = QStringLiteral("img");
            const QString name =
                QString::fromLatin1(
                    QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()) +
                QLatin1Char('.') + suffix;
            if (!present.contains(name)) {
                writeWhole(pictures + QLatin1Char('/') + name + kTemp, bytes);
                written << name;
                present.insert(name);
            }
            index.insert(file, {size, modified, name});
            held.insert(stored, name);
        }
        if (!written.isEmpty()) {
            // One sync of the file system instead of one per picture.
            const int fd = ::open(QFile::encodeName(pictures).constData(), O_RDONLY | O_DIRECTORY);
            if (fd < 0 || ::syncfs(fd) != 0) {
                if (fd >= 0) ::close(fd);
                throw DbError(dberr::kDiskError,
                              QStringLiteral("no se puede sincronizar ") + pictures);
            }
            ::close(fd);
            step("pictures");
            for (const QString& n : written)
                filesync::renameOver(pictures + QLatin1Char('/') + n + kTemp,
                                     pictures + QLatin1Char('/') + n);
            written.clear();
            filesync::syncPath(pictures, true);
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    writeIndex(pictures, index);
    return held;
}

QByteArray listText(const QVector<qint64>& records, const QHash<QString, QString>& pictures) {
    QByteArray out = kListHeader + '\n';
    QStringList counts;
    for (qint64 n : records) counts << QString::number(n);
    out += (QStringLiteral("Registros\t") + counts.join(QLatin1Char('\t')) + QLatin1Char('\n'))
               .toUtf8();
    QStringList paths = pictures.keys();
    paths.sort();
    for (const QString& p : paths)
        out += (pictures.value(p) + QLatin1Char('\t') + escaped(p) + QLatin1Char('\n')).toUtf8();
    return out;
}

bool readList(const QString& path, Copy* c, bool withPictures) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    // The header and the records' line come first: without the pictures, nothing more is read.
    QList<QByteArray> lines;
    if (withPictures) {
        lines = f.readAll().split('\n');
    } else {
        for (int i = 0; i < 2 && !f.atEnd(); ++i) lines << f.readLine().trimmed();
    }
    if (lines.isEmpty() || lines[0] != kListHeader) return false;
    c->records = QVector<qint64>(registers::kCount, -1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]);
        if (line.isEmpty()) continue;
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts[0] == QLatin1String("Registros")) {
            for (int r = 0; r < registers::kCount && r + 1 < parts.size(); ++r)
                c->records[r] = parts[r + 1].isEmpty() ? -1 : parts[r + 1].toLongLong();
        } else if (parts.size() == 2) {
            c->pictures.insert(unescaped(parts[1]), parts[0]);
        }
    }
    return true;
}

QString freeName(const QString& copiesFolder, const QDateTime& now) {
    const QString stem =
        QStringLiteral("DataOrmelia-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem + QStringLiteral(".mdb");
    for (int n = 2; QFile::exists(copiesFolder + QLatin1Char('/') + name) ||
                    QFile::exists(listOf(copiesFolder + QLatin1Char('/') + name));
         ++n)
        name = stem + QStringLiteral("-%1.mdb").arg(n);
    return name;
}

// Leftovers of a copy that was stopped half way: temporary files, a list without its copy.
void removeLeftovers(const QString& copiesFolder) {
    QDir dir(copiesFolder);
    for (const QString& f : dir.entryList({QStringLiteral("*") + kTemp}, QDir::Files))
        dir.remove(f);
    for (const QString& f : dir.entryList({QStringLiteral("DataOrmelia-*.txt")}, QDir::Files))
        if (!dir.exists(f.chopped(4) + QStringLiteral(".mdb"))) dir.remove(f);
    QDir pictures(copiesFolder + QLatin1Char('/') + kPictures);
    for (const QString& f : pictures.entryList({QStringLiteral("*") + kTemp}, QDir::Files))
        pictures.remove(f);
}

void ensureFolder(const QString& folder) {
    if (QDir().mkpath(folder) && QFileInfo(folder).isDir()) return;
    throw DbError(filesync::writeErrorNumber(errno ? errno : EACCES),
                  QStringLiteral("no se puede crear la carpeta ") + folder);
}

QString sourceOf(const QString& catalogueFolder) {
    const QString named = catalogueFolder + QLatin1Char('/') + kCatalogueName;
    const QString resolved = QFileInfo(named).canonicalFilePath();
    return resolved.isEmpty() ? named : resolved;
}

// A copy under its final name and its list, without the rotation. `raw` copies the file's
// bytes (a catalogue the engine cannot read): its list then says nothing of its records.
QString writeCopy(const QString& catalogueFolder, const QString& copiesFolder, const QDateTime& now,
                  bool raw) {
    const QString source = sourceOf(catalogueFolder);
    const QString pictures = copiesFolder + QLatin1Char('/') + kPictures;
    ensureFolder(pictures);
    removeLeftovers(copiesFolder);
    const QString name = freeName(copiesFolder, now);
    const QString target = copiesFolder + QLatin1Char('/') + name;
    const QString temp = target + kTemp;
    const QString list = listOf(target);
    try {
        step("snapshot");
        Contents contents;
        if (raw) {
            filesync::copyFile(source, temp);
            contents.records = QVector<qint64>(registers::kCount, -1);
        } else {
            {
                Db db(source, SQLITE_OPEN_READONLY);
                db.run(QStringLiteral("VACUUM INTO ") + jet::quote(temp));
            }
            filesync::syncPath(temp, false);
            contents = readContents(temp);
        }
        const QHash<QString, QString> held =
            storePictures(catalogueFolder, pictures, contents.pictures);
        step("list");
        writeWhole(list + kTemp, listText(contents.records, held));
        filesync::syncPath(list + kTemp, false);
        filesync::renameOver(list + kTemp, list);
        step("rename");
        filesync::renameOver(temp, target);
        filesync::syncPath(copiesFolder, true);
    } catch (...) {
        QFile::remove(temp);
        QFile::remove(list + kTemp);
        if (!QFile::exists(target)) QFile::remove(list);
        throw;
    }
    return name;
}

}  // namespace

void setStepHook(std::function<void(const char*)> h) {
    hook() = std::move(h);
}

QString folderBeside(const QString& catalogueFolder) {
    return catalogueFolder + QLatin1Char('/') + kFolder;
}

QVector<Copy> list(const QString& copiesFolder, bool withPictures) {
    QVector<Copy> out;
    QDir dir(copiesFolder);
    for (const QString& f : dir.entryList({QStringLiteral("DataOrmelia-*.mdb")}, QDir::Files)) {
        const QRegularExpressionMatch m = copyName().match(f);
        if (!m.hasMatch()) continue;
        Copy c;
        c.name = f;
        c.path = dir.filePath(f);
        c.when = QDateTime(QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd")),
                           QTime::fromString(m.captured(2), QStringLiteral("HHmmss")));
        if (!c.when.isValid() || !readList(listOf(c.path), &c, withPictures)) continue;
        c.size = QFileInfo(c.path).size();
        c.records.resize(registers::kCount);
        out << c;
    }
    // Newest first; copies of the same second by their number.
    std::sort(out.begin(), out.end(), [](const Copy& a, const Copy& b) {
        if (a.when != b.when) return a.when > b.when;
        if (a.name.size() != b.name.size()) return a.name.size() > b.name.size();
        return a.name > b.name;
    });
    return out;
}

void rotate(const QString& copiesFolder, qint64 catalogueSize, const QDateTime& now) {
    QVector<Copy> all = list(copiesFolder, false);
    QVector<bool> keep(all.size(), false);
    for (qsizetype i = 0; i < all.size() && i < 10; ++i) keep[i] = true;
    for (int m = 0; m < 12; ++m) {
        const QDate month = now.date().addMonths(-m);
        qsizetype oldest = -1;
        for (qsizetype i = 0; i < all.size(); ++i)
            if (all[i].when.date().year() == month.year() &&
                all[i].when.date().month() == month.month())
                oldest = i;  // newest first: the last one found is the oldest
        if (oldest >= 0) keep[oldest] = true;
    }
    qint64 total = 0;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < all.size(); ++i)
        if (keep[i]) {
            total += all[i].size;
            ++kept;
        }
    for (qsizetype i = all.size() - 1; i >= 3 && total > 10 * catalogueSize && kept > 3; --i)
        if (keep[i]) {
            keep[i] = false;
            total -= all[i].size;
            --kept;
        }
    if (!keep.contains(false)) return;  // nothing goes: every stored picture is still listed
    QSet<QString> listed;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (keep[i]) {
            if (readList(listOf(all[i].path), &all[i], true))
                for (const QString& f : all[i].pictures) listed.insert(f);
            continue;
        }
        // The copy first, then its list: a list alone is a leftover the next copy removes.
        QFile::remove(all[i].path);
        QFile::remove(listOf(all[i].path));
    }
    QDir pictures(copiesFolder + QLatin1Char('/') + kPictures);
    for (const QString& f : pictures.entryList(QDir::Files))
        if (f != kIndexName && !f.endsWith(kTemp) && !listed.contains(f)) pictures.remove(f);
}

Outcome write(const QString& catalogueFolder, const QString& copiesFolder, const QDateTime& now) {
    Outcome o;
    try {
        o.name = writeCopy(catalogueFolder, copiesFolder, now, false);
        rotate(copiesFolder, QFileInfo(sourceOf(catalogueFolder)).size(), now);
    } catch (const DbError& e) {
        o.number = e.number;
        o.detail = e.detail;
    } catch (const std::bad_alloc&) {
        o.number = dberr::kOutOfMemory;
    }
    return o;
}

Outcome recover(const QString& catalogueFolder, const QString& copiesFolder, const QString& name,
                int* restored, const QDateTime& now) {
    Outcome o;
    if (restored) *restored = 0;
    QVector<Copy> copies = list(copiesFolder, false);
    auto chosen =
        std::find_if(copies.begin(), copies.end(), [&](const Copy& c) { return c.name == name; });
    if (chosen == copies.end() || !readList(listOf(chosen->path), &*chosen, true)) {
        o.number = dberr::kCannotOpen;
        o.detail = QStringLiteral("no existe la copia ") + name;
        return o;
    }
    const QString target = sourceOf(catalogueFolder);
    const QString home = QFileInfo(target).absolutePath();
    const QString temp = home + QStringLiteral("/OrmeliaRecuperacion.mdb");
    try {
        step("pre-recovery");
        if (QFile::exists(target)) {
            try {
                o.name = writeCopy(catalogueFolder, copiesFolder, now, false);
            } catch (const DbError& e) {
                if (e.number == dberr::kDiskFull || e.number == dberr::kReadOnly) throw;
                o.name = writeCopy(catalogueFolder, copiesFolder, now, true);
            }
        }
        step("replace");
        filesync::copyFile(chosen->path, temp);
        // A journal left beside the old file would be played back into the recovered one.
        QFile::remove(target + QStringLiteral("-journal"));
        filesync::renameOver(temp, target);
        filesync::syncPath(home, true);
    } catch (const DbError& e) {
        QFile::remove(temp);
        o.number = e.number;
        o.detail = e.detail;
        return o;
    }
    step("restore");
    const QString pictures = copiesFolder + QLatin1Char('/') + kPictures;
    for (auto it = chosen->pictures.constBegin(); it != chosen->pictures.constEnd(); ++it) {
        const QString file = picturepaths::resolve(catalogueFolder, it.key());
        if (QFileInfo::exists(file)) continue;
        try {
            QDir().mkpath(QFileInfo(file).absolutePath());
            filesync::copyFile(pictures + QLatin1Char('/') + it.value(), file + kTemp);
            filesync::renameOver(file + kTemp, file);
            if (restored) ++*restored;
        } catch (const DbError&) {
            QFile::remove(file + kTemp);  // left missing; the pictures screen lists it
        }
    }
    rotate(copiesFolder, QFileInfo(target).size(), now);
    return o;
}

quint32 changeCounter(const QString& catalogue) {
    QFile f(catalogue);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(24)) return 0;
    const QByteArray b = f.read(4);
    if (b.size() != 4) return 0;
    return (quint32(quint8(b[0])) << 24) | (quint32(quint8(b[1])) << 16) |
           (quint32(quint8(b[2])) << 8) | quint32(quint8(b[3]));
}

bool lockedByOther(const QString& catalogue) {
    const int fd = ::open(QFile::encodeName(catalogue).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // SQLite's lock bytes: pending, reserved and the shared range.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0x40000000;
    lock.l_len = 512;
    const bool held = ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

bool replaceable(const QString& catalogue) {
    const QFileInfo info(catalogue);
    if (lockedByOther(catalogue) || !info.isWritable() ||
        ::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0)
        return false;
    QFile f(catalogue);
    if (f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16) &&
        f.seek(60)) {
        const QByteArray b = f.read(4);
        const qint32 version =
            b.size() == 4 ? qint32((quint32(quint8(b[0])) << 24) | (quint32(quint8(b[1])) << 16) |
                                   (quint32(quint8(b[2])) << 8) | quint8(b[3]))
                          : 0;
        if (version > schema::kVersion) return false;
    }
    return true;
}

}  // namespace copias
