// "Exportar": the save dialog and the selection written as CSV.
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QProgressBar>

#include "listing/csv_export.h"
#include "listing/field_text.h"
#include "listing/listing_screen.h"
#include "store/data_hub.h"
#include "store/record_store.h"

using namespace listing;

void ListingScreen::Exportar() {
    if (recordset().RecordCount() == 0 || ticked() == 0) {
        dialogs::information(ctx_.window, ctx_.hub->MensaExportarNada);
        return;
    }
    DialogoExportar.DialogTitle = ctx_.hub->EtiExportarTitulo;
    DialogoExportar.Filter = ctx_.hub->EtiFormatoCsv;
    if (DialogoExportar.FileName.isEmpty())
        DialogoExportar.FileName = def_.name + QStringLiteral(".csv");
    if (!DialogoExportar.ShowSave(this)) return;
    exportTo(DialogoExportar.FileName);
}

bool ListingScreen::exportTo(const QString& path) {
    Recordset& rs = recordset();
    const QVector<int> chosen = tickedEntries();
    const bool withPicture = list_->item(textEntries())->checkState() == Qt::Checked;
    if (rs.RecordCount() == 0 || (chosen.isEmpty() && !withPicture)) {
        dialogs::information(ctx_.window, ctx_.hub->MensaExportarNada);
        return false;
    }
    const long keep = rs.AbsolutePosition();
    rs.MoveLast();  // the count is exact from here on
    CsvRows rows;
    rows.count = rs.RecordCount();
    // A work's movements go out with their durations, which no column of the listing shows, so
    // that an import brings the work back whole.
    const FieldDef* durations = nullptr;
    for (const FieldDef& f : def_.fields)
        if (f.kind == FieldKind::Durations) durations = &f;
    auto withDurations = [&](int e) {
        const FieldDef* f = def_.field(def_.listEntries[e].column);
        return durations && f && f->kind == FieldKind::Movements;
    };
    for (int e : chosen) {
        rows.header << def_.listEntries[e].caption;
        if (withDurations(e)) rows.header << durations->column;
    }
    if (withPicture) rows.header << def_.listEntries.last().caption;
    // One record at a time, read by key as the listing reads its rows.
    rows.fields = [&](qint64 k) {
        rs.setAbsolutePosition(long(k));
        QStringList out;
        for (int e : chosen) {
            out << entryText(e);
            if (withDurations(e)) out << shownValue(durations, rs.Field(durations->column));
        }
        if (withPicture) out << picturePath();
        return out;
    };
    progress_->setMaximum(int(qMax<qint64>(rows.count, 1)));
    progress_->setValue(0);
    rows.progress = [this](qint64 done) {
        progress_->setValue(int(done));
        // Lets the bar be painted; clicks wait until the file is written.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    QString problem;
    bool ok = false;
    try {
        problem = writeCsv(path, rows);
        ok = problem.isEmpty();
        if (!ok)
            dialogs::error(ctx_.window,
                           ctx_.hub->MensaExportacionFallida.arg(QDir::toNativeSeparators(path)));
    } catch (const DbError& e) {
        dialogs::error(ctx_.window, ctx_.hub->MensaProducidoError + QString::number(e.number));
    }
    progress_->setValue(0);
    if (keep >= 0 && keep < rs.RecordCount()) rs.setAbsolutePosition(keep);
    if (ok)
        dialogs::information(ctx_.window,
                             ctx_.hub->MensaExportado.arg(QString::number(rows.count),
                                                          QDir::toNativeSeparators(path)));
    return ok;
}
