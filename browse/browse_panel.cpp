// The show screen's navigation and action panel Frame1, its reduce/expand toggle and "Retorno".
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "browse/browse_screen.h"
#include "browse/click_label.h"
#include "entry/field_box.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/look.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"

namespace {

constexpr float kPanelLeft = 300, kPanelWidth = 3000;
constexpr float kFullTop = 3750, kFullHeight = 3870;
constexpr float kReducedTop = 4260, kReducedHeight = 2255;

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                    float left, float top, float width, float height) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    twips::place(b, left, top, width, height);
    return b;
}

}  // namespace

void BrowseScreen::buildPanel() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    look::setBackColor(Frame1, look::kPanel);
    twips::place(Frame1, kPanelLeft, kFullTop, kPanelWidth, kFullHeight);
    auto heading = [&](const QString& text, float top) {
        auto* l = look::caption(Frame1, text, 0, top, kPanelWidth, 255);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    QFont bold = font();
    bold.setBold(true);
    heading(QStringLiteral("REGISTROS"), 60)->setFont(bold);
    heading(QStringLiteral("Mostrar"), 330);
    heading(QString::fromUtf8("Selección"), 600);
    const QString fields = QString::number(def().fieldCount);
    LabNumRegSeleccion =
        look::counter(Frame1, QStringLiteral("LabNumRegSeleccion"), QStringLiteral("R"),
                      QString::fromUtf8("Nº de Registros Seleccionados"), 120, 1020, 720);
    look::counter(Frame1, QStringLiteral("LabNumCamposSeleccion"), QStringLiteral("C"),
                  QString::fromUtf8("Nº de Campos por Registro Seleccionado"), 1140, 1020, 480)
        ->setText(fields);
    LabNumFiltros =
        look::counter(Frame1, QStringLiteral("LabNumFiltros"), QStringLiteral("F"),
                      QString::fromUtf8("Nº de Filtros Seleccionados"), 1920, 1020, 600);

    HScroll = new QScrollBar(Qt::Horizontal, Frame1);
    HScroll->setObjectName(QStringLiteral("HScroll"));
    HScroll->setRange(1, 1);
    HScroll->setValue(1);
    HScroll->setFocusPolicy(Qt::NoFocus);
    twips::place(HScroll, 120, 1620, 1860, 360);
    TxtOrden = new QLineEdit(Frame1);
    TxtOrden->setObjectName(QStringLiteral("TxtOrden"));
    TxtOrden->setMaxLength(5);
    TxtOrden->setAlignment(Qt::AlignCenter);
    TxtOrden->setFocusPolicy(Qt::ClickFocus);
    TxtOrden->setToolTip(QString::fromUtf8("Nº de Orden del Registro. Introducir Nº"));
    look::setBoxColor(TxtOrden, look::kAmarillo);
    twips::place(TxtOrden, 2100, 1620, 780, 360);
    QLabel* orden = look::caption(Frame1, QStringLiteral("Orden"), 2100, 2040, 780, 210);
    orden->setAlignment(Qt::AlignCenter);
    accessible::caption(orden, TxtOrden);
    QLabel* anteriorSiguiente =
        look::caption(Frame1, QStringLiteral("Anterior   -   Siguiente"), 120, 2040, 1860, 210,
                      QStringLiteral("LabAnteriorSiguiente"));
    anteriorSiguiente->setAlignment(Qt::AlignCenter);
    accessible::caption(anteriorSiguiente, HScroll);

    BtnModificar = button(Frame1, "BtnModificar", QStringLiteral("Modificar"),
                          QStringLiteral("Modificar el Registro"), 120, 2535, 1320, 330);
    BtnEliminar = button(Frame1, "BtnEliminar", QStringLiteral("Eliminar"),
                         QStringLiteral("Eliminar el Registro"), 1560, 2535, 1320, 330);
    LabNumRegEliminados =
        look::counter(Frame1, QStringLiteral("LabNumRegEliminados"), QStringLiteral("R"),
                      QString::fromUtf8("Nº de Registros Eliminados"), 1020, 2925, 600, 210);
    look::counter(Frame1, QStringLiteral("LabNumCamposEliminado"), QStringLiteral("C"),
                  QString::fromUtf8("Nº de Campos por Registro Eliminado"), 1980, 2925, 480, 210)
        ->setText(fields);
    BtnGuardar =
        button(Frame1, "BtnGuardar", QStringLiteral("Aceptar"),
               QStringLiteral("Aceptar Modificar-Eliminar el Registro"), 120, 3135, 2760, 330);
    BtnDeshacer =
        button(Frame1, "BtnDeshacer", QStringLiteral("Cancelar"),
               QStringLiteral("Cancelar Modificar-Eliminar el Registro"), 120, 3540, 2760, 285);
    BtnGuardar->setEnabled(false);
    BtnDeshacer->setEnabled(false);

    BtnReducirAmpliar = new ClickLabel(hub().EtiReducir, this);
    BtnReducirAmpliar->setObjectName(QStringLiteral("BtnReducirAmpliar"));
    BtnReducirAmpliar->setToolTip(QStringLiteral("Reducir-Ampliar"));
    BtnReducirAmpliar->setCursor(Qt::PointingHandCursor);
    twips::place(BtnReducirAmpliar, kPanelLeft, 7770, 900, 255);

    if (def().group == 1) {
        BtnRegresar = button(this, "BtnRegresar", QStringLiteral("Retorno"),
                             QString::fromUtf8("Retorno a \"Grabación\""), kRetornoLeft,
                             kRetornoTop, kRetornoWidth, kRetornoHeight);
        BtnRegresar->stackUnder(notesBox());
    }
}

void BrowseScreen::ReducirAmpliar() {
    bool& reduced = hub().RedAmp(global());
    Frame1->hide();
    if (BtnReducirAmpliar->text() != hub().EtiReducir) {
        reduced = false;
        twips::setHeight(Frame1, kFullHeight);
        twips::setTop(Frame1, kFullTop);
        BtnReducirAmpliar->setText(hub().EtiReducir);
    } else {
        reduced = true;
        twips::setHeight(Frame1, kReducedHeight);
        twips::setTop(Frame1, kReducedTop);
        BtnReducirAmpliar->setText(hub().EtiAmpliar);
    }
    Frame1->show();
}

void BrowseScreen::showCounters() {
    LabNumRegEliminados->setText(QString::number(state().ContEli));
    LabNumRegSeleccion->setText(QString::number(state().ContSel));
    LabNumFiltros->setText(QString::number(state().ContFil));
}
