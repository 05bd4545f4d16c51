#include "listing/listing_screen.h"

#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "listing/csv_export.h"
#include "listing/field_text.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/picture_paths.h"
#include "store/record_store.h"

using namespace listing;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);

// Qt's own default column width, fixed so that overflow does not depend on the style.
constexpr float kDefaultColumn = 1740;

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

QTableWidgetItem* cell(const QString& text) {
    auto* it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return it;
}

int pixels(float tw) {
    return twips::toPixels(tw);
}

}  // namespace

ListingScreen::ListingScreen(Context& ctx, int global, QWidget* parent)
    : Screen(ctx, registers::screenNumber(global, 3), parent),
      def_(registers::at(global)),
      global_(global) {
    QVector<bool>& flags = state().CamposListados;
    if (flags.size() != def_.listEntries.size()) flags.resize(def_.listEntries.size());
    buildControls();
    buildCounters();
    Form_Load();
}

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
    tabla_->horizontalHeader()->setDefaultSectionSize(pixels(kDefaultColumn));
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

    label(this, QStringLiteral("LabExpandir"), QStringLiteral("Expandir Filas"), 4320, 6540, 2400,
          240);
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

    label(this, QStringLiteral("LabProceso"), QStringLiteral("Proceso"), 4320, 7620, 2400, 240);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar"));
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    twips::place(progress_, 4320, 7860, 2400, 210);

    // Pictures stand over the listing area.
    for (PictureBox* b : std::as_const(imagen_)) b->raise();
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

Recordset& ListingScreen::recordset() const {
    return ctx_.hub->Data[global_].recordset();
}

RegisterState& ListingScreen::state() const {
    return ctx_.hub->reg[global_];
}

int ListingScreen::textEntries() const {
    return int(def_.listEntries.size()) - 1;
}

bool ListingScreen::pictures() const {
    return state().CamposListados.value(textEntries());
}

QVector<int> ListingScreen::tickedEntries() const {
    QVector<int> chosen;
    for (int e = 0; e < textEntries(); ++e)
        if (list_->item(e)->checkState() == Qt::Checked) chosen << e;
    return chosen;
}

int ListingScreen::ticked() const {
    int n = 0;
    for (int i = 0; i < list_->count(); ++i) n += list_->item(i)->checkState() == Qt::Checked;
    return n;
}

// ---------------------------------------------------------------------------------------------
// Loading, "Listar", the empty state

void ListingScreen::Form_Load() {
    const RegisterState& s = state();
    numRegSeleccion_->setText(QString::number(s.ContSel));
    numRegSeleccion1_->setText(QString::number(s.ContSel));
    numFiltros_->setText(QString::number(s.ContFil));
    numFiltros1_->setText(QString::number(s.ContFil));
    Ocupado = false;
    registroSuperior_ = 1;
}

void ListingScreen::clearPictures() {
    for (PictureBox* b : std::as_const(imagen_)) {
        b->clearPicture();
        b->hide();
    }
}

void ListingScreen::takeTicks() {
    QVector<bool>& flags = state().CamposListados;
    NumColumnas = 1;
    for (int e = 0; e < textEntries(); ++e) {
        flags[e] = list_->item(e)->checkState() == Qt::Checked;
        if (flags[e]) ++NumColumnas;
    }
    flags[textEntries()] = list_->item(textEntries())->checkState() == Qt::Checked;
    tabla_->setColumnCount(1);
    twips::setColumnWidth(tabla_, 0, kNumberColumn);
}

void ListingScreen::Listar() {
    const int n = ticked();
    numCampos_->setText(QString::number(n));
    if (recordset().RecordCount() == 0 || n == 0) {
        emptyState();
        return;
    }
    vscroll_->setEnabled(false);
    Ocupado = true;
    registroSuperior_ = 1;
    vscroll_->setMaximum(1);
    vscroll_->setValue(1);
    hscroll_->setEnabled(true);
    zoom5_->setEnabled(true);
    tabla_->setRowCount(0);
    clearPictures();
    takeTicks();
    state().MemoLisPosicion = 1;
    state().MemoLisPosicion2 = hscroll_->value();
    vscroll_->setEnabled(true);
    Ocupado = false;
    pageFill();
}

