#pragma once
// Safety copies of the catalogue and its pictures, in the folder `Copias` beside it.
//
// A copy is `DataOrmelia-AAAAMMDD-HHMMSS.mdb` (local time; "-2", "-3" after it when a second copy
// falls in the same second), a snapshot written under a temporary name, synced and renamed, so a
// copy under its final name is whole. Beside it, `DataOrmelia-AAAAMMDD-HHMMSS.txt` records the
// records of each register and, for every stored picture path, the file of `Imagenes/` that holds
// it; it is written before the copy is renamed, so every copy has its list. `Imagenes/` keeps each
// picture once, named by the SHA-256 of its content; `Imagenes/indice.txt` remembers the size,
// date and content of each picture read, so an unchanged picture is not read again.
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>
#include <functional>

namespace copias {

inline const QString kFolder = QStringLiteral("Copias");
inline const QString kPictures = QStringLiteral("Imagenes");

struct Copy {
    QString name;  // "DataOrmelia-20261211-143000.mdb"
    QString path;
    QDateTime when;
    qint64 size = 0;
    QVector<qint64> records;           // per register, -1 when the list does not say
    QHash<QString, QString> pictures;  // stored path -> file under Imagenes/
};

struct Outcome {
    int number = 0;  // 0, or the error number (dberr::kDiskFull, kReadOnly, ...)
    QString detail;
    QString name;  // the copy written
};

// The copies folder beside a catalogue folder.
QString folderBeside(const QString& catalogueFolder);

// The copies in a folder, newest first (only whole ones: the catalogue file and its list). Their
// pictures are read only when asked (a list names every picture of its copy).
QVector<Copy> list(const QString& copiesFolder, bool withPictures = true);

// Writes a copy of catalogueFolder/DataOrmelia.mdb and its pictures into copiesFolder (made when
// missing), then removes the copies and pictures the rotation no longer keeps. The catalogue is
// only read. `now` names the copy.
Outcome write(const QString& catalogueFolder, const QString& copiesFolder,
              const QDateTime& now = QDateTime::currentDateTime());

// The rotation: the 10 newest copies and the oldest of each of the last 12 months, the others
// removed; then, beyond 10 times the catalogue's size, the oldest go (the 3 newest always stay);
// then the pictures no remaining copy lists.
void rotate(const QString& copiesFolder, qint64 catalogueSize, const QDateTime& now);

// Puts copy `name` of copiesFolder in the place of catalogueFolder/DataOrmelia.mdb. The
// catalogue as it is now is copied first (a byte copy when it cannot be read as a catalogue), so
// the recovery can itself be undone; the replacement is one rename. Then every picture of the
// copy missing from its place is put back from Imagenes/ (`restored` counts them). The catalogue
// must not be open.
Outcome recover(const QString& catalogueFolder, const QString& copiesFolder, const QString& name,
                int* restored = nullptr, const QDateTime& now = QDateTime::currentDateTime());

// SQLite's file change counter of a catalogue (0 when it cannot be read): every committed write
// changes it, so a run that wrote nothing finds it as it was.
quint32 changeCounter(const QString& catalogue);

// Whether another process holds a lock on the catalogue file.
bool lockedByOther(const QString& catalogue);
// Whether a refused catalogue may be replaced by a copy: no other process holds it, it and its
// folder can be written, and it is not of a newer version than this program reads.
bool replaceable(const QString& catalogue);

// Test hook, called with each step's name ("snapshot", "pictures", "list", "rename",
// "pre-recovery", "replace", "restore"); may kill the process or throw DbError.
void setStepHook(std::function<void(const char*)> hook);

}  // namespace copias
