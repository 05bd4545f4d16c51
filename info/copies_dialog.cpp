#include "info/copies_dialog.h"

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
#include "store/schema.h"
#include "store/settings.h"

namespace {

QString records(qint64 n) {
    return n < 0 ? QStringLiteral("-") : QString::number(n);
}

}  // namespace

CopiesDialog::CopiesDialog(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    const FormBasesDatos& hub = *ctx.hub;
    setObjectName(QStringLiteral("FormCopias"));
    setWindowTitle(hub.EtiCopiasTitulo);
    setModal(true);
    look::setBackColor(this, look::kPanel);
    twips::setFontPoints(this, appearance::kFontPoints);

    LabCarpeta = new QLabel(
        hub.EtiCopiasCarpeta.arg(QDir::toNativeSeparators(copias::folderBeside(ctx.PathBaseDatos))),
        this);
    LabCarpeta->setObjectName(QStringLiteral("LabCarpeta"));
    LabCarpeta->setTextFormat(Qt::PlainText);
    LabCarpeta->setWordWrap(true);
    LabNinguna = new QLabel(hub.EtiCopiasNinguna, this);
    LabNinguna->setObjectName(QStringLiteral("LabNinguna"));
    LabNinguna->setWordWrap(true);

    ListaCopias = tools::table(this, "ListaCopias",
                               {hub.EtiCopiasFecha, hub.EtiCopiasHora, hub.EtiCopiasRegistros});
    ListaRegistros =
        tools::table(this, "ListaRegistros", {hub.EtiCopiasRegistro, hub.EtiCopiasRegistros});
    ListaRegistros->setSelectionMode(QAbstractItemView::NoSelection);
    ListaRegistros->setFocusPolicy(Qt::NoFocus);
    for (QTableWidget* t : {ListaCopias, ListaRegistros})
        t->setMinimumHeight(twips::toPixels(4200));
    ListaCopias->setColumnWidth(0, twips::toPixels(1500));
    ListaCopias->setColumnWidth(1, twips::toPixels(1200));
    // The numbers always in sight; the register names take what they leave.
    QHeaderView* header = ListaRegistros->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    ListaRegistros->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(ListaCopias, &QTableWidget::itemSelectionChanged, this, [this] { showRecords(); });

    BtnRecuperar = tools::button(this, "BtnRecuperar", hub.EtiRecuperar, hub.EtiRecuperarAyuda);
    BtnCerrar = tools::button(this, "BtnCerrar", hub.EtiCerrar, QString());
    LabSegunda = new QLabel(this);
    LabSegunda->setObjectName(QStringLiteral("LabSegunda"));
    LabSegunda->setTextFormat(Qt::PlainText);
    LabSegunda->setWordWrap(true);
    BtnSegunda = tools::button(this, "BtnSegunda", hub.EtiSegundaElegir, hub.EtiSegundaAyuda);
    BtnQuitarSegunda =
        tools::button(this, "BtnQuitarSegunda", hub.EtiSegundaQuitar, hub.EtiSegundaQuitarAyuda);
    connect(BtnSegunda, &QPushButton::clicked, this, [this] {
        CommonDialog folder;
        folder.DialogTitle = ctx_.hub->EtiSegundaTitulo;
        if (folder.ShowFolder(this)) setSecond(QDir::cleanPath(folder.FileName));
    });
    connect(BtnQuitarSegunda, &QPushButton::clicked, this, [this] { setSecond(QString()); });
    BtnCerrar->setDefault(true);
    connect(BtnRecuperar, &QPushButton::clicked, this, [this] { recuperar(); });
    connect(BtnCerrar, &QPushButton::clicked, this, &QDialog::accept);

    auto* lists = new QHBoxLayout;
    lists->addWidget(ListaCopias, 3);
    lists->addWidget(ListaRegistros, 2);
    auto* second = new QHBoxLayout;
    second->addWidget(LabSegunda, 1);
    second->addWidget(BtnSegunda);
    second->addWidget(BtnQuitarSegunda);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnRecuperar);
    buttons->addWidget(BtnCerrar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabCarpeta);
    layout->addWidget(LabNinguna);
    layout->addLayout(lists, 1);
    layout->addLayout(second);
    layout->addLayout(buttons);
    setMinimumWidth(twips::toPixels(8400));
    fill();
    showSecond();
}

