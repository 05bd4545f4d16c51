#include <QApplication>

#include "shell/form_mdi.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FormMdi mdi(QCoreApplication::applicationDirPath());
    if (!mdi.Load()) return 0;
    return app.exec();
}
