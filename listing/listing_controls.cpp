// The listing screen's controls, placed as designed, and its counters.
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "listing/listing_look.h"
#include "listing/listing_screen.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"

using namespace listing;

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text, float l, float t, float w,
              float h) {
    auto* lab = new QLabel(text, parent);
    if (!name.isEmpty()) lab->setObjectName(name);
    twips::place(lab, l, t, w, h);
    return lab;
}

QLabel* counter(QWidget* parent, const QString& name, const QString& tip, float l, float t) {
    QLabel* lab = label(parent, name, QStringLiteral("0"), l, t, 1100, 255);
    lab->setToolTip(tip);
    look::counterBox(lab);
    return lab;
}

}  // namespace

void ListingScreen::buildControls() {
    fondo_ = label(this, QStringLiteral("LabFondo"), QString(), kFondoLeft, kFondoTop, kFondoWidth,
                   kFondoHeight);
    fondo_->setFrameShape(QFrame::Box);

    label16_ =
        label(this, QStringLiteral("Label16"), QStringLiteral("Imagen"), 195, 150, 1485, 285);
    label16_->setAlignment(Qt::AlignCenter);
    QPalette navy = label16_->palette();
    navy.setColor(QPalette::WindowText, kNavy);
    label16_->setPalette(navy);
    lineImagen_ = new QFrame(this);
    lineImagen_->setObjectName(QStringLiteral("LineImagen"));
    lineImagen_->setAutoFillBackground(true);
    QPalette black = lineImagen_->palette();
    black.setColor(QPalette::Window, Qt::black);
    lineImagen_->setPalette(black);
    twips::place(lineImagen_, 195, 150, 1680 - 195, 15);

    tabla_ = new QTableWidget(this);
    tabla_->setObjectName(QStringLiteral("Tabla"));
    tabla_->setFrameShape(QFrame::NoFrame);
    tabla_->horizontalHeader()->hide();
    tabla_->verticalHeader()->hide();
    tabla_->horizontalHeader()->setMinimumSectionSize(1);
    tabla_->horizontalHeader()->setDefaultSectionSize(twips::toPixels(kDefaultColumn));
    tabla_->verticalHeader()->setMinimumSectionSize(1);
    tabla_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabla_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setWordWrap(true);
    twips::place(tabla_, kGridLeft, kGridTop, kGridWidth, kGridHeight);

    vscroll_ = new QScrollBar(Qt::Vertical, this);
    vscroll_->setObjectName(QStringLiteral("VScroll"));
    vscroll_->setRange(1, 1);
    vscroll_->setPageStep(1);
    vscroll_->setTracking(false);  // a drag changes the page when it ends
    twips::place(vscroll_, kPageBarLeft, kGridTop, kPageBarWidth, kGridHeight);
    vscroll_->hide();
    connect(vscroll_, &QScrollBar::valueChanged, this, [this] { pageFill(); });

    for (int i = 0; i < kPictureBoxes; ++i) {
        auto* box = new PictureBox(this, QStringLiteral("Imagen_%1").arg(i));
        box->hide();
        imagen_ << box;
    }

    label(this, QStringLiteral("LabEscogerCampos"), QStringLiteral("Escoger Campos"), 165, 6540,
          2600, 240);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List"));
    list_->setToolTip(QStringLiteral("Campos"));
    for (const VocabItem& e : def_.listEntries) {
        auto* it = new QListWidgetItem(e.caption, list_);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        it->setCheckState(Qt::Unchecked);
    }
    twips::place(list_, 165, 6780, 2600, 1230);

    listar_ = new QPushButton(QStringLiteral("Listar"), this);
    listar_->setObjectName(QStringLiteral("BtnListar"));
    listar_->setToolTip(QStringLiteral("Listar los Registros"));
    twips::place(listar_, 2910, 6780, 1215, 375);
    connect(listar_, &QPushButton::clicked, this, [this] { Listar(); });
    imprimir_ = new QPushButton(QStringLiteral("Imprimir"), this);
    imprimir_->setObjectName(QStringLiteral("BtnImprimir"));
    imprimir_->setToolTip(QStringLiteral("Imprimir los Registros"));
    twips::place(imprimir_, 2910, 7260, 1215, 375);
    connect(imprimir_, &QPushButton::clicked, this, [this] { Imprimir(); });
    // Below "Imprimir", the same size and gap, in the room left before the screen's foot.
    exportar_ = new QPushButton(ctx_.hub->EtiExportar, this);
    exportar_->setObjectName(QStringLiteral("BtnExportar"));
    exportar_->setToolTip(ctx_.hub->EtiExportarAyuda);
    twips::place(exportar_, 2910, 7740, 1215, 375);
    connect(exportar_, &QPushButton::clicked, this, [this] { Exportar(); });

    QLabel* expandir = label(this, QStringLiteral("LabExpandir"), QStringLiteral("Expandir Filas"),
                             4320, 6540, 2400, 240);
    hscroll_ = new QScrollBar(Qt::Horizontal, this);
    hscroll_->setObjectName(QStringLiteral("HScroll"));
    hscroll_->setRange(kMinZoom, kMaxZoom);
    hscroll_->setPageStep(1);
    hscroll_->setValue(1);
    hscroll_->setTracking(false);
    twips::place(hscroll_, 4320, 6780, 2400, 255);
    connect(hscroll_, &QScrollBar::valueChanged, this, [this] { zoomChange(); });
    zoom5_ = new QPushButton(QStringLiteral("Zoom 5"), this);
    zoom5_->setObjectName(QStringLiteral("BtnAImagen"));
    zoom5_->setToolTip(QStringLiteral("Zoom 5"));
    twips::place(zoom5_, 4320, 7140, 975, 375);
    connect(zoom5_, &QPushButton::clicked, this, [this] { Zoom5(); });
    labZoom_ = label(this, QStringLiteral("LabZoom"), QStringLiteral("1"), 5400, 7185, 420, 285);
    labZoom_->setToolTip(QStringLiteral("Nº de Zoom"));
    labZoom_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(this, QStringLiteral("LabX"), QStringLiteral("x"), 5850, 7185, 200, 285);

    QLabel* proceso =
        label(this, QStringLiteral("LabProceso"), QStringLiteral("Proceso"), 4320, 7620, 2400, 240);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar"));
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    twips::place(progress_, 4320, 7860, 2400, 210);

    // Pictures stand over the listing area.
    for (PictureBox* b : std::as_const(imagen_)) b->raise();

    accessible::caption(expandir, hscroll_);
    accessible::caption(proceso, progress_);
    accessible::name(tabla_, def_.caption);
    accessible::name(vscroll_, ctx_.hub->EtiPaginas);
    for (PictureBox* b : std::as_const(imagen_)) accessible::name(b, ctx_.hub->EtiImagen);
}