void CopiesDialog::showSecond() {
    const FormBasesDatos& hub = *ctx_.hub;
    QString folder;
    try {
        folder = ajustes::read(*ctx_.hub->Data[0].connection(), ajustes::kSegundaCarpeta);
    } catch (const DbError&) {
        folder.clear();  // unreadable settings: shown as none, the exit copies beside it alone
    }
    LabSegunda->setText(folder.isEmpty()
                            ? hub.EtiSegundaNinguna
                            : hub.EtiSegundaCarpeta.arg(QDir::toNativeSeparators(folder)));
    BtnQuitarSegunda->setEnabled(!folder.isEmpty());
}

void CopiesDialog::setSecond(const QString& folder) {
    try {
        ajustes::write(*ctx_.hub->Data[0].connection(), ajustes::kSegundaCarpeta, folder);
    } catch (const DbError& e) {
        dialogs::error(this, ctx_.hub->MensaProducidoError + QString::number(e.number));
    }
    showSecond();
}

void CopiesDialog::fill() {
    copies_ = copias::list(copias::folderBeside(ctx_.PathBaseDatos), false);
    ListaCopias->setRowCount(int(copies_.size()));
    for (int r = 0; r < copies_.size(); ++r) {
        const copias::Copy& c = copies_[r];
        qint64 total = 0;
        for (qint64 n : c.records) total = n < 0 || total < 0 ? -1 : total + n;
        ListaCopias->setItem(r, 0, tools::item(c.when.toString(QStringLiteral("dd/MM/yyyy"))));
        ListaCopias->setItem(r, 1, tools::item(c.when.toString(QStringLiteral("HH:mm:ss"))));
        ListaCopias->setItem(r, 2, tools::item(records(total), true));
    }
    LabNinguna->setVisible(copies_.isEmpty());
    BtnRecuperar->setEnabled(!copies_.isEmpty());
    if (!copies_.isEmpty()) ListaCopias->selectRow(0);
    showRecords();
    (copies_.isEmpty() ? static_cast<QWidget*>(BtnCerrar) : ListaCopias)->setFocus();
}

void CopiesDialog::showRecords() {
    const int row = ListaCopias->currentRow();
    const bool chosen = row >= 0 && row < copies_.size();
    ListaRegistros->setRowCount(chosen ? registers::kCount : 0);
    if (!chosen) return;
    for (int r = 0; r < registers::kCount; ++r) {
        ListaRegistros->setItem(r, 0, tools::item(registers::at(r).caption));
        ListaRegistros->setItem(r, 1,
                                tools::item(records(copies_[row].records.value(r, -1)), true));
    }
}

void CopiesDialog::recuperar() {
    FormBasesDatos& hub = *ctx_.hub;
    const int row = ListaCopias->currentRow();
    if (row < 0 || row >= copies_.size()) return;
    const copias::Copy chosen = copies_[row];
    const QString date = chosen.when.toString(QStringLiteral("dd/MM/yyyy"));
    const QString time = chosen.when.toString(QStringLiteral("HH:mm:ss"));
    if (dialogs::message(this, hub.MensaRecuperarPregunta.arg(date, time), QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // The catalogue is let go of before its file is replaced, and opened again as start-up
    // opens it: counters and selections start afresh.
    hub.close();
    int restored = 0;
    const copias::Outcome o = copias::recover(
        ctx_.PathBaseDatos, copias::folderBeside(ctx_.PathBaseDatos), chosen.name, &restored);
    if (o.number == 0) hub.CopiaRecuperada = true;
    const QString problem =
        schema::checkAndUpgrade(ctx_.PathBaseDatos + QStringLiteral("/DataOrmelia.mdb"));
    try {
        if (!problem.isEmpty()) throw DbError(dberr::kNotCatalogue, problem);
        hub.Load();
    } catch (const DbError& e) {
        dialogs::error(this, hub.MensaProducidoError + QString::number(e.number) +
                                 QStringLiteral("\r\r") + e.detail);
    }
    if (o.number != 0)
        dialogs::error(this, hub.MensaRecuperacionFallida.arg(o.number).arg(o.detail));
    else
        dialogs::information(this, hub.MensaRecuperada.arg(date, time).arg(restored));
    fill();
    showSecond();
}
