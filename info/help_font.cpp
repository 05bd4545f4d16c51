#include "info/help_font.h"

#include <QApplication>
#include <QFontDatabase>

QString helpFontFamily(const QStringList& installed) {
    for (const char* family : {"Comic Sans MS", "Comic Neue"}) {
        const QString name = QLatin1String(family);
        if (installed.contains(name, Qt::CaseInsensitive)) return name;
    }
    return QString();
}

QFont helpFont(qreal pointSize) {
    QFont f = QApplication::font();
    const QString family = helpFontFamily(QFontDatabase::families());
    if (!family.isEmpty()) f.setFamilies({family});
    f.setPointSizeF(pointSize);
    return f;
}
