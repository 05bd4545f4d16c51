#include "entry/import_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/windowing/accessible.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/look.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"

namespace {

QLabel* line(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

}  // namespace

ImportDialog::ImportDialog(const FormBasesDatos& hub, const csvimport::Plan& plan,
                           const QString& path, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormImportar"));
    setWindowTitle(hub.EtiImportarTitulo);
    setModal(true);
    look::setBackColor(this, look::kPanel);
    // The screens' type at the zoom in force, so the preview reads like the screen under it.
    twips::setFontPoints(this, appearance::kFontPoints);

    LabArchivo =
        line(this, "LabArchivo", hub.EtiImportarArchivo.arg(QDir::toNativeSeparators(path)));
    LabAnadir = line(this, "LabAnadir", QString());
    QFont bold = LabAnadir->font();
    bold.setBold(true);
    LabAnadir->setFont(bold);
    LabIgnoradas = line(this, "LabIgnoradas",
                        hub.EtiImportarIgnoradas.arg(plan.ignored.join(QStringLiteral(", "))));
    LabIgnoradas->setVisible(!plan.ignored.isEmpty());
    LabRechazadas =
        line(this, "LabRechazadas",
             plan.refused.isEmpty() ? hub.EtiImportarNingunaRechazada
                                    : hub.EtiImportarRechazadas.arg(plan.refused.size()));
    TxtRechazadas = new QPlainTextEdit(this);
    TxtRechazadas->setObjectName(QStringLiteral("TxtRechazadas"));
    accessible::caption(LabRechazadas, TxtRechazadas);
    TxtRechazadas->setReadOnly(true);
    TxtRechazadas->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList refused;
    refused.reserve(plan.refused.size());
    for (const csvimport::Refusal& r : plan.refused)
        refused << hub.EtiImportarLinea.arg(r.line).arg(r.reason);
    TxtRechazadas->setPlainText(refused.join(QLatin1Char('\n')));
    TxtRechazadas->setVisible(!plan.refused.isEmpty());
    TxtRechazadas->setMinimumHeight(twips::toPixels(2400));

    const qint64 repeats = qint64(plan.repeated.size());
    LabRepetidas = line(this, "LabRepetidas", hub.EtiImportarListaRepetidas.arg(repeats));
    TxtRepetidas = new QPlainTextEdit(this);
    TxtRepetidas->setObjectName(QStringLiteral("TxtRepetidas"));
    accessible::caption(LabRepetidas, TxtRepetidas);
    TxtRepetidas->setReadOnly(true);
    TxtRepetidas->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList repeated;
    for (const csvimport::Refusal& r : plan.repeated)
        repeated << hub.EtiImportarLinea.arg(r.line).arg(r.reason);
    TxtRepetidas->setPlainText(repeated.join(QLatin1Char('\n')));
    TxtRepetidas->setMinimumHeight(twips::toPixels(1200));
    ChkRepetidas = new QCheckBox(hub.EtiImportarRepetidas, this);
    ChkRepetidas->setObjectName(QStringLiteral("ChkRepetidas"));
    for (QWidget* w : {static_cast<QWidget*>(LabRepetidas), static_cast<QWidget*>(TxtRepetidas),
                       static_cast<QWidget*>(ChkRepetidas)})
        w->setVisible(repeats > 0);
    const qint64 rows = qint64(plan.rows.size());

    BtnAceptar = new QPushButton(hub.EtiAceptar, this);
    BtnAceptar->setObjectName(QStringLiteral("BtnAceptar"));
    // How many rows "Aceptar" adds follows the tick.
    auto count = [this, &hub, rows, repeats, read = plan.read] {
        const qint64 adding = ChkRepetidas->isChecked() ? rows : rows - repeats;
        LabAnadir->setText(hub.EtiImportarAnadir.arg(adding).arg(read));
        BtnAceptar->setEnabled(adding > 0);
    };
    connect(ChkRepetidas, &QCheckBox::toggled, this, count);
    BtnCancelar = new QPushButton(hub.EtiCancelar, this);
    BtnCancelar->setObjectName(QStringLiteral("BtnCancelar"));
    for (QPushButton* b : {BtnAceptar, BtnCancelar}) {
        b->setAutoDefault(false);
        b->setMinimumSize(twips::toPixels(1215), twips::toPixels(375));
    }
    BtnCancelar->setDefault(plan.rows.empty());
    BtnAceptar->setDefault(!plan.rows.empty());
    count();
    connect(BtnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnAceptar);
    buttons->addWidget(BtnCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabArchivo);
    layout->addWidget(LabAnadir);
    layout->addWidget(LabIgnoradas);
    layout->addWidget(LabRechazadas);
    layout->addWidget(TxtRechazadas, 1);
    layout->addWidget(LabRepetidas);
    layout->addWidget(TxtRepetidas, 1);
    layout->addWidget(ChkRepetidas);
    if (plan.refused.isEmpty()) layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(twips::toPixels(7200));
}
