#include "store/record_store.h"

#include <cmath>

#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/picture_paths.h"

void RecordStore::fail(int number, const QString& detail) {
    ErrorDatos = true;
    ErrorNumero = number;
    ErrorDetalle = detail;
}

QString RecordStore::errorText() const {
    return ctx_.hub->MensaProducidoError + QString::number(ErrorNumero);
}

void RecordStore::reportError() {
    dialogs::error(ctx_.window, errorText());
    ErrorDatos = false;
}

void RecordStore::GuardarCampos(int IndiceDatos, int NumCampos, bool Nuevo, const Campos& campos) {
    if (NumCampos < 0 || NumCampos > 100) return;
    DataControl& data = ctx_.hub->Data[IndiceDatos];
    Recordset& rs = data.recordset();
    try {
        if (rs.RecordCount() > 0) {
            if (Nuevo) {
                rs.MoveLast();
                rs.AddNew();
            } else {
                rs.Edit();
            }
        } else {
            rs.AddNew();
        }
        for (int i = 0; i < NumCampos; ++i) rs.setField(campos[i].first, campos[i].second);
        rs.Update();
        data.Refresh();
    } catch (const DbError& e) {
        rs.CancelUpdate();
        fail(e.number, e.detail);
    } catch (const std::bad_alloc&) {
        rs.CancelUpdate();
        fail(dberr::kOutOfMemory, QStringLiteral("memoria insuficiente"));
    }
}

void RecordStore::EliminarRegistro(int IndiceDatos) {
    Recordset& rs = ctx_.hub->Data[IndiceDatos].recordset();
    try {
        if (!rs.EOF_()) {
            rs.Delete();
            rs.MoveNext();
        } else {
            dialogs::error(ctx_.window, ctx_.hub->MensaNoElegidoReg);
        }
    } catch (const DbError& e) {
        fail(e.number, e.detail);
    }
}

void RecordStore::CargarImagen(PictureBox& imagen, CommonDialog& dialogo, int altoMax,
                               int anchoMax) {
    imagen.hide();
    imagen.setStretch(false);
    try {
        // A stored path relative to the catalogue's folder is read from there.
        imagen.LoadPicture(picturepaths::resolve(ctx_.PathBaseDatos, dialogo.FileName));
        if (dialogo.FileName.isEmpty()) {
            imagen.setStretch(true);
            return;
        }
        double W = std::round(twips::width(&imagen));
        double H = std::round(twips::height(&imagen));
        if (W <= 0 || H <= 0) throw PictureError("imagen sin tamaño");
        if (W >= H) {
            twips::setWidth(&imagen, float(anchoMax));
            twips::setHeight(&imagen, float(double(qint64(anchoMax) * qint64(H)) / W));
        } else {
            twips::setHeight(&imagen, float(altoMax));
            twips::setWidth(&imagen, float(double(qint64(altoMax) * qint64(W)) / H));
        }
        imagen.setStretch(true);
    } catch (const std::exception&) {
        imagen.clearPicture();
        imagen.setStretch(true);
        dialogo.FileName.clear();
    }
}

void RecordStore::BloquearSolapas(bool Bloqueo) {
    static const char* const order[] = {"TabNivel1",      "TabRegistros1",     "TabReg1Anadir",
                                        "TabReg1Listar",  "TabReg1Mostrar",    "TabReg1Seleccionar",
                                        "TabRegistros2",  "TabReg2Anadir",     "TabReg2Listar",
                                        "TabReg2Mostrar", "TabReg2Seleccionar"};
    if (!ctx_.nav) return;
    for (const char* name : order)
        if (QWidget* w = ctx_.nav->strip(QLatin1String(name))) w->setEnabled(!Bloqueo);
}