void ListingScreen::emptyState() {
    vscroll_->setEnabled(false);
    hscroll_->setEnabled(false);
    zoom5_->setEnabled(false);
    vscroll_->hide();
    label16_->show();
    lineImagen_->show();
    twips::setWidth(label16_, 1485);
    twips::setWidth(lineImagen_, 1680 - twips::left(lineImagen_));
    twips::setLeft(tabla_, kGridLeft);
    twips::setWidth(tabla_, kGridWidth);
    tabla_->setRowCount(0);
    tabla_->setColumnCount(0);
    clearPictures();
    NumColumnas = 0;
    state().CamposListados.fill(false);
}

// ---------------------------------------------------------------------------------------------
// Page geometry

float ListingScreen::columnsWidth() const {
    // Columns the page will have: those of the grid keep their width (the user may have dragged
    // them), new ones take the default.
    float sum = 0;
    const int cols = qMax(NumColumnas, 1);
    for (int c = 0; c < cols; ++c) {
        if (c == 0 && c >= tabla_->columnCount())
            sum += kNumberColumn;
        else if (c < tabla_->columnCount())
            sum += twips::columnWidth(tabla_, c);
        else
            sum += kDefaultColumn;
    }
    return sum;
}

PageLayout ListingScreen::layoutAt(int zoom) const {
    return pageLayout(recordset().RecordCount(), zoom, pictures(), columnsWidth());
}

// ---------------------------------------------------------------------------------------------
// Page fill, zoom

void ListingScreen::pageFill() {
    if (Ocupado) return;
    const int zoom = hscroll_->value();
    const PageLayout lay = layoutAt(zoom);
    if (lay.rows == 0) {  // not one row fits: overflowing columns at zoom 20
        hscroll_->setValue(kMaxZoom - 1);
        return;
    }
    Ocupado = true;
    rows_ = lay.rows;
    FilasPagina = rows_ + 1;
    const int P = vscroll_->value();
    Recordset& rs = recordset();
    const qint64 N = rs.RecordCount();
    if (N == 0) {
        vscroll_->setEnabled(false);
        return;
    }
    vscroll_->setEnabled(true);
    rs.MoveLast();
    const int max = int(lay.pages);
    vscroll_->setMaximum(max);
    vscroll_->setVisible(lay.pageBarShown);
    PaginaZoom = qBound(qint64(vscroll_->minimum()), PaginaZoom, qint64(max));
    if (labZoom_->text().toInt() == zoom) {  // the page was moved
        vscroll_->setValue(max < P ? max : P);
        registroSuperior_ = rows_ * (vscroll_->value() - 1) + 1;
    } else {  // the zoom has just changed: the page holding the top record
        vscroll_->setValue(int(PaginaZoom));
    }
    const qint64 S = vscroll_->value();
    state().MemoLisPosicion = qint32(S);
    Ocupado = false;
    if (NumColumnas == 0) return;

    clearPictures();
    tabla_->setRowCount(0);
    tabla_->setColumnCount(NumColumnas);
    const qint64 rows = N - rows_ * S > 0 ? FilasPagina : N - rows_ * (S - 1) + 1;
    label16_->hide();
    lineImagen_->hide();
    tabla_->hide();
    twips::setWidth(label16_, pictureColumn(zoom) - 15);
    twips::setWidth(lineImagen_, twips::width(fondo_));
    twips::setLeft(tabla_, gridLeft(pictures(), zoom));
    twips::setWidth(tabla_, gridWidth(pictures(), zoom, lay.pageBarShown));
    if (pictures()) {
        label16_->show();
        lineImagen_->show();
    }
    tabla_->show();
    tabla_->setRowCount(int(rows));
    twips::setRowHeight(tabla_, 0, kHeaderRow);
    auto header = [](const QString& text) {
        QTableWidgetItem* it = cell(text);
        it->setForeground(kNavy);
        return it;
    };
    tabla_->setItem(0, 0, header(ctx_.hub->EtiNumero));
    for (int e = 0, col = 1; e < textEntries(); ++e)
        if (state().CamposListados[e])
            tabla_->setItem(0, col++, header(def_.listEntries[e].caption));
    try {
        fillRows(rows, zoom, rows_ * (S - 1));
    } catch (const DbError& e) {
        progress_->setValue(0);
        dialogs::error(ctx_.window, ctx_.hub->MensaProducidoError + QString::number(e.number));
    }
}

