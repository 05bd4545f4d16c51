#pragma once
// The record's picture on the entry and show screens: the picture box `Imagen` in its 3000-twip
// square, the hidden placeholder `ImagenTonta`, the delete button `BtnImagenEliminar` inside the
// picture, the name label `LabNombre` under it and the file dialog `DialogoImagen`.
#include <QString>

#include "shell/windowing/dialogs.h"

class PictureBox;
class QLabel;
class QPushButton;
class QWidget;
struct Context;

class RecordPicture {
  public:
    // Square and offsets, in twips.
    static constexpr float kLeft = 240, kTop = 240, kSide = 3000;
    static constexpr float kButtonLeft = 1125, kButtonWidth = 1215, kButtonHeight = 210;
    static constexpr float kButtonGap = 90;  // button's bottom edge above the picture's
    static constexpr float kNameGap = 25;    // label below the picture
    static constexpr float kNameHeight = 405;

    RecordPicture(Context& ctx, QWidget* screen);

    PictureBox* Imagen;
    PictureBox* ImagenTonta;
    QPushButton* BtnImagenEliminar;
    QLabel* LabNombre;
    CommonDialog DialogoImagen;

    QString fileName() const { return DialogoImagen.FileName; }

    // Shows the stored picture `path` (or the placeholder when it is empty or cannot be shown),
    // centred, with the label and the button placed; the path is kept either way. Returns true
    // when the picture was loaded. The button's visibility is the caller's.
    bool showStored(const QString& path);
    // The double click: the file dialog, then the chosen picture (or the placeholder).
    void choose();
    // Back to the placeholder with no file (the delete button's action).
    void remove();

    // The name label's caption and tooltip.
    void setName(const QString& text);
    QString name() const;
    // The label 25 below the picture; the button 90 above the picture's bottom edge.
    void placeName();
    void placeButton();

  private:
    void showPlaceholder();
    void centre();
    void setNameColor(bool picture);
    void describe();

    Context& ctx_;
    QWidget* screen_;
    bool showsPicture_ = false;
};
