#pragma once
// The record-store operations every screen shares: write a field list to a register table, delete
// the current record, load and fit a picture, lock the navigation tabs while a record changes.
#include <QPair>
#include <QString>
#include <array>

class CommonDialog;
class PictureBox;
struct Context;

// The field list of GuardarCampos: 101 slots of (field name, value as text).
using Campos = std::array<QPair<QString, QString>, 101>;

class RecordStore {
  public:
    explicit RecordStore(Context& ctx) : ctx_(ctx) {}

    // Shared failure flag and the number of the error that set it.
    bool ErrorDatos = false;
    int ErrorNumero = 0;
    QString ErrorDetalle;  // the engine's own words

    void GuardarCampos(int IndiceDatos, int NumCampos, bool Nuevo, const Campos& campos);
    void EliminarRegistro(int IndiceDatos);
    void CargarImagen(PictureBox& imagen, CommonDialog& dialogo, int altoMax, int anchoMax);
    void BloquearSolapas(bool Bloqueo);

    // The text shown for a failure: "Se ha producido el ERROR: " and the number.
    QString errorText() const;
    // Shows the failure message (critical icon) and clears the flag.
    void reportError();

  private:
    void fail(int number, const QString& detail);
    Context& ctx_;
};