void ListingScreen::fillRows(qint64 rows, int zoom, qint64 first) {
    Recordset& rs = recordset();
    const qint64 N = rs.RecordCount();
    const float rowHeight = kRowUnit * float(zoom), side = pictureSide(zoom);
    progress_->setMaximum(int(qMax<qint64>(rows - 1, 1)));
    progress_->setValue(0);
    rs.setAbsolutePosition(0);
    for (int i = 1; i < rows; ++i) {
        progress_->setValue(i);
        twips::setRowHeight(tabla_, i, rowHeight);
        rs.setAbsolutePosition(long(first + i - 1));
        for (int e = 0, col = 1; e < textEntries(); ++e)
            if (state().CamposListados[e]) tabla_->setItem(i, col++, cell(entryText(e)));
        const QString path = pictures() ? picturePath() : QString();
        if (!path.isEmpty() && i - 1 < imagen_.size()) {
            PictureBox* box = imagen_[i - 1];
            DialogoImagen.FileName = path;
            ctx_.store->CargarImagen(*box, DialogoImagen, int(side), int(side));
            if (!DialogoImagen.FileName.isEmpty()) {
                twips::setTop(box, kGridTop + kHeaderRow + rowHeight * float(i - 1) +
                                       (side - twips::height(box)) / 2);
                twips::setLeft(
                    box, kFondoLeft + 30 + (pictureColumn(zoom) - 15 - twips::width(box)) / 2);
                box->show();
            }
        }
        QTableWidgetItem* number = cell(QString::number(first + i));
        number->setBackground(kSilver);
        tabla_->setItem(i, 0, number);
    }
    if (rs.AbsolutePosition() != N - 1) {  // records follow: a blank row says the listing goes on
        const int r = tabla_->rowCount();
        tabla_->setRowCount(r + 1);
        twips::setRowHeight(tabla_, r, rowHeight);
        QTableWidgetItem* more = cell(QString());
        more->setBackground(palette().color(QPalette::Button));
        tabla_->setItem(r, 0, more);
    }
    progress_->setValue(0);
}

void ListingScreen::zoomChange() {
    const int zoom = hscroll_->value();
    state().MemoLisPosicion2 = zoom;
    const PageLayout lay = layoutAt(zoom);
    if (lay.rows == 0) {
        hscroll_->setValue(kMaxZoom - 1);
        return;
    }
    PaginaZoom = registroSuperior_ / lay.rows + (registroSuperior_ % lay.rows ? 1 : 0);
    pageFill();
    labZoom_->setText(QString::number(zoom));
}

void ListingScreen::Zoom5() {
    hscroll_->setValue(5);
}

void ListingScreen::showPage(int page) {
    if (vscroll_->value() == page)
        pageFill();
    else
        vscroll_->setValue(page);
}

// ---------------------------------------------------------------------------------------------
// Refresh

void ListingScreen::Carga() {
    QVector<bool>& flags = state().CamposListados;
    if (!flags.contains(true)) {
        Listar();
        return;
    }
    NumColumnas = 0;
    vscroll_->setEnabled(false);
    Ocupado = true;
    vscroll_->setMaximum(1);
    vscroll_->setValue(1);
    hscroll_->setEnabled(true);
    zoom5_->setEnabled(true);
    tabla_->setRowCount(0);
    clearPictures();
    for (int e = 0; e < list_->count(); ++e)
        list_->item(e)->setCheckState(flags.value(e) ? Qt::Checked : Qt::Unchecked);
    numCampos_->setText(QString::number(ticked()));
    takeTicks();
    Ocupado = true;
    hscroll_->setEnabled(true);
    hscroll_->setValue(qBound(kMinZoom, int(state().MemoLisPosicion2), kMaxZoom));
    const PageLayout lay = layoutAt(hscroll_->value());
    rows_ = lay.rows;
    FilasPagina = rows_ + 1;
    Recordset& rs = recordset();
    if (rs.RecordCount() == 0) {
        vscroll_->setEnabled(false);
        return;
    }
    vscroll_->setEnabled(true);
    rs.MoveLast();
    const int max = int(lay.pages);
    vscroll_->setMaximum(max);
    vscroll_->setVisible(lay.pageBarShown);
    Ocupado = false;
    const qint64 R = state().MemoLisPosicion;
    // The page of the last visit, or the last page when the selection has shrunk. The page is
    // filled even when the bar already stands there (no change event comes then).
    showPage(int(R > max ? max : (R >= 1 ? R : 1)));
}

// ---------------------------------------------------------------------------------------------
// Fields of a record

QString ListingScreen::entryText(int entry) const {
    const VocabItem& e = def_.listEntries[entry];
    return shownValue(def_.field(e.column), recordset().Field(e.column));
}

QString ListingScreen::picturePath() const {
    return recordset().Field(def_.listEntries.last().column);
}

// ---------------------------------------------------------------------------------------------
// Printing

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

// ---------------------------------------------------------------------------------------------
// Exporting

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
