#include "info/report.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "info/copies_dialog.h"
#include "info/duplicates_window.h"
#include "info/pictures_dialog.h"
#include "info/search_window.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/registers.h"

namespace {

const QColor kCaption(0, 0, 128);

constexpr float kFirstRow = 1020, kRowStep = 390, kCellWidth = 555, kCellHeight = 285;
// The catalogue-wide tools, one row of buttons below the counters, each at its own place:
// "Buscar...", "Duplicados...", "Copias...", "Imágenes...".
constexpr float kToolLeft = 315, kToolStep = 2430, kToolWidth = 2250, kToolHeight = 375;
enum ToolPlace { kToolBuscar, kToolDuplicados, kToolCopias, kToolImagenes };

// The value columns: suffix of the label names, left edge, tooltip.
struct Column {
    const char* suffix;
    float left;
    const char* tip;
};
const Column kColumns[] = {
    {"NumRegTotal", 2430, "Nº Total de Registros"},
    {"CamposTotal", 3030, "Nº de Campos por Registro"},
    {"NumRegSeleccion", 3870, "Nº de Registros Seleccionados"},
    {"CamposSeleccion", 4470, "Nº de Campos por Registro Seleccionado"},
    {"NumFiltros", 5070, "Nº de Filtros Seleccionados"},
    {"Orden", 5910, "Nº de Orden del Registro"},
    {"NumRegEliminados", 6750, "Nº de Registros Eliminados"},
    {"NumRegNuevos", 7590, "Nº de Registros Nuevos"},
    {"NumRegSeleccion1", 8430, "Nº de Registros Listados"},
    {"NumCampos", 9030, "Nº de Campos por Registro Listado"},
    {"NumFiltros1", 9630, "Nº de Filtros Listados"},
};

// The "Suma" row: the register rows added up (its "C" columns are the fixed total of fields).
struct Sums {
    qint64 total = 0, seleccion = 0, filtros = 0, eliminados = 0, nuevos = 0, listados = 0;
};

class FormInforme : public Screen {
  public:
    FormInforme(Context& ctx, QWidget* parent) : Screen(ctx, 57, parent) {
        build();
        fill();
    }
    void Carga() override { fill(); }

  private:
    QLabel* text(const QString& name, const QString& t, float l, float top, float w,
                 float h = kCellHeight) {
        auto* lab = new QLabel(t, this);
        if (!name.isEmpty()) lab->setObjectName(name);
        twips::place(lab, l, top, w, h);
        return lab;
    }
    QLabel* caption(const QString& t, float l, float top, float w) {
        QLabel* lab = text(QString(), t, l, top, w);
        look::setForeColor(lab, kCaption);
        return lab;
    }
    QLabel* cell(const QString& name, const QString& tip, float l, float top,
                 float w = kCellWidth) {
        QLabel* lab = text(name, QStringLiteral("0"), l, top, w);
        lab->setToolTip(tip);
        look::counterBox(lab);
        return lab;
    }

    void build() {
        QLabel* title = text(QStringLiteral("LabTitulo"),
                             QStringLiteral("Informe General de Registros"), 315, 150, 9690, 360);
        QFont f = title->font();
        f.setBold(true);
        title->setFont(f);
        twips::setFontPoints(title, appearance::kFontPoints * 1.3);
        title->setAlignment(Qt::AlignCenter);
        caption(QStringLiteral("Base de Datos"), 315, 600, 1900);
        // Column headers centred over their cells; a header wider than its cells ("Eliminados")
        // reaches over the gaps on both sides instead of being cut off by its neighbour.
        const struct {
            const char* caption;
            float left, right;
        } groups[] = {{"Total", 2430, 3585},  {"Selección", 3870, 5625},
                      {"Orden", 5910, 6465},  {"Eliminados", 6750, 7305},
                      {"Nuevos", 7590, 8145}, {"Listados", 8430, 10185}};
        for (const auto& g : groups) {
            const float width = std::max(g.right - g.left, 1300.0f);
            caption(QString::fromUtf8(g.caption), (g.left + g.right - width) / 2, 600, width)
                ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        }
        const char* letters[] = {"R", "C", "R", "C", "F", "Nº", "R", "R", "R", "C", "F"};
        for (int c = 0; c < 11; ++c)
            caption(QString::fromUtf8(letters[c]), kColumns[c].left, 780, kCellWidth)
                ->setAlignment(Qt::AlignCenter);

        const int n = registers::kCount;
        for (int r = 0; r <= n; ++r) {
            const bool suma = r == n;
            const float top = kFirstRow + kRowStep * float(r);
            const QString prefix = suma ? QStringLiteral("Suma") : registers::at(r).reportPrefix;
            caption(suma ? QStringLiteral("Suma") : registers::at(r).caption, 315, top, 2000)
                ->setObjectName(QStringLiteral("LabRegistro") + prefix);
            for (const Column& c : kColumns) {
                QString tip = QString::fromUtf8(c.tip);
                if (suma && (c.left == 3030 || c.left == 4470))
                    tip = QString::fromUtf8("Nº Total de Campos");
                if (suma && c.left == 9030) tip = QString::fromUtf8("Nº de Campos Listados");
                cell(QStringLiteral("Lab") + prefix + QLatin1String(c.suffix), tip, c.left, top);
            }
        }
        const float top = kFirstRow + kRowStep * float(n + 1);
        caption(QStringLiteral("Suma de (R x C)"), 315, top, 2000);
        cell(QStringLiteral("LabRxCNumRegTotal"),
             QString::fromUtf8("Suma de (Nº Total de Registros  x  Nº de Campos por Registro)"),
             2430, top, 1155);
        cell(QStringLiteral("LabRxCNumRegSeleccion"),
             QString::fromUtf8("Suma de (Nº de Registros Seleccionados x Nº de Campos por "
                               "Registro Seleccionado)"),
             3870, top, 1155);
        cell(QStringLiteral("LabRxCNumRegSeleccion1"),
             QString::fromUtf8(
                 "Suma de (Nº de Registros Listados x Nº de Campos por Registro Listado)"),
             8430, top, 1155);

        const float legend = top + kRowStep + 150;
        const char* keys[][2] = {{"R", "Registros"}, {"C", "Campos"}, {"F", "Filtros"}};
        for (int k = 0; k < 3; ++k) {
            caption(QLatin1String(keys[k][0]), 2430 + 2400 * float(k), legend, 300);
            text(QString(), QLatin1String(keys[k][1]), 2730 + 2400 * float(k), legend, 1500);
        }
        // Just below the legend, so the row ends inside the screen (8130 twips high).
        toolTop_ = legend + 315;
        const FormBasesDatos& hub = *ctx_.hub;
        connect(tool(QStringLiteral("BtnBuscar"), hub.EtiBuscar, hub.EtiBuscarAyuda, kToolBuscar),
                &QPushButton::clicked, this, [this] { SearchWindow::open(ctx_); });
        connect(tool(QStringLiteral("BtnDuplicados"), hub.EtiDuplicados, hub.EtiDuplicadosAyuda,
                     kToolDuplicados),
                &QPushButton::clicked, this, [this] { DuplicatesWindow::open(ctx_); });
        connect(tool(QStringLiteral("BtnCopias"), hub.EtiCopias, hub.EtiCopiasAyuda, kToolCopias),
                &QPushButton::clicked, this, [this] {
                    CopiesDialog dialog(ctx_, this);
                    dialogs::exec(dialog);
                    fill();  // a recovery brings other counters
                });
        connect(tool(QStringLiteral("BtnImagenes"), hub.EtiImagenes, hub.EtiImagenesAyuda,
                     kToolImagenes),
                &QPushButton::clicked, this, [this] {
                    PicturesDialog dialog(ctx_, this);
                    dialogs::exec(dialog);
                });
    }

