#include "store/picture_paths.h"

#include <QDir>
#include <QFileInfo>

namespace picturepaths {

QString toStored(const QString& catalogueFolder, const QString& chosen) {
    if (chosen.isEmpty() || catalogueFolder.isEmpty()) return chosen;
    const QString file = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    const QString folder = QDir::cleanPath(QFileInfo(catalogueFolder).absoluteFilePath());
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (!file.startsWith(prefix)) return chosen;
    return file.mid(prefix.size());
}

QString resolve(const QString& catalogueFolder, const QString& stored) {
    if (stored.isEmpty() || QDir::isAbsolutePath(stored) || catalogueFolder.isEmpty())
        return stored;
    return QDir::cleanPath(catalogueFolder + QLatin1Char('/') + stored);
}

}  // namespace picturepaths
