// The controls of a selection screen, their design texts and tooltips, and the static captions,
// all from the register table.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "selection/selection_screen.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/look.h"
#include "shell/windowing/twips.h"
#include "store/registers.h"

namespace {

const QColor kPanel(0xC0, 0xC0, 0xC0);    // &HC0C0C0
const QColor kCaption(0x00, 0x00, 0x80);  // &H800000

template <class W>
W* make(QWidget* parent, const QString& name, float l, float t, float w, float h) {
    auto* x = new W(parent);
    x->setObjectName(name);
    twips::place(x, l, t, w, h);
    return x;
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, float l, float t,
                float w, float h = 285) {
    auto* lab = make<QLabel>(parent, name, l, t, w, h);
    lab->setText(text);
    look::setForeColor(lab, kCaption);
    return lab;
}

QLabel* counter(QWidget* parent, const QString& name, const QString& tip, float l, float t,
                float w = 900) {
    auto* lab = make<QLabel>(parent, name, l, t, w, 315);
    lab->setText(QStringLiteral("0"));
    lab->setToolTip(tip);
    look::counterBox(lab);
    return lab;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text, const QString& tip,
                    float l, float t, float w, bool enabled) {
    auto* b = make<QPushButton>(parent, name, l, t, w, 405);
    b->setText(text);
    b->setToolTip(tip);
    b->setEnabled(enabled);
    b->setAutoDefault(false);
    return b;
}

QComboBox* dropDown(QWidget* parent, const QString& name, const QString& tip, float l, float t,
                    float w, const QStringList& items) {
    auto* c = make<QComboBox>(parent, name, l, t, w, 315);
    c->setToolTip(tip);
    c->setMaxVisibleItems(qMax(1, int(items.size())));
    c->addItems(items);
    return c;
}

QStringList captionsOf(const QVector<VocabItem>& items) {
    QStringList out;
    for (const VocabItem& v : items) out << v.caption;
    return out;
}

}  // namespace

