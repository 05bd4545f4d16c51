#include "browse/record_set.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "browse/browse_screen.h"
#include "entry/field_box.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"

RecordSet::RecordSet(BrowseScreen& screen) : QObject(&screen), screen_(screen) {
    const int g = screen.global();
    static const char* const titles[] = {"Conjunto Orquesta-Coro-Grupo", "Grupo de Directores",
                                         "Grupo de Intérpretes (Solistas)"};
    const float left = RecordScreen::kCaptionLeft;
    auto* title =
        look::caption(&screen, QString::fromUtf8(titles[g - registers::kOrquesta]), left, kTop,
                      RecordScreen::kBoxRight - left, 255, QStringLiteral("LabConjunto"));
    look::setForeColor(title, look::kAzul);

    MSFlexGrid1 = new QTableWidget(0, g == registers::kInterprete ? 2 : 1, &screen);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->horizontalHeader()->setStretchLastSection(true);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    twips::place(MSFlexGrid1, RecordScreen::kBoxLeft, kTop + 300, 3900, 1800);
    if (MSFlexGrid1->columnCount() == 2) twips::setColumnWidth(MSFlexGrid1, 0, 2400);
    accessible::caption(title, MSFlexGrid1);
    if (screen.BtnRegresar) screen.BtnRegresar->stackUnder(MSFlexGrid1);

    const float right = RecordScreen::kBoxLeft + 3900 + 120;
    BtnAnadirGrupo = new QPushButton(QString::fromUtf8("Añadir"), &screen);
    BtnAnadirGrupo->setObjectName(QString::fromUtf8("BtnAñadirGrupo"));
    BtnAnadirGrupo->setToolTip(QString::fromUtf8("Añadir el Registro al Conjunto"));
    twips::place(BtnAnadirGrupo, right, kTop + 300, 1140, 330);
    BtnEliminarGrupo = new QPushButton(QStringLiteral("Eliminar"), &screen);
    BtnEliminarGrupo->setObjectName(QStringLiteral("BtnEliminarGrupo"));
    BtnEliminarGrupo->setToolTip(
        QString::fromUtf8("Eliminar un Registro (Señalar con Click) del Conjunto"));
    twips::place(BtnEliminarGrupo, right, kTop + 720, 1140, 330);
    auto* note = look::caption(&screen, QString::fromUtf8("(Registro de Grabación)"), right - 60,
                               kTop + 1140, 1260, 420, QStringLiteral("LabRegistroGrabacion"));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignCenter);
    if (g == registers::kInterprete)
        LabNumeroInterpretes =
            look::counter(&screen, QStringLiteral("LabNumeroInterpretes"), QStringLiteral("I"),
                          QString::fromUtf8("Nº de Intérpretes"), right + 120, kTop + 1680, 600);

    // The notes end above the set panel.
    QWidget* notes = screen.notesBox();
    twips::setHeight(notes, kTop - 120 - twips::top(notes));

    connect(BtnAnadirGrupo, &QPushButton::clicked, this, &RecordSet::AnadirGrupo);
    connect(BtnEliminarGrupo, &QPushButton::clicked, this, &RecordSet::EliminarGrupo);
    connect(&screen, &BrowseScreen::registroCambiado, this, &RecordSet::erase);
    refresh();
}

QVector<qint64>& RecordSet::keys() const {
    FormBasesDatos& hub = *screen_.context().hub;
    switch (screen_.global()) {
        case registers::kOrquesta:
            return hub.ConjuntoOrquesta;
        case registers::kDirector:
            return hub.ConjuntoDirector;
        default:
            return hub.ConjuntoInterprete;
    }
}

int RecordSet::limit() const {
    return screen_.global() == registers::kInterprete ? 100 : 10;
}

QString RecordSet::limitMessage() const {
    FormBasesDatos& hub = *screen_.context().hub;
    switch (screen_.global()) {
        case registers::kOrquesta:
            return hub.MensaMaxConjuntoOrquestas;
        case registers::kDirector:
            return hub.MensaMaxConjuntoDirectores;
        default:
            return hub.MensaMaxConjuntoInterpretes;
    }
}

void RecordSet::AnadirGrupo() {
    if (screen_.pending()) return;  // the record shown is being changed
    FormBasesDatos& hub = *screen_.context().hub;
    const qint64 key = hub.Data[screen_.global()].recordset().currentKey();
    if (key == 0) {
        dialogs::error(screen_.context().window, hub.MensaNoElegidoReg);
        return;
    }
    QVector<qint64>& set = keys();
    const int at = set.indexOf(key);
    if (at >= 0) {  // already in the set: point at it
        MSFlexGrid1->selectRow(at);
        return;
    }
    if (set.size() >= limit()) {
        dialogs::warning(screen_.context().window, limitMessage());
        return;
    }
    set << key;
    refresh();
    MSFlexGrid1->selectRow(int(set.size()) - 1);
}

void RecordSet::EliminarGrupo() {
    const int row = MSFlexGrid1->currentRow();
    QVector<qint64>& set = keys();
    if (row < 0 || row >= set.size() || MSFlexGrid1->selectedItems().isEmpty()) return;
    set.removeAt(row);
    refresh();
}

void RecordSet::erase() {
    keys().clear();
    refresh();
}

void RecordSet::refresh() {
    QVector<qint64>& set = keys();
    const RegisterDef& d = screen_.def();
    const QStringList nameCols = d.nameColumns();
    QHash<qint64, QStringList> rows;
    if (!set.isEmpty()) {
        QStringList ids;
        for (qint64 k : set) ids << QString::number(k);
        DataControl reader;
        reader.DatabaseName = screen_.context().hub->Data[d.global].DatabaseName;
        reader.RecordSource = QStringLiteral("SELECT * FROM %1 WHERE Id IN (%2)")
                                  .arg(d.table, ids.join(QLatin1Char(',')));
        try {
            reader.Refresh();
            Recordset& rs = reader.recordset();
            for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) {
                QStringList parts;
                for (const QString& c : nameCols) parts << rs.Field(c);
                QStringList cells{parts.join(QLatin1Char(' '))};
                if (d.global == registers::kInterprete)
                    cells << rs.Field(QStringLiteral("Instrumento"));
                rows.insert(rs.currentKey(), cells);
            }
        } catch (const DbError&) {
            // The names cannot be read now; the keys stay and the lines show them empty.
            for (qint64 k : set) rows.insert(k, QStringList{QString()});
        }
        set.erase(
            std::remove_if(set.begin(), set.end(), [&](qint64 k) { return !rows.contains(k); }),
            set.end());
    }
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(int(set.size()));
    for (int r = 0; r < set.size(); ++r) {
        const QStringList cells = rows.value(set[r]);
        for (int c = 0; c < MSFlexGrid1->columnCount(); ++c)
            MSFlexGrid1->setItem(r, c, new QTableWidgetItem(cells.value(c)));
    }
    if (LabNumeroInterpretes) LabNumeroInterpretes->setText(QString::number(set.size()));
}
