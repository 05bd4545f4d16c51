#include "works/grabacion_layout.h"

#include <QLabel>
#include <QPushButton>

#include "entry/field_box.h"
#include "entry/record_screen.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"

namespace grabacion {

void arrange(RecordScreen& screen, QLabel* notesCaption, QWidget* background) {
    // The record picture's widgets live on in a hidden holder, so the common code that shows or
    // hides them changes nothing on screen.
    auto* holder = new QWidget(&screen);
    holder->setObjectName(QStringLiteral("SinImagen"));
    holder->hide();
    RecordPicture& p = screen.picture();
    for (QWidget* w :
         {static_cast<QWidget*>(p.Imagen), static_cast<QWidget*>(p.ImagenTonta),
          static_cast<QWidget*>(p.BtnImagenEliminar), static_cast<QWidget*>(p.LabNombre)})
        w->setParent(holder);
    if (background) background->hide();
    twips::place(notesCaption, 7470, 5400, 1200, 255);
    twips::place(screen.notesBox(), 7470, 5700, 10200 - 7470, 7650 - 5700);
}

}  // namespace grabacion
