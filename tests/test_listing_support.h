#pragma once
// Helpers of the listing tests: catalogues of many records, opening a listing screen as the
// navigation panel does, ticking fields and reading the grid.
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "listing/listing_screen.h"
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/tab_strip.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "tests/fixture.h"

namespace lt {

// `n` composers straight into the catalogue: Nombre "N<i>", Apellidos "A<i>", Fecha1 1600 + i
// (0 for every tenth), Notas "Notas <i>".
inline void composers(TempApp& app, qint64 n) {
    app.exec(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c "
                            "WHERE x < %1) INSERT INTO Compositor (Nombre, Apellidos, Fecha1, "
                            "Fecha2, Notas, Imagen) SELECT 'N' || x, 'A' || x, CASE WHEN x % 10 "
                            "= 0 THEN 0 ELSE 1600 + x END, 0, 'Notas ' || x, '' FROM c")
                 .arg(n));
}

// Shows a screen and runs its load operation, as the navigation panel does.
inline Screen* show(FormMdi& mdi, int number) {
    FormSolapas& nav = mdi.solapas();
    nav.OcultarFormulario();
    nav.MostrarFormulario(number);
    Screen* s = nav.loadedScreen(number);
    if (s) s->Carga();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return s;
}

inline ListingScreen* openListing(FormMdi& mdi, int number) {
    return qobject_cast<ListingScreen*>(show(mdi, number));
}

template <class T>
T* w(QWidget* s, const char* name) {
    T* x = s->findChild<T*>(QLatin1String(name));
    if (!x) qWarning("no %s", name);
    return x;
}

// Ticks exactly the entries given (by caption) and clicks "Listar".
inline void listar(QWidget* s, const QStringList& captions) {
    QListWidget* list = w<QListWidget>(s, "List");
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(captions.contains(list->item(i)->text()) ? Qt::Checked
                                                                              : Qt::Unchecked);
    QTest::mouseClick(w<QPushButton>(s, "BtnListar"), Qt::LeftButton);
}

inline QString text(QWidget* s, int row, int col) {
    QTableWidgetItem* it = w<QTableWidget>(s, "Tabla")->item(row, col);
    return it ? it->text() : QString();
}

// Order numbers of the data rows shown (column 0, rows 1 on), the continuation row excluded.
inline QList<qint64> numbers(QWidget* s) {
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    QList<qint64> out;
    for (int r = 1; r < t->rowCount(); ++r)
        if (!text(s, r, 0).isEmpty()) out << text(s, r, 0).toLongLong();
    return out;
}

// Whether the last row is the blank continuation row.
inline bool continues(QWidget* s) {
    QTableWidget* t = w<QTableWidget>(s, "Tabla");
    return t->rowCount() > 1 && text(s, t->rowCount() - 1, 0).isEmpty();
}

}  // namespace lt