void SelectionScreen::buildControls() {
    const QString fields = QString::number(reg_.fieldCount);
    const float x0 = 2160, right = 10140;

    // A column of the group's register names and a chart of the four operations, for orientation
    // only.
    auto* column = make<QFrame>(this, QStringLiteral("MarcoRegistros"), 120, 180, 1800, 7770);
    column->setFrameShape(QFrame::Box);
    column->setAutoFillBackground(true);
    QPalette pp = column->palette();
    pp.setColor(QPalette::Window, kPanel);
    column->setPalette(pp);
    for (int i = 0; i < 7; ++i) {
        const RegisterDef& r = registers::of(reg_.group, i);
        QLabel* l = caption(this, QStringLiteral("LabRegistro%1").arg(i), r.caption, 240,
                            360 + i * 420, 1560, 330);
        if (i == reg_.index) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
    }
    const char* const ops[] = {"Añadir", "Seleccionar", "Mostrar", "Listar"};
    for (int i = 0; i < 4; ++i) {
        QLabel* l = caption(this, QStringLiteral("LabOperacion%1").arg(i),
                            QString::fromUtf8(ops[i]), 360, 3780 + i * 420, 1440, 330);
        l->setFrameShape(QFrame::Box);
        l->setAlignment(Qt::AlignCenter);
        if (i == 1) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
    }

    LabBaseDatos = caption(this, QStringLiteral("LabBaseDatos"), reg_.caption, x0, 180, 5200, 480);
    QFont big = LabBaseDatos->font();
    big.setBold(true);
    LabBaseDatos->setFont(big);
    twips::setFontPoints(LabBaseDatos, 14);

    // Selección Nueva.
    caption(this, QStringLiteral("LabSeleccionNueva"), QString::fromUtf8("Selección Nueva"), x0,
            780, 3000);
    BtnNueva = button(this, QStringLiteral("BtnNueva"), QStringLiteral("Nueva"),
                      QString::fromUtf8("Nueva Selección"), x0, 1140, 1300, true);
    BtnTodo = button(this, QStringLiteral("BtnTodo"), QStringLiteral("Todo"),
                     QStringLiteral("Todos los Registros"), x0 + 1440, 1140, 1300, true);
    caption(this, QStringLiteral("LabR1"), QStringLiteral("R"), 5400, 1155, 240);
    LabNumRegTotal = counter(this, QStringLiteral("LabNumRegTotal"),
                             QStringLiteral("Nº Total de Registros"), 5640, 1140, 1100);
    caption(this, QStringLiteral("LabC1"), QStringLiteral("C"), 6900, 1155, 240);
    auto* campos = counter(this, QStringLiteral("LabNumCampos"),
                           QString::fromUtf8("Nº de Campos por Registro"), 7140, 1140, 600);
    campos->setText(fields);
    caption(this, QStringLiteral("LabF1"), QStringLiteral("F"), 7900, 1155, 240);
    LabNumFiltros = counter(this, QStringLiteral("LabNumFiltros"),
                            QString::fromUtf8("Nº de Filtros Seleccionados"), 8140, 1140, 600);

    ComboCampo = dropDown(this, QStringLiteral("ComboCampo"), QStringLiteral("Escoger Campo"), x0,
                          1740, 2500, captionsOf(reg_.selFields) << reg_.fieldPrompt);
    QStringList crit;
    for (const auto& c : registers::criteria()) crit << c.caption;
    ComboCriterio =
        dropDown(this, QStringLiteral("ComboCriterio"), QStringLiteral("Escoger Criterio"),
                 x0 + 2600, 1740, 1900, crit << registers::kCriterionPrompt);
    TxtValFiltro = make<QLineEdit>(this, QStringLiteral("TxtValFiltro"), x0 + 4600, 1740,
                                   right - (x0 + 4600), 315);
    TxtValFiltro->setMaxLength(reg_.valueBoxLength);
    TxtValFiltro->setText(selection::kValorInicial);
    TxtValFiltro->setToolTip(QStringLiteral("Introducir Valor"));
    TxtValFiltro->setEnabled(false);

    BtnAnadir = button(this, QStringLiteral("BtnAnadir"), QString::fromUtf8("Añadir..."),
                       QString::fromUtf8("Añadir Filtro"), x0, 2220, 1300, false);
    BtnY = button(this, QStringLiteral("BtnY"), QStringLiteral("Y"),
                  QString::fromUtf8("Intersección"), x0 + 1440, 2220, 650, false);
    BtnO = button(this, QStringLiteral("BtnO"), QStringLiteral("O"), QString::fromUtf8("Unión"),
                  x0 + 2190, 2220, 650, false);
    caption(this, QStringLiteral("LabOrdenar"), QStringLiteral("Ordenar"), 5300, 2265, 860);
    ComboCampoOrden =
        dropDown(this, QStringLiteral("ComboCampoOrden"), QStringLiteral("Escoger Campo"), 6200,
                 2220, 2200, captionsOf(reg_.sortFields) << reg_.fieldPrompt);
    QStringList dirs;
    for (const auto& d : registers::sortDirectionsOf(reg_.global)) dirs << d.caption;
    ComboCriterioOrden =
        dropDown(this, QStringLiteral("ComboCriterioOrden"), QStringLiteral("Escoger Criterio"),
                 8500, 2220, right - 8500, dirs);

    ListFiltros = make<QListWidget>(this, QStringLiteral("ListFiltros"), x0, 2820, 5400, 3000);
    ListFiltros->setToolTip(QStringLiteral("Filtros"));
    QLabel* labCampos =
        caption(this, QStringLiteral("LabCampos"), QStringLiteral("Campos"), 7800, 2580, 2000);
    List2 = make<QListWidget>(this, QStringLiteral("List2"), 7800, 2820, right - 7800, 3000);
    accessible::caption(labCampos, List2);
    List2->addItems(reg_.infoList);

    // Selección Actual.
    caption(this, QStringLiteral("LabSeleccionActual"), QString::fromUtf8("Selección Actual"), x0,
            6000, 3000);
    LabOpcionSQL = make<QLineEdit>(this, QStringLiteral("LabOpcionSQL"), x0, 6360, right - x0, 315);
    LabOpcionSQL->setReadOnly(true);
    LabOpcionSQL->setToolTip(QStringLiteral("Filtros"));
    caption(this, QStringLiteral("LabCampoCriterioFiltro"),
            QStringLiteral("Campo - Criterio - Filtro"), x0, 6700, 3000);
    caption(this, QStringLiteral("LabR2"), QStringLiteral("R"), x0, 7155, 240);
    LabNumReg = counter(this, QStringLiteral("LabNumReg"),
                        QString::fromUtf8("Nº de Registros Seleccionados"), x0 + 240, 7140, 1100);
    caption(this, QStringLiteral("LabC2"), QStringLiteral("C"), x0 + 1500, 7155, 240);
    auto* camposSel =
        counter(this, QStringLiteral("LabNumCamposSel"),
                QString::fromUtf8("Nº de Campos por Registro Seleccionado"), x0 + 1740, 7140, 600);
    camposSel->setText(fields);
    caption(this, QStringLiteral("LabF2"), QStringLiteral("F"), x0 + 2500, 7155, 240);
    LabNumRegFiltros =
        counter(this, QStringLiteral("LabNumRegFiltros"),
                QString::fromUtf8("Nº de Filtros Seleccionados"), x0 + 2740, 7140, 600);
    BtnAceptar = button(this, QStringLiteral("BtnAceptar"), QStringLiteral("Aceptar"),
                        QString::fromUtf8("Aceptar Selección"), right - 1400, 7140, 1400, false);
    caption(this, QStringLiteral("LabLeyenda"),
            QStringLiteral("R  Registros      C  Campos      F  Filtros"), x0, 7680, 5000);
}
