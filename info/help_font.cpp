#include "info/help_font.h"

#include <QApplication>
#include <QFontDatabase>

QFont helpFont(qreal pointSize) {
    QFont f = QApplication::font();
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Comic Sans MS", "Comic Neue"}) {
        const QString name = QLatin1String(family);
        if (installed.contains(name, Qt::CaseInsensitive)) {
            f.setFamilies({name});
            break;
        }
    }
    f.setPointSizeF(pointSize);
    return f;
}
