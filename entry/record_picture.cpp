#include "entry/record_picture.h"

#include <QLabel>
#include <QPushButton>

#include "shell/windowing/accessible.h"
#include "shell/windowing/context.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/picture_paths.h"
#include "store/record_store.h"

RecordPicture::RecordPicture(Context& ctx, QWidget* screen) : ctx_(ctx), screen_(screen) {
    ImagenTonta = new PictureBox(screen, QStringLiteral("ImagenTonta"));
    ImagenTonta->setStretch(true);
    ImagenTonta->setImage(PictureBox::placeholder());
    twips::place(ImagenTonta, kLeft, kTop, kSide, kSide);
    ImagenTonta->hide();

    Imagen = new PictureBox(screen, QStringLiteral("Imagen"));
    Imagen->setToolTip(QStringLiteral("Cambiar la Imagen del Registro (Doble Click)"));
    accessible::name(Imagen, ctx_.hub->EtiImagen);
    Imagen->setFocusPolicy(Qt::TabFocus);  // Space or Enter choose a picture

    LabNombre = new QLabel(screen);
    LabNombre->setObjectName(QStringLiteral("LabNombre"));
    LabNombre->setAlignment(Qt::AlignCenter);
    LabNombre->setWordWrap(true);
    LabNombre->setAttribute(Qt::WA_TranslucentBackground);

    BtnImagenEliminar = new QPushButton(QStringLiteral("Eliminar"), screen);
    BtnImagenEliminar->setObjectName(QStringLiteral("BtnImagenEliminar"));
    BtnImagenEliminar->setToolTip(QStringLiteral("Eliminar la Imagen del Registro"));
    // Tab reaches it; a click leaves the focus where it was.
    BtnImagenEliminar->setFocusPolicy(Qt::TabFocus);
    twips::place(BtnImagenEliminar, kButtonLeft, 0, kButtonWidth, kButtonHeight);

    showPlaceholder();
    placeButton();
    BtnImagenEliminar->hide();
    twips::place(LabNombre, kLeft, 0, kSide, kNameHeight);
    placeName();
    Imagen->show();
}

void RecordPicture::showPlaceholder() {
    Imagen->setStretch(true);
    twips::place(Imagen, kLeft, kTop, kSide, kSide);
    Imagen->setImage(ImagenTonta->image());
    setNameColor(false);
}

void RecordPicture::centre() {
    twips::setLeft(Imagen, (kSide - twips::width(Imagen)) / 2 + kLeft);
    twips::setTop(Imagen, (kSide - twips::height(Imagen)) / 2 + kTop);
}

void RecordPicture::placeName() {
    twips::setTop(LabNombre, twips::top(Imagen) + twips::height(Imagen) + kNameGap);
}

void RecordPicture::placeButton() {
    twips::setTop(BtnImagenEliminar, twips::top(Imagen) + twips::height(Imagen) -
                                         twips::height(BtnImagenEliminar) - kButtonGap);
    BtnImagenEliminar->raise();
}

void RecordPicture::setNameColor(bool picture) {
    look::setForeColor(LabNombre, picture ? look::kNegro : look::kGris);
    showsPicture_ = picture;
    describe();
}

void RecordPicture::describe() {
    // A screen reader says whose picture it is, or that the record has none.
    Imagen->setAccessibleDescription(showsPicture_ ? LabNombre->text() : ctx_.hub->EtiSinImagen);
}

bool RecordPicture::showStored(const QString& path) {
    bool loaded = false;
    if (!path.isEmpty()) {
        DialogoImagen.FileName = path;
        ctx_.store->CargarImagen(*Imagen, DialogoImagen, int(kSide), int(kSide));
        loaded = !DialogoImagen.FileName.isEmpty();
    }
    // A stored picture that cannot be shown now (a file moved away, a picture over the decoding
    // limit) keeps its path: only the user's own removal or choice replaces it.
    DialogoImagen.FileName = path;
    if (loaded) {
        centre();
        setNameColor(true);
    } else {
        showPlaceholder();
    }
    placeButton();
    Imagen->show();
    placeName();
    return loaded;
}

void RecordPicture::choose() {
    DialogoImagen.Filter = ctx_.hub->EtiFormatoImagen;
    DialogoImagen.DialogTitle = ctx_.hub->EtiInsertarImagen;
    // A picture inside the catalogue's folder is kept relative to it, so it moves with it.
    if (DialogoImagen.ShowOpen(screen_))
        DialogoImagen.FileName = picturepaths::toStored(ctx_.PathBaseDatos, DialogoImagen.FileName);
    ctx_.store->CargarImagen(*Imagen, DialogoImagen, int(kSide), int(kSide));
    if (!DialogoImagen.FileName.isEmpty()) {
        setNameColor(true);
        BtnImagenEliminar->show();
    } else {
        showPlaceholder();
        BtnImagenEliminar->hide();
    }
    centre();
    placeName();
    placeButton();
    Imagen->show();
}

void RecordPicture::remove() {
    showPlaceholder();
    placeName();
    placeButton();
    BtnImagenEliminar->hide();
    DialogoImagen.FileName.clear();
}

void RecordPicture::setName(const QString& text) {
    LabNombre->setText(text);
    LabNombre->setToolTip(text);
    describe();
}

QString RecordPicture::name() const {
    return LabNombre->text();
}
