#pragma once
// The data hub: the message table and label texts, the data controls of the fourteen register
// tables, and what must outlive a screen: counters, positions, selection, listing and pending
// entry memos, and the view flags. It lives for the whole run; nothing of it is written to disk.
//
// The composer's variables are spelled as the composer screens use them (ContCompositor,
// MemoSelCompLista); every register has the same state under the same stem in `reg[i]`.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

#include "store/engine.h"
#include "store/registers.h"

struct Context;

struct RegisterState {
    qint32 Cont = 0;      // records in the table
    qint32 ContSel = 0;   // records in the current selection
    qint32 Posicion = 1;  // 1-based position of the current record in the selection
    qint32 ContNew = 0;   // added since start-up
    qint32 ContEli = 0;   // deleted since start-up
    qint32 ContFil = 0;   // filters of the current selection

    // Selection memo: see the selection model. The filter list is kept line by line (empty for
    // none), so a value may hold any character.
    qint16 MemoSelNT = 2;
    QString MemoSelOpcionSQL;
    QString MemoSelValorFiltro;
    QStringList MemoSelLista;
    qint16 MemoSelCampoOrden = -1;
    qint16 MemoSelCriterioOrden = -1;
    // The record source of the applied selection ("" = the whole table).
    QString SelRecordSource;
    // The applied selection's description and filter list, kept apart from the memos above,
    // which hold a selection under construction once a filter is added: a construction that is
    // cancelled puts them back.
    QString SelValorFiltro;
    QStringList SelLista;

    // Listing memo: page and zoom shown last, and the fields listed.
    qint32 MemoLisPosicion = 1;
    qint32 MemoLisPosicion2 = 1;
    QVector<bool> CamposListados;

    // Pending entry of the add screen, by control name ("Imagen" for the picture path).
    QHash<QString, QString> MemoAna;
};

// Seven view flags of the "Registros II" show screens.
struct FormBasesDatos2 {
    bool MemoInsRedAmp = false, MemoAgrRedAmp = false, MemoEveRedAmp = false, MemoEscRedAmp = false,
         MemoPubRedAmp = false, MemoEmiRedAmp = false,
         MemoIntRedAmp = false;  // the web-site screen's, not the performer's
};

class FormBasesDatos {
  public:
    explicit FormBasesDatos(Context& ctx);

    // The load step: messages, data controls pointed at the catalogue, counters from the tables.
    // Throws DbError when the catalogue cannot be read.
    void Load();
    // Its first part alone, the message table, which start-up needs before the catalogue is open.
    void LoadMessages();

    // Message table.
    QString MensaIntroducirIDentificador, MensaProducidoError, MensaGrabadoBien,
        MensaSeleccionActual, MensaNoMuestra, MensaNoElegidoReg, MensaMax20Filtros,
        MensaMax150Movimientos, MensaError3360;
    // Messages of this program beyond the original table.
    QString MensaMaxConjuntoOrquestas, MensaMaxConjuntoDirectores, MensaMaxConjuntoInterpretes,
        MensaRegistroEnUso, MensaCompactacionFallida, MensaCompactacionDanada,
        MensaImpresionFallida, MensaSeleccionando, MensaActualizando, MensaActualizacionCancelada,
        MensaCompactando, MensaCompactacionCancelada, MensaImprimiendo, MensaExportarNada,
        MensaExportacionFallida, MensaExportado, MensaImportarIlegible, MensaImportarVacio,
        MensaImportarNoTexto, MensaImportarSinColumnas, MensaImportarFallida, MensaImportado,
        MensaImportarCancelado, MensaImportando, MensaDeshacerImportacion;
    // The safety copies and their pictures.
    QString MensaCopiaFallida, MensaRecuperarAlArrancar, MensaRecuperarPregunta, MensaRecuperada,
        MensaRecuperacionFallida, EtiCopias, EtiCopiasAyuda, EtiCopiasTitulo, EtiCopiasCarpeta,
        EtiCopiasNinguna, EtiCopiasFecha, EtiCopiasHora, EtiCopiasRegistros, EtiCopiasRegistro,
        EtiRecuperar, EtiRecuperarAyuda, MensaSegundaNoDisponible, EtiSegundaCarpeta,
        EtiSegundaNinguna, EtiSegundaElegir, EtiSegundaAyuda, EtiSegundaQuitar,
        EtiSegundaQuitarAyuda, EtiSegundaTitulo;
    // The pictures of the catalogue and the search for the missing ones.
    QString MensaImagenesBuscadas, EtiImagenes, EtiImagenesAyuda, EtiImagenesTitulo, EtiImagenesCon,
        EtiImagenesFaltan, EtiImagenesRegistro, EtiImagenesRuta, EtiImagenesListaFaltan,
        EtiImagenesBuscar, EtiImagenesBuscarAyuda, EtiImagenesBuscarTitulo, EtiDeshacer,
        EtiImagenesDeshacerAyuda;
    // Label texts.
    QString EtiAmpliar, EtiReducir, EtiIdentificador, EtiNumero, EtiEn, EtiInsertarImagen,
        EtiFormatoImagen, EtiAnadir, EtiModificar, EtiNumerico, EtiNotasCortadas,
        EtiImagenesConjunto, EtiCerrar, EtiCancelar, EtiExportar, EtiExportarAyuda,
        EtiExportarTitulo, EtiFormatoCsv, EtiImportar, EtiImportarAyuda, EtiImportarTitulo,
        EtiFormatoCsvAbrir, EtiAceptar, EtiImportarArchivo, EtiImportarAnadir,
        EtiImportarRechazadas, EtiImportarNingunaRechazada, EtiImportarIgnoradas, EtiImportarLinea;
    // What a screen reader says for a record's picture, and for the placeholder shown instead.
    QString EtiImagen, EtiSinImagen;
    // What it says for the listing's page bar and the work's movement editors.
    QString EtiPaginas, EtiMovimiento, EtiHoras, EtiMinutos, EtiSegundos;
    // Why an imported row is refused (EtiImportarLinea puts the line number before them).
    QString MotivoCampos, MotivoComillas, MotivoLargo, MotivoSaltoLinea, MotivoNumero, MotivoTipo,
        MotivoDuracion, MotivoAlmohadilla, MotivoDuraciones, MotivoTiempoTotal;
    // The search of the whole catalogue and the duplicate checks.
    QString MensaRegistroIgual, MensaBuscando, MensaBuscandoDuplicados, EtiBuscar, EtiBuscarAyuda,
        EtiBuscarTitulo, EtiBuscarPalabras, EtiBuscarResultados, EtiBuscarMas, EtiBuscarNinguno,
        EtiBuscarColumnas, EtiDuplicados, EtiDuplicadosAyuda, EtiDuplicadosTitulo,
        EtiDuplicadosNinguno, EtiDuplicadosColumnas, EtiImportarRepetidas,
        EtiImportarListaRepetidas, MotivoEnCatalogo, MotivoRepetidaArchivo;

