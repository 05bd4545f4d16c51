#pragma once
// Pictures whose files are no longer where the catalogue says: how many records of each register
// have a picture and how many of those files are missing, and a search of a folder (and its
// subfolders) for files of the same names, applied and undone in one transaction each.
#include <QString>
#include <QVector>

class Connection;

namespace missingpictures {

struct Missing {
    int global;      // the register
    qint64 key;      // the record
    QString label;   // its name label text
    QString stored;  // the picture path as stored
};

struct Census {
    QVector<qint64> withPicture, missing;  // per register
    QVector<Missing> list;                 // in register order, then order of entry
};

// Reads every register's picture paths; a relative one is looked up against the catalogue's
// folder. Each distinct path is looked up once.
Census count(Connection& c, const QString& catalogueFolder);

struct Change {
    int global;
    qint64 key;
    QString before, after;
};

// For each missing picture, the files under `folder` of the same name: exactly one found, the
// record's new path (relative when inside the catalogue's folder); none or several, none.
QVector<Change> search(const QVector<Missing>& missing, const QString& folder,
                       const QString& catalogueFolder);

// Writes the changes' new paths (`undo`: their old ones) in one transaction; throws DbError.
void apply(Connection& c, const QVector<Change>& changes, bool undo = false);

}  // namespace missingpictures
