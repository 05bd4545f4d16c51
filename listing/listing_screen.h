#pragma once
// The "Listar - Imprimir" screen of a register (FormReg1LisCompositor and the other twelve): the
// selection as a table of the ticked fields, a page at a time on `VScroll`, rows 300 × zoom
// twips high with the zoom on `HScroll`, each record's picture centred beside its row; the
// counters; "Imprimir", the printout of the selection; and "Exportar", the selection as a CSV
// file. One class serves every register. A register whose fields come from linked records (the
// recording) derives from it and overrides entryText() and picturePath().
//
// Controls by object name: List, BtnListar, BtnImprimir, BtnExportar, Tabla, VScroll, HScroll,
// BtnAImagen, LabZoom, ProgressBar, Label16, LineImagen, LabFondo, the picture boxes Imagen_0 to
// Imagen_21 (box i-1 belongs to data row i), and the counters LabNumRegSeleccion, LabCampos,
// LabNumFiltros, LabNumRegSeleccion1, LabNumCampos, LabNumFiltros1. The grid's row 0 is its header
// row; column 0 holds the record's order number in the selection.
//
// The class is written in parts: listing_screen.cpp (loading, "Listar", the fields of a record),
// listing_controls.cpp (the controls as placed), listing_page.cpp (page and zoom arithmetic, the
// grid's rows), listing_print.cpp and listing_export.cpp (the two outputs).
#include <QVector>

#include "listing/page_layout.h"
#include "listing/printout.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/screen.h"

class PictureBox;
class QFrame;
class QLabel;
class QListWidget;
class QPagedPaintDevice;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTableWidget;
class Recordset;
struct RegisterDef;
struct RegisterState;

class ListingScreen : public Screen {
    Q_OBJECT
  public:
    ListingScreen(Context& ctx, int global, QWidget* parent);

    // CargaReg1LisCompositor and the like: shows the fields, zoom and page of the last visit.
    void Carga() override;

    // What the buttons do, callable directly (the benchmark fills pages through these).
    void Listar();
    void Imprimir();
    void Exportar();
    void Zoom5();
    // Shows a page (1-based) as the page bar does.
    void showPage(int page);
    // Prints the selection on a paged device; false (after saying so) when it cannot be painted.
    bool printTo(QPagedPaintDevice& device);
    // Writes the selection with the ticked fields to `path` as CSV; false (after saying so) when
    // nothing was written.
    bool exportTo(const QString& path);

    // The state of the page shown.
    qint64 RegistroSuperior() const { return registroSuperior_; }
    qint64 rowsPerPage() const { return rows_; }
    int global() const { return global_; }

    static constexpr int kPictureBoxes = 22;

  protected:
    // The text of list entry `entry` (any but the last, the picture) for the record the
    // selection's recordset stands on, as the listing shows it.
    virtual QString entryText(int entry) const;
    // The picture path of that record ("" for none).
    virtual QString picturePath() const;
    Recordset& recordset() const;
    RegisterState& state() const;
    const RegisterDef& def_;

  private:
    void buildControls();
    void buildCounters();
    void Form_Load();
    void pageFill();    // a change of VScroll
    void zoomChange();  // a change of HScroll
    void emptyState();
    void takeTicks();  // CamposListados and NumColumnas from the ticks of List
    void clearPictures();
    void fillRows(qint64 rows, int zoom, qint64 first);
    // The layout a page at this zoom would have with the columns of the listing.
    listing::PageLayout layoutAt(int zoom) const;
    float columnsWidth() const;
    bool pictures() const;
    int ticked() const;
    int textEntries() const;
    QVector<int> tickedEntries() const;  // text entries ticked, in list order
    QVector<Printout::Line> printHeading(qint64 records) const;

    const int global_;
    QListWidget* list_;
    QPushButton *listar_, *imprimir_, *exportar_, *zoom5_;
    QTableWidget* tabla_;
    QScrollBar *vscroll_, *hscroll_;
    QLabel *labZoom_, *label16_, *fondo_;
    QFrame* lineImagen_;
    QProgressBar* progress_;
    QVector<PictureBox*> imagen_;
    QLabel *numRegSeleccion_, *numFiltros_, *numRegSeleccion1_, *numCampos_, *numFiltros1_;
    CommonDialog DialogoImagen;
    CommonDialog DialogoExportar;

    int NumColumnas = 0;
    qint64 FilasPagina = 0;
    qint64 rows_ = 0;  // D, records per page
    qint64 registroSuperior_ = 1;
    qint64 PaginaZoom = 1;
    bool Ocupado = false;
};
