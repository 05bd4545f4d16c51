#include "entry/entry_screen.h"

#include <sqlite3.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "entry/csv_import.h"
#include "entry/field_box.h"
#include "entry/import_dialog.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/record_label.h"
#include "store/record_links.h"

EntryScreen::EntryScreen(Context& ctx, int global, QWidget* parent)
    : RecordScreen(ctx, registers::screenNumber(global, 0), global, parent) {
    buildPanel();
    connect(picture().Imagen, &PictureBox::DblClick, this, [this] {
        picture().choose();
        setPending(QStringLiteral("Imagen"), picture().fileName());
    });
    connect(picture().BtnImagenEliminar, &QPushButton::clicked, this, [this] {
        picture().remove();
        setPending(QStringLiteral("Imagen"), picture().fileName());
    });
    connect(BtnGuardar, &QPushButton::clicked, this, &EntryScreen::Guardar);
    connect(BtnDeshacer, &QPushButton::clicked, this, &EntryScreen::Deshacer);
    QWidget* last = boxes().isEmpty() ? static_cast<QWidget*>(notesBox()) : boxes().last();
    if (notesBox()->geometry().top() > last->geometry().top()) last = notesBox();
    setTabOrder(last, BtnGuardar);
    if (BtnImportar) {
        connect(BtnImportar, &QPushButton::clicked, this, &EntryScreen::Importar);
        setTabOrder(BtnGuardar, BtnImportar);
        setTabOrder(BtnImportar, BtnDeshacer);
    } else {
        setTabOrder(BtnGuardar, BtnDeshacer);
    }
    showCounters();
}

void EntryScreen::buildPanel() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    look::setBackColor(Frame1, look::kPanel);
    twips::place(Frame1, 300, 3750, 3000, 3870);
    auto heading = [&](const QString& text, float top) {
        auto* l = look::caption(Frame1, text, 0, top, 3000, 255);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    QFont bold = font();
    bold.setBold(true);
    heading(QStringLiteral("REGISTROS"), 120)->setFont(bold);
    heading(QString::fromUtf8("Añadir"), 420);
    const QString fields = QString::number(def().fieldCount);
    auto group = [&](const QString& title, float left, const QString& counterName,
                     const QString& counterTip, const QString& fixedName, const QString& fixedTip) {
        look::caption(Frame1, title, left, 840, 1320, 255)->setAlignment(Qt::AlignCenter);
        QLabel* c = look::counter(Frame1, counterName, QStringLiteral("R"), counterTip, left + 90,
                                  1200, 900);
        QLabel* f =
            look::counter(Frame1, fixedName, QStringLiteral("C"), fixedTip, left + 90, 1620, 900);
        f->setText(fields);
        return c;
    };
    LabNumRegNuevos =
        group(QStringLiteral("Nuevo"), 120, QStringLiteral("LabNumRegNuevos"),
              QString::fromUtf8("Nº de Registros Nuevos"), QStringLiteral("LabNumCamposNuevo"),
              QString::fromUtf8("Nº de Campos por Registro Nuevo"));
    LabNumRegTotal =
        group(QStringLiteral("Total"), 1560, QStringLiteral("LabNumRegTotal"),
              QString::fromUtf8("Nº Total de Registros"), QStringLiteral("LabNumCamposTotal"),
              QString::fromUtf8("Nº de Campos por Registro"));
    BtnGuardar = new QPushButton(QStringLiteral("Guardar"), Frame1);
    BtnGuardar->setObjectName(QStringLiteral("BtnGuardar"));
    BtnGuardar->setToolTip(QStringLiteral("Guardar el Registro"));
    // Every register but the recording, whose records are links, can import: "Importar" takes
    // the right half of the row of "Guardar".
    if (def().global == registers::kGrabacion) {
        twips::place(BtnGuardar, 300, 2400, 2400, 405);
    } else {
        twips::place(BtnGuardar, 300, 2400, 1140, 405);
        BtnImportar = new QPushButton(hub().EtiImportar, Frame1);
        BtnImportar->setObjectName(QStringLiteral("BtnImportar"));
        BtnImportar->setToolTip(hub().EtiImportarAyuda);
        twips::place(BtnImportar, 1560, 2400, 1140, 405);
    }
    BtnDeshacer = new QPushButton(QStringLiteral("Deshacer"), Frame1);
    BtnDeshacer->setObjectName(QStringLiteral("BtnDeshacer"));
    BtnDeshacer->setToolTip(QString::fromUtf8("Eliminar el último Registro"));
    BtnDeshacer->setEnabled(false);
    twips::place(BtnDeshacer, 300, 2940, 2400, 405);
}

void EntryScreen::showCounters() {
    LabNumRegTotal->setText(QString::number(state().Cont));
    LabNumRegNuevos->setText(QString::number(state().ContNew));
}

void EntryScreen::setPending(const QString& key, const QString& value) {
    state().MemoAna.insert(key, value);
}

QString EntryScreen::pending(const QString& key) const {
    return state().MemoAna.value(key);
}

