#include "works/set_pictures.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include "shell/windowing/accessible.h"
#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/registers.h"
#include "works/fit_picture.h"

SetPictures::SetPictures(Context& ctx, int global, const QVector<Member>& members, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FormConjuntoImagenes"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(ctx.hub->EtiImagenesConjunto.arg(registers::at(global).caption));
    look::setBackColor(this, look::kPanel);

    const int count = int(members.size());
    const int rows = qMax(1, (count + kColumns - 1) / kColumns);
    const float cellWidth = kSide + kGap, cellHeight = kSide + kNameHeight + kGap;
    const float gridWidth = kGap + kColumns * cellWidth;
    const float gridHeight = kGap + rows * cellHeight;
    const float seenHeight = kGap + qMin(rows, kRowsSeen) * cellHeight;

    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("MarcoImagenes"));
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* grid = new QWidget;
    grid->setObjectName(QStringLiteral("Imagenes"));
    look::setBackColor(grid, look::kPanel);
    twips::resize(grid, gridWidth, gridHeight);
    for (int i = 0; i < count; ++i) {
        const float left = kGap + float(i % kColumns) * cellWidth;
        const float top = kGap + float(i / kColumns) * cellHeight;
        auto* box = new PictureBox(grid, QStringLiteral("ImagenConjunto_%1").arg(i));
        CommonDialog dialog;
        grabacion::fitPicture(ctx, *box, dialog, members[i].second, left, top, kSide);
        auto* name = look::caption(grid, members[i].first, left, top + kSide, kSide, kNameHeight,
                                   QStringLiteral("LabConjunto_%1").arg(i));
        name->setAlignment(Qt::AlignCenter);
        name->setToolTip(members[i].first);
        accessible::caption(name, box);
        look::setBackColor(name, look::kGris);
        look::setForeColor(name, look::kAzul);
    }
    area->setWidget(grid);
    const float scrollBar = rows > kRowsSeen ? 300 : 0;
    twips::place(area, 0, 0, gridWidth + scrollBar, seenHeight);

    auto* cerrar = new QPushButton(ctx.hub->EtiCerrar, this);
    cerrar->setObjectName(QStringLiteral("BtnCerrar"));
    cerrar->setAutoDefault(false);
    const float buttonWidth = 1215, buttonHeight = 375;
    twips::place(cerrar, (gridWidth + scrollBar - buttonWidth) / 2, seenHeight + kGap, buttonWidth,
                 buttonHeight);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    twips::resize(this, gridWidth + scrollBar, seenHeight + 2 * kGap + buttonHeight);
}