void ListingScreen::buildCounters() {
    QLabel* title = label(this, QStringLiteral("LabTitulo"), QStringLiteral("- Ormelia -"), 7000,
                          6540, 3155, 285);
    title->setAlignment(Qt::AlignCenter);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    // Starts just right of the zoom bar and in a smaller type, so the whole word fits before
    // the counters' first column.
    QLabel* registros = label(this, QStringLiteral("LabRegistros"), QStringLiteral("REGISTROS"),
                              6750, 6870, 930, 240);
    twips::setFontPoints(registros, appearance::kFontPoints * 0.85);
    QLabel* sel = label(this, QStringLiteral("LabSeleccion"), QString::fromUtf8("Selección"), 7680,
                        6870, 1100, 240);
    sel->setAlignment(Qt::AlignCenter);
    QLabel* lis =
        label(this, QStringLiteral("LabListar"), QStringLiteral("Listar"), 8940, 6870, 1100, 240);
    lis->setAlignment(Qt::AlignCenter);
    const char* letters[] = {"R", "C", "F"};
    for (int r = 0; r < 3; ++r)
        label(this, QStringLiteral("LabLetra%1").arg(QLatin1String(letters[r])),
              QLatin1String(letters[r]), 7290, 7170 + 300 * r, 300, 255);

    numRegSeleccion_ = counter(this, QStringLiteral("LabNumRegSeleccion"),
                               QString::fromUtf8("Nº de Registros Seleccionados"), 7680, 7170);
    QLabel* campos =
        counter(this, QStringLiteral("LabCampos"),
                QString::fromUtf8("Nº de Campos por Registro Seleccionado"), 7680, 7470);
    campos->setText(QString::number(def_.fieldCount));
    numFiltros_ = counter(this, QStringLiteral("LabNumFiltros"),
                          QString::fromUtf8("Nº de Filtros Seleccionados"), 7680, 7770);
    numRegSeleccion1_ = counter(this, QStringLiteral("LabNumRegSeleccion1"),
                                QString::fromUtf8("Nº de Registros Listados"), 8940, 7170);
    numCampos_ = counter(this, QStringLiteral("LabNumCampos"),
                         QString::fromUtf8("Nº de Campos por Registro Listado"), 8940, 7470);
    numFiltros1_ = counter(this, QStringLiteral("LabNumFiltros1"),
                           QString::fromUtf8("Nº de Filtros Listados"), 8940, 7770);
}