void EntryScreen::boxChanged(FieldBox* b) {
    RecordScreen::boxChanged(b);
    setPending(b->objectName(), b->text());
}

void EntryScreen::boxFocused(FieldBox* b) {
    b->selectAll();
}

void EntryScreen::notesChanged() {
    setPending(notesBox()->objectName(), notesBox()->text());
}

void EntryScreen::restorePending() {
    for (FieldBox* b : boxes()) b->setText(pending(b->objectName()));
    notesBox()->setText(pending(notesBox()->objectName()));
}

void EntryScreen::Carga() {
    BtnDeshacer->setEnabled(false);
    showCounters();
    restorePending();
    const bool shown = picture().showStored(pending(QStringLiteral("Imagen")));
    // A new record takes only a picture that can be shown: one gone since it was chosen is
    // dropped.
    if (!shown) picture().remove();
    picture().BtnImagenEliminar->setVisible(shown);
    recomposeName();
    typeNext();
}

void EntryScreen::typeNext() {
    if (QWidget* first = firstControl()) first->setFocus(Qt::OtherFocusReason);
}

void EntryScreen::clearFields() {
    clearBoxes();
    picture().setName(QString());
    picture().remove();
}

void EntryScreen::Limpiar() {
    clearFields();
    state().MemoAna.clear();
    typeNext();
}

void EntryScreen::failedSave(int number, const QString& detail) {
    reportFailure(number, detail);
    Carga();
    Limpiar();
}

void EntryScreen::Guardar() {
    if (!identifierPresent()) return;
    if (!yearsReady()) return;
    if (!newOrConfirmed()) return;
    const int g = global();
    DataControl& data = hub().Data[g];
    try {
        // The whole table replaces the register's selection; the new record goes after the last.
        data.RecordSource = FormBasesDatos::wholeTable(g);
        data.Refresh();
        Recordset& rs = data.recordset();
        if (rs.RecordCount() > 0) rs.MoveLast();
        writeNew();
    } catch (const DbError& e) {
        failedSave(e.number, e.detail);
        return;
    } catch (const std::bad_alloc&) {
        failedSave(dberr::kOutOfMemory, {});
        return;
    }
    if (store().ErrorDatos) {
        store().reportError();
        Carga();
        Limpiar();
        return;
    }
    const auto& keys = data.recordset().keys();
    added(keys.empty() ? std::vector<qint64>() : std::vector<qint64>{keys.back()});
    dialogs::information(ctx_.window, hub().MensaGrabadoBien);
    picture().BtnImagenEliminar->hide();
    Limpiar();
}

duplicates::Match EntryScreen::equalRecord() {
    QHash<QString, QString> values;
    for (const QString& column : labels::columnsOf(global()))
        if (const FieldDef* f = def().field(column)) {
            QString v;
            if (valueOf(*f, &v)) values.insert(column, v);
        }
    return duplicates::findEqual(*hub().Data[global()].connection(), hub(), global(), values);
}

bool EntryScreen::newOrConfirmed() {
    duplicates::Match same;
    try {
        same = equalRecord();
    } catch (const DbError&) {
        return true;  // the save itself meets the failure and reports it
    }
    if (same.key == 0) return true;
    return dialogs::message(ctx_.window, hub().MensaRegistroIgual.arg(same.label),
                            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::No) == QMessageBox::Yes;
}

void EntryScreen::added(std::vector<qint64> keys) {
    RegisterState& s = state();
    // A save counts its record even when its key could not be read back.
    const qint32 n = qMax<qint32>(1, qint32(keys.size()));
    s.Cont += n;
    s.ContNew += n;
    showCounters();
    hub().resetSelection(global());
    lastSaved_ = std::move(keys);
    BtnDeshacer->setEnabled(true);
}

void EntryScreen::Importar() {
    DialogoImportar.Name = QStringLiteral("DialogoImportar");
    DialogoImportar.DialogTitle = hub().EtiImportarTitulo;
    DialogoImportar.Filter = hub().EtiFormatoCsvAbrir;
    if (!DialogoImportar.ShowOpen(this)) return;
    importFrom(DialogoImportar.FileName);
}

