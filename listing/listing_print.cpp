// "Imprimir": the print dialog and the printout of the selection.
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>

#include "listing/listing_screen.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/picture_box.h"
#include "store/data_hub.h"
#include "store/picture_paths.h"
#include "store/record_store.h"

using namespace listing;

void ListingScreen::Imprimir() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Ormelia - ") + def_.caption);
    printer.setCreator(QStringLiteral("Ormelia"));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("DialogoImpresora"));
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    if (!dialogs::execPrint(dialog, printer)) return;
    printTo(printer);
}

QVector<Printout::Line> ListingScreen::printHeading(qint64 records) const {
    const RegisterState& s = state();
    QVector<Printout::Line> out;
    out.push_back({QStringLiteral("Registro"), def_.caption});
    out.push_back({QString::fromUtf8("Selección"),
                   QStringLiteral("%1 de %2 Registros").arg(records).arg(s.Cont)});
    QString filters = QString::number(s.ContFil);
    if (s.ContFil == 0)
        filters += QStringLiteral("  (Todos los Registros)");
    else if (s.MemoSelNT != 0 && !s.MemoSelValorFiltro.trimmed().isEmpty())
        filters += QStringLiteral("  ") + s.MemoSelValorFiltro.trimmed();
    out.push_back({QStringLiteral("Filtros"), filters});
    // "Histórico", the last direction, is also the recording's only one: no field is named.
    const auto& dirs = registers::sortDirectionsOf(global_);
    QString order = dirs.last().caption;
    if (s.MemoSelCriterioOrden >= 0 && s.MemoSelCriterioOrden < dirs.size() - 1 &&
        s.MemoSelCampoOrden >= 0 && s.MemoSelCampoOrden < def_.sortFields.size())
        order = def_.sortFields[s.MemoSelCampoOrden].caption + QLatin1Char(' ') +
                dirs[s.MemoSelCriterioOrden].caption;
    out.push_back({QStringLiteral("Orden"), order});
    QStringList fields;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked) fields << def_.listEntries[i].caption;
    out.push_back({QStringLiteral("Campos"), fields.isEmpty() ? QStringLiteral("Ninguno")
                                                              : fields.join(QStringLiteral(", "))});
    return out;
}

bool ListingScreen::printTo(QPagedPaintDevice& device) {
    Printout out(device);
    if (!out.begin()) {
        dialogs::error(ctx_.window, ctx_.hub->MensaImpresionFallida);
        return false;
    }
    Recordset& rs = recordset();
    const qint64 N = rs.RecordCount();
    const long keep = rs.AbsolutePosition();
    out.heading(QStringLiteral("- Ormelia -   ") + def_.caption, printHeading(N));
    const QVector<int> chosen = tickedEntries();
    const bool withPictures = list_->item(textEntries())->checkState() == Qt::Checked;
    progress_->setMaximum(int(qMax<qint64>(N, 1)));
    bool ok = true;
    // A printout of a large selection takes long: the user sees it and may stop it.
    busy::Watch watch(ctx_.hub->MensaImprimiendo, ctx_.hub->EtiCancelar);
    try {
        for (qint64 k = 0; k < N; ++k) {
            if (!watch.keepGoing()) {
                ok = false;
                if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
                break;
            }
            progress_->setValue(int(k + 1));
            rs.setAbsolutePosition(long(k));
            QImage picture;
            const QString path = withPictures ? picturePath() : QString();
            if (!path.isEmpty()) {
                QSize declared;
                try {
                    picture = PictureBox::readPicture(
                        picturepaths::resolve(ctx_.PathBaseDatos, path), &declared);
                } catch (const PictureError&) {
                    picture = QImage();  // listed all the same, without its picture
                }
            }
            QVector<Printout::Line> fields;
            for (int e : std::as_const(chosen))
                fields.push_back({def_.listEntries[e].caption, entryText(e)});
            out.record(ctx_.hub->EtiNumero + QLatin1Char(' ') + QString::number(k + 1), picture,
                       fields);
        }
    } catch (const DbError& e) {
        ok = false;
        dialogs::error(ctx_.window, ctx_.hub->MensaProducidoError + QString::number(e.number));
    }
    out.end();
    progress_->setValue(0);
    if (keep >= 0 && keep < rs.RecordCount()) rs.setAbsolutePosition(keep);
    return ok;
}
