#include "store/missing_pictures.h"

#include <sqlite3.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include "store/engine.h"
#include "store/jet_dialect.h"
#include "store/picture_paths.h"
#include "store/registers.h"

namespace missingpictures {
namespace {

// The file name of a stored path, whichever separators it was written with.
QString fileNameOf(const QString& stored) {
    const qsizetype cut =
        qMax(stored.lastIndexOf(QLatin1Char('/')), stored.lastIndexOf(QLatin1Char('\\')));
    return stored.mid(cut + 1);
}

}  // namespace

Census count(Connection& c, const QString& catalogueFolder) {
    Census out;
    out.withPicture = out.missing = QVector<qint64>(registers::kCount, 0);
    QHash<QString, bool> present;
    for (const RegisterDef& d : registers::all()) {
        if (d.pictureColumn.isEmpty()) continue;
        const QStringList names = d.nameColumns();
        QStringList columns;
        for (const QString& n : names) columns << jet::quoteName(n);
        const QString picture = jet::quoteName(d.pictureColumn);
        sqlite3_stmt* st = c.prepare(
            QStringLiteral("SELECT Id, %1, %2 FROM %3 WHERE %1 <> '' ORDER BY Id")
                .arg(picture, columns.join(QStringLiteral(", ")), jet::quoteName(d.table)));
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            ++out.withPicture[d.global];
            const QString stored = columnText(st, 1);
            auto known = present.constFind(stored);
            if (known == present.constEnd())
                known = present.insert(
                    stored, QFileInfo(picturepaths::resolve(catalogueFolder, stored)).isFile());
            if (*known) continue;
            ++out.missing[d.global];
            QStringList parts;
            for (int i = 0; i < names.size(); ++i) {
                const QString t = columnText(st, 2 + i).trimmed();
                if (!t.isEmpty()) parts << t;
            }
            out.list.append(
                {d.global, sqlite3_column_int64(st, 0), parts.join(QLatin1Char(' ')), stored});
        }
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) c.fail(rc);
    }
    return out;
}

QVector<Change> search(const QVector<Missing>& missing, const QString& folder,
                       const QString& catalogueFolder) {
    QSet<QString> wanted;
    for (const Missing& m : missing) wanted.insert(fileNameOf(m.stored));
    QHash<QString, QStringList> found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (wanted.contains(name)) found[name] << it.filePath();
    }
    QVector<Change> out;
    for (const Missing& m : missing) {
        const QStringList& files = found.value(fileNameOf(m.stored));
        if (files.size() != 1) continue;  // none, or no telling which
        out.append(
            {m.global, m.key, m.stored, picturepaths::toStored(catalogueFolder, files.first())});
    }
    return out;
}

void apply(Connection& c, const QVector<Change>& changes, bool undo) {
    c.transaction([&] {
        for (const Change& ch : changes) {
            const RegisterDef& d = registers::at(ch.global);
            sqlite3_stmt* st =
                c.prepare(QStringLiteral("UPDATE %1 SET %2 = ?1 WHERE Id = ?2")
                              .arg(jet::quoteName(d.table), jet::quoteName(d.pictureColumn)));
            const QByteArray path = (undo ? ch.before : ch.after).toUtf8();
            sqlite3_bind_text(st, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 2, ch.key);
            const int rc = sqlite3_step(st);
            sqlite3_reset(st);
            if (rc != SQLITE_DONE) c.fail(rc);
        }
    });
}

}  // namespace missingpictures