bool EntryScreen::importFrom(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    csvimport::Plan plan;
    try {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            dialogs::error(ctx_.window, hub().MensaImportarIlegible.arg(shown));
            return false;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            dialogs::error(ctx_.window, hub().MensaImportarIlegible.arg(shown));
            return false;
        }
        plan = csvimport::prepare(bytes, def(), hub(), shown);
    } catch (const std::bad_alloc&) {
        dialogs::error(ctx_.window, hub().MensaImportarIlegible.arg(shown));
        return false;
    }
    if (!plan.problem.isEmpty()) {
        dialogs::warning(ctx_.window, plan.problem);
        return false;
    }
    const int g = global();
    DataControl& data = hub().Data[g];
    try {
        // Rows that repeat a stored record or an earlier row are shown apart in the preview;
        // like the reading of the file, a few index steps a row.
        csvimport::markRepeats(*data.connection(), def(), hub(), plan);
    } catch (const DbError& e) {
        dialogs::error(ctx_.window, hub().MensaImportarFallida.arg(e.number));
        return false;
    }
    {
        ImportDialog preview(hub(), plan, path, ctx_.window ? ctx_.window : this);
        if (dialogs::exec(preview) != QDialog::Accepted) return false;
        if (!preview.ChkRepetidas->isChecked()) csvimport::leaveOutRepeats(plan);
        if (plan.rows.empty()) return false;
    }
    std::vector<qint64> keys;
    try {
        // All rows or none: a failure or "Cancelar" in the progress window rolls them all back.
        busy::Watch watch(hub().MensaImportando, hub().EtiCancelar);
        const qint64 total = qint64(plan.rows.size());
        keys = csvimport::insert(*data.connection(), def(), plan,
                                 [&](qint64 done) { return watch.keepGoing(done, total); });
    } catch (const DbError& e) {
        if (e.number == dberr::kCancelled)
            dialogs::information(ctx_.window, hub().MensaImportarCancelado);
        else
            dialogs::error(ctx_.window, hub().MensaImportarFallida.arg(e.number));
        return false;
    } catch (const std::bad_alloc&) {
        dialogs::error(ctx_.window, hub().MensaImportarFallida.arg(dberr::kOutOfMemory));
        return false;
    }
    const qint64 count = qint64(keys.size());
    added(std::move(keys));
    try {
        // The whole table replaces the register's selection, as after a save.
        data.RecordSource = FormBasesDatos::wholeTable(g);
        data.Refresh();
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
    dialogs::information(ctx_.window, hub().MensaImportado.arg(count));
    return true;
}

void EntryScreen::writeNew() {
    Campos campos;
    const int n = collectFields(campos);
    store().GuardarCampos(global(), n, true, campos);
}

void EntryScreen::Deshacer() {
    if (lastSaved_.size() > 1) {
        undoImport();
        return;
    }
    const qint64 lastSaved = lastSaved_.empty() ? 0 : lastSaved_.front();
    const int g = global();
    DataControl& data = hub().Data[g];
    BtnDeshacer->setEnabled(false);
    long before = 0;
    try {
        // The record saved last is the last of the whole table; find it by its key, so nothing
        // else is ever taken back.
        auto find = [&] {
            const auto& keys = data.recordset().keys();
            for (long i = long(keys.size()) - 1; i >= 0; --i)
                if (keys[size_t(i)] == lastSaved) return i;
            return -1L;
        };
        long at = find();
        if (at < 0) {
            data.RecordSource = FormBasesDatos::wholeTable(g);
            data.Refresh();
            at = find();
        }
        if (at < 0 || lastSaved == 0) return;
        const int users = links::recordingsUsing(ctx_, g, lastSaved);
        if (users > 0) {
            dialogs::warning(ctx_.window, hub().MensaRegistroEnUso.arg(users));
            return;
        }
        data.recordset().setAbsolutePosition(at);
        before = data.recordset().RecordCount();
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
        return;
    }
    store().EliminarRegistro(g);
    if (store().ErrorDatos) {
        store().reportError();
        return;
    }
    if (data.recordset().RecordCount() == before) return;
    lastSaved_.clear();
    RegisterState& s = state();
    --s.Cont;
    --s.ContNew;
    s.ContSel = s.Cont;
    showCounters();
}

void EntryScreen::undoImport() {
    const int g = global();
    const auto n = qint64(lastSaved_.size());
    if (dialogs::message(ctx_.window, hub().MensaDeshacerImportacion.arg(n), QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    BtnDeshacer->setEnabled(false);
    DataControl& data = hub().Data[g];
    qint64 deleted = 0;
    try {
        int users = 0;
        for (qint64 key : lastSaved_) users += links::recordingsUsing(ctx_, g, key);
        if (users > 0) {
            dialogs::warning(ctx_.window, hub().MensaRegistroEnUso.arg(users));
            return;
        }
        // All of them or none, by key, so nothing else is ever taken back.
        std::shared_ptr<Connection> conn = data.connection();
        conn->transaction([&] {
            sqlite3_stmt* st =
                conn->prepare(QStringLiteral("DELETE FROM \"%1\" WHERE Id = ?1").arg(def().table));
            for (qint64 key : lastSaved_) {
                sqlite3_bind_int64(st, 1, key);
                const int rc = sqlite3_step(st);
                sqlite3_reset(st);
                if (rc != SQLITE_DONE) conn->fail(rc);
                deleted += sqlite3_changes(conn->db());
            }
        });
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
        return;
    }
    lastSaved_.clear();
    RegisterState& s = state();
    s.Cont -= qint32(deleted);
    s.ContNew -= qint32(deleted);
    s.ContSel = s.Cont;
    showCounters();
    try {
        data.RecordSource = FormBasesDatos::wholeTable(g);
        data.Refresh();
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
}