    std::array<DataControl, registers::kCount> Data;
    std::array<RegisterState, registers::kCount> reg;

    // View flags (true while the screen shows its alternative layout).
    bool MemoCompRedAmp = false, MemoObraRedAmp = false, MemoDirRedAmp = false,
         MemoOrqRedAmp = false, MemoIntRedAmp = false, MemoSopRedAmp = false, MemoGraRedAmp = false,
         MemoAnaObraAmpRed = false, MemoMosObraAmpRed = false;
    FormBasesDatos2 hub2;
    // The reduce/expand flag of a register's show screen.
    bool& RedAmp(int global);

    // Recording entry: links of the recording being entered, by register index 0-5 of
    // "Registros I"; for the composer the 1-based position (MemoAnaGraCompositorPosicion).
    qint32 MemoAnaGraCompositorPosicion = -1;
    std::array<qint64, 6> MemoAnaGraLink{};  // record keys, 0 for none
    // The sets of the recording being entered (Orquesta, Director, Interprete; record keys).
    std::array<QVector<qint64>, 6> MemoAnaGraConjunto;
    // Sets gathered on the show screens of Orquesta, Director and Interprete (record keys).
    QVector<qint64> ConjuntoOrquesta, ConjuntoDirector, ConjuntoInterprete;

    // The composer's variables by their names.
    qint32& ContCompositor() { return reg[0].Cont; }
    qint32& ContSelCompositor() { return reg[0].ContSel; }
    qint32& PosicionCompositor() { return reg[0].Posicion; }
    qint32& ContNewCompositor() { return reg[0].ContNew; }
    qint32& ContEliCompositor() { return reg[0].ContEli; }
    qint32& ContFilCompositor() { return reg[0].ContFil; }
    qint16& MemoSelCompNT() { return reg[0].MemoSelNT; }
    QString& MemoSelCompOpcionSQL() { return reg[0].MemoSelOpcionSQL; }
    QString& MemoSelCompValorFiltro() { return reg[0].MemoSelValorFiltro; }
    QStringList& MemoSelCompLista() { return reg[0].MemoSelLista; }
    qint16& MemoSelCompCampoOrden() { return reg[0].MemoSelCampoOrden; }
    qint16& MemoSelCompCriterioOrden() { return reg[0].MemoSelCriterioOrden; }
    qint32& MemoLisCompPosicion() { return reg[0].MemoLisPosicion; }
    qint32& MemoLisCompPosicion2() { return reg[0].MemoLisPosicion2; }
    QString& MemoCompNombre() { return reg[0].MemoAna[QStringLiteral("TxtNombre")]; }
    QString& MemoCompApellidos() { return reg[0].MemoAna[QStringLiteral("TxtApellidos")]; }
    QString& MemoCompFecha1() { return reg[0].MemoAna[QStringLiteral("TxtFecha1")]; }
    QString& MemoCompFecha2() { return reg[0].MemoAna[QStringLiteral("TxtFecha2")]; }
    QString& MemoCompNotas() { return reg[0].MemoAna[QStringLiteral("TxtNotas")]; }
    QString& MemoCompImagen() { return reg[0].MemoAna[QStringLiteral("Imagen")]; }

    // The fields of a register's current record, as the bound boxes show them.
    QString field(int global, const QString& column) const;
    QString BDReg1ComId() const { return field(0, QStringLiteral("Id")); }
    QString BDReg1ComNom() const { return field(0, QStringLiteral("Nombre")); }
    QString BDReg1ComApe() const { return field(0, QStringLiteral("Apellidos")); }
    QString BDReg1ComFe1() const { return field(0, QStringLiteral("Fecha1")); }
    QString BDReg1ComFe2() const { return field(0, QStringLiteral("Fecha2")); }
    QString BDReg1ComNot() const { return field(0, QStringLiteral("Notas")); }
    QString BDReg1ComIma() const { return field(0, QStringLiteral("Imagen")); }

    // Puts a register's selection back to all records: counters and memos (not the data control).
    void resetSelection(int global);
    // The record source of a register's whole table, as the entry screens set it ("SELECT * FROM
    // Compositor ", with its trailing blank).
    // The picture dialog's filter: every format the picture reader takes.
    static QString pictureFilter();
    static QString wholeTable(int global);
    // Releases the catalogue file (before compaction).
    void close();
    // A copy was brought back in this run: the exit makes a copy of it.
    bool CopiaRecuperada = false;

    Context& context() { return ctx_; }

  private:
    Context& ctx_;
};
