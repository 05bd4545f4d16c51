#pragma once
// The catalogue's own settings, in its table `Ajustes`: they travel with the catalogue.
#include <QString>

class Connection;

namespace ajustes {

// The name of the safety copies' second folder ("" for none).
inline const QString kSegundaCarpeta = QStringLiteral("SegundaCarpeta");

// A setting's value ("" when it was never set); throws DbError.
QString read(Connection& c, const QString& name);
// Sets (an empty value removes) a setting; throws DbError.
void write(Connection& c, const QString& name, const QString& value);

}  // namespace ajustes
