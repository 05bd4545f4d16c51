#include "shell/windowing/appearance.h"

#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>

namespace appearance {
namespace {

// Enter and Return press the focused button of a screen, the one the keys go to (dialogs keep
// their own default button).
class EnterPressesButton : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        auto* b = qobject_cast<QPushButton*>(o);
        if (!b || !b->isEnabled() || qobject_cast<QDialog*>(b->window())) return false;
        b->click();
        return true;
    }
};

}  // namespace

void install() {
    static bool done = false;
    if (done || !qApp) return;
    done = true;
    QFont f(kFontFamily);
    f.setPixelSize(qRound(kFontPoints * 96 / 72));
    QApplication::setFont(f);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* t = new QTranslator(qApp);
    if (t->load(QStringLiteral("qtbase_es"), folder))
        qApp->installTranslator(t);
    else
        delete t;
    qApp->installEventFilter(new EnterPressesButton(qApp));
    // Every window without an icon of its own (the main window, message boxes, the program's
    // dialogs) shows the application's; the desktop entry is named after the same program.
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("ormelia"));
}

QIcon programIcon() {
    QIcon icon;
    for (const char* file :
         {":/images/icono-48.png", ":/images/icono-128.png", ":/images/logo.png"})
        icon.addFile(QLatin1String(file));
    return icon;
}

}  // namespace appearance
