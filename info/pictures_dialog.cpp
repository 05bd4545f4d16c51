#include "info/pictures_dialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "info/tool_widgets.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/registers.h"

PicturesDialog::PicturesDialog(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    const FormBasesDatos& hub = *ctx.hub;
    setObjectName(QStringLiteral("FormImagenes"));
    setWindowTitle(hub.EtiImagenesTitulo);
    setModal(true);
    look::setBackColor(this, look::kPanel);
    twips::setFontPoints(this, appearance::kFontPoints);

    ListaRegistros = tools::table(
        this, "ListaRegistros", {hub.EtiCopiasRegistro, hub.EtiImagenesCon, hub.EtiImagenesFaltan});
    ListaRegistros->setSelectionMode(QAbstractItemView::NoSelection);
    ListaRegistros->setFocusPolicy(Qt::NoFocus);
    ListaRegistros->setColumnWidth(0, twips::toPixels(2400));
    ListaRegistros->setColumnWidth(1, twips::toPixels(1500));
    LabFaltan = new QLabel(this);
    LabFaltan->setObjectName(QStringLiteral("LabFaltan"));
    ListaFaltan = tools::table(
        this, "ListaFaltan", {hub.EtiCopiasRegistro, hub.EtiImagenesRegistro, hub.EtiImagenesRuta});
    ListaFaltan->setColumnWidth(0, twips::toPixels(2100));
    ListaFaltan->setColumnWidth(1, twips::toPixels(3000));
    for (QTableWidget* t : {ListaRegistros, ListaFaltan})
        t->setMinimumHeight(twips::toPixels(2400));

    BtnBuscar = tools::button(this, "BtnBuscar", hub.EtiImagenesBuscar, hub.EtiImagenesBuscarAyuda);
    BtnDeshacer = tools::button(this, "BtnDeshacer", hub.EtiDeshacer, hub.EtiImagenesDeshacerAyuda);
    BtnCerrar = tools::button(this, "BtnCerrar", hub.EtiCerrar, QString());
    BtnBuscar->setMinimumWidth(twips::toPixels(2400));
    BtnCerrar->setDefault(true);
    connect(BtnBuscar, &QPushButton::clicked, this, [this] { buscar(); });
    connect(BtnDeshacer, &QPushButton::clicked, this, [this] { deshacer(); });
    connect(BtnCerrar, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnBuscar);
    buttons->addWidget(BtnDeshacer);
    buttons->addStretch();
    buttons->addWidget(BtnCerrar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListaRegistros, 1);
    layout->addWidget(LabFaltan);
    layout->addWidget(ListaFaltan, 1);
    layout->addLayout(buttons);
    setMinimumSize(twips::toPixels(9000), twips::toPixels(6600));
    fill();
}

void PicturesDialog::fill() {
    const FormBasesDatos& hub = *ctx_.hub;
    try {
        census_ = missingpictures::count(*ctx_.hub->Data[0].connection(), ctx_.PathBaseDatos);
    } catch (const DbError& e) {
        census_ = {};
        dialogs::error(this, hub.MensaProducidoError + QString::number(e.number));
    }
    ListaRegistros->setRowCount(registers::kCount);
    for (int r = 0; r < registers::kCount; ++r) {
        ListaRegistros->setItem(r, 0, tools::item(registers::at(r).caption));
        ListaRegistros->setItem(r, 1,
                                tools::item(QString::number(census_.withPicture.value(r)), true));
        ListaRegistros->setItem(r, 2, tools::item(QString::number(census_.missing.value(r)), true));
    }
    LabFaltan->setText(hub.EtiImagenesListaFaltan.arg(census_.list.size()));
    ListaFaltan->setRowCount(int(census_.list.size()));
    for (int i = 0; i < census_.list.size(); ++i) {
        const missingpictures::Missing& m = census_.list[i];
        ListaFaltan->setItem(i, 0, tools::item(registers::at(m.global).caption));
        ListaFaltan->setItem(i, 1, tools::item(m.label));
        ListaFaltan->setItem(i, 2, tools::item(QDir::toNativeSeparators(m.stored)));
    }
    BtnBuscar->setEnabled(!census_.list.isEmpty());
    BtnDeshacer->setEnabled(!last_.isEmpty());
    (BtnBuscar->isEnabled() ? BtnBuscar : BtnCerrar)->setFocus();
}

bool PicturesDialog::write(bool undo) {
    FormBasesDatos& hub = *ctx_.hub;
    try {
        missingpictures::apply(*hub.Data[0].connection(), last_, undo);
    } catch (const DbError& e) {
        dialogs::error(this, hub.MensaProducidoError + QString::number(e.number));
        return false;
    }
    // The screens read the current records again: their pictures are those just written.
    for (DataControl& d : hub.Data) d.recordset().forgetRow();
    return true;
}

void PicturesDialog::buscar() {
    const FormBasesDatos& hub = *ctx_.hub;
    CommonDialog folder;
    folder.DialogTitle = hub.EtiImagenesBuscarTitulo;
    folder.FileName = ctx_.PathBaseDatos;
    if (!folder.ShowFolder(this)) return;
    const QVector<missingpictures::Change> found =
        missingpictures::search(census_.list, folder.FileName, ctx_.PathBaseDatos);
    last_ = found;
    if (!found.isEmpty() && !write(false)) last_.clear();
    const qsizetype done = last_.size();
    dialogs::information(this, hub.MensaImagenesBuscadas.arg(done).arg(census_.list.size() - done));
    fill();
}

void PicturesDialog::deshacer() {
    if (last_.isEmpty()) return;
    if (write(true)) last_.clear();
    fill();
}