    QPushButton* tool(const QString& name, const QString& caption, const QString& tip, int place) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        twips::place(b, kToolLeft + kToolStep * float(place), toolTop_, kToolWidth, kToolHeight);
        return b;
    }
    float toolTop_ = 0;

    void set(const QString& name, qint64 v) { set(name, QString::number(v)); }
    void set(const QString& name, const QString& v) { control<QLabel>(name)->setText(v); }

    void fill() {
        FormBasesDatos& hub = *ctx_.hub;
        Sums sum;
        qint64 rxcTotal = 0, rxcSeleccion = 0, rxcListados = 0;
        for (int r = 0; r < registers::kCount; ++r) {
            const RegisterDef& d = registers::at(r);
            const RegisterState& s = hub.reg[r];
            const QString p = QStringLiteral("Lab") + d.reportPrefix;
            const qint64 listed = s.CamposListados.count(true);
            set(p + "NumRegTotal", s.Cont);
            set(p + "CamposTotal", d.fieldCount);
            set(p + "NumRegSeleccion", s.ContSel);
            set(p + "CamposSeleccion", d.fieldCount);
            set(p + "NumFiltros", s.ContFil);
            if (s.Posicion >= 2)
                set(p + "Orden", s.Posicion);
            else
                set(p + "Orden", hub.Data[r].recordset().RecordCount() != 0 ? 1 : 0);
            set(p + "NumRegEliminados", s.ContEli);
            set(p + "NumRegNuevos", s.ContNew);
            set(p + "NumRegSeleccion1", s.ContSel);
            set(p + "NumCampos", listed);
            set(p + "NumFiltros1", s.ContFil);
            sum.total += s.Cont;
            sum.seleccion += s.ContSel;
            sum.filtros += s.ContFil;
            sum.eliminados += s.ContEli;
            sum.nuevos += s.ContNew;
            sum.listados += listed;
            rxcTotal += qint64(s.Cont) * d.fieldCount;
            rxcSeleccion += qint64(s.ContSel) * d.fieldCount;
            rxcListados += qint64(s.ContSel) * listed;
        }
        set("LabSumaNumRegTotal", sum.total);
        set("LabSumaCamposTotal", registers::kTotalFields);
        set("LabSumaNumRegSeleccion", sum.seleccion);
        set("LabSumaCamposSeleccion", registers::kTotalFields);
        set("LabSumaNumFiltros", sum.filtros);
        set("LabSumaOrden", QStringLiteral("-"));
        set("LabSumaNumRegEliminados", sum.eliminados);
        set("LabSumaNumRegNuevos", sum.nuevos);
        set("LabSumaNumRegSeleccion1", sum.seleccion);
        set("LabSumaNumCampos", sum.listados);
        set("LabSumaNumFiltros1", sum.filtros);
        set("LabRxCNumRegTotal", rxcTotal);
        set("LabRxCNumRegSeleccion", rxcSeleccion);
        set("LabRxCNumRegSeleccion1", rxcListados);
    }
};

}  // namespace

Screen* createReportScreen(Context& ctx, QWidget* parent) {
    return new FormInforme(ctx, parent);
}
