#pragma once
// Picture paths as the catalogue stores them: a picture inside the catalogue's folder (or below
// it) is kept relative to that folder with "/" separators ("fotos/bach.jpg"), any other with its
// whole path, so moving the whole folder to another disk or computer keeps every picture.
#include <QString>

namespace picturepaths {

// The path to store for a file the user chose.
QString toStored(const QString& catalogueFolder, const QString& chosen);

// The file a stored path names: a relative one is read against the catalogue's folder.
QString resolve(const QString& catalogueFolder, const QString& stored);

}  // namespace picturepaths
