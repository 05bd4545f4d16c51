#pragma once
// Durable file replacement: what the compaction and the safety copies share so that a file under
// its final name is always whole, whatever moment the process is killed at.
#include <QString>

namespace filesync {

// fsync of a file or a folder; throws DbError (dberr::kDiskError) when it cannot be done.
void syncPath(const QString& path, bool directory);

// Renames `from` over `to` (atomic on one file system); throws DbError on failure.
void renameOver(const QString& from, const QString& to);

// Copies a file's bytes to `to` (replaced when present) and syncs it; throws DbError with
// dberr::kDiskFull when the disk is full, dberr::kReadOnly when the folder cannot be written.
void copyFile(const QString& from, const QString& to);

// The error number for a failed write: disk full, read-only, or a disk error.
int writeErrorNumber(int errnoValue);

}  // namespace filesync
