#include "store/file_sync.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/engine.h"

namespace filesync {

int writeErrorNumber(int e) {
    if (e == ENOSPC || e == EDQUOT) return dberr::kDiskFull;
    if (e == EROFS || e == EACCES || e == EPERM) return dberr::kReadOnly;
    return dberr::kDiskError;
}

void syncPath(const QString& path, bool directory) {
    int fd =
        ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0) throw DbError(dberr::kDiskError, QStringLiteral("no se puede abrir ") + path);
    int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0)
        throw DbError(dberr::kDiskError, QStringLiteral("no se puede sincronizar ") + path);
}

void renameOver(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw DbError(writeErrorNumber(errno), QStringLiteral("no se puede reemplazar ") + to);
}

void copyFile(const QString& from, const QString& to) {
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) throw DbError(dberr::kCannotOpen, QStringLiteral("no se puede leer ") + from);
    const int out =
        ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        throw DbError(writeErrorNumber(e), QStringLiteral("no se puede escribir ") + to);
    }
    auto fail = [&](int e, const QString& what) {
        ::close(in);
        ::close(out);
        ::unlink(QFile::encodeName(to).constData());
        throw DbError(writeErrorNumber(e), what);
    };
    static thread_local char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, QStringLiteral("no se puede leer ") + from);
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, size_t(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                fail(errno, QStringLiteral("no se puede escribir ") + to);
            }
            done += w;
        }
    }
    if (::fsync(out) != 0) fail(errno, QStringLiteral("no se puede sincronizar ") + to);
    ::close(in);
    if (::close(out) != 0) fail(errno, QStringLiteral("no se puede escribir ") + to);
}

}  // namespace filesync
