#include "store/settings.h"

#include <sqlite3.h>

#include "store/engine.h"

namespace ajustes {

QString read(Connection& c, const QString& name) {
    sqlite3_stmt* st = c.prepare(QStringLiteral("SELECT Valor FROM Ajustes WHERE Clave = ?1"));
    const QByteArray key = name.toUtf8();
    sqlite3_bind_text(st, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st);
    const QString value = rc == SQLITE_ROW ? columnText(st, 0) : QString();
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) c.fail(rc);
    return value;
}

void write(Connection& c, const QString& name, const QString& value) {
    c.transaction([&] {
        sqlite3_stmt* st = c.prepare(
            value.isEmpty() ? QStringLiteral("DELETE FROM Ajustes WHERE Clave = ?1")
                            : QStringLiteral("INSERT INTO Ajustes (Clave, Valor) VALUES (?1, ?2) "
                                             "ON CONFLICT (Clave) DO UPDATE SET Valor = ?2"));
        const QByteArray key = name.toUtf8(), text = value.toUtf8();
        sqlite3_bind_text(st, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        if (!value.isEmpty())
            sqlite3_bind_text(st, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) c.fail(rc);
    });
}

}  // namespace ajustes
