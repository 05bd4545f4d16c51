#pragma once
// Colours and small widget touches shared by the screens.
#include <QColor>

class QLabel;
class QWidget;

namespace look {

inline const QColor kGris(224, 224, 224);      // fields
inline const QColor kBlanco(255, 255, 255);    // empty identifier boxes
inline const QColor kAmarillo(255, 255, 192);  // counters
inline const QColor kPanel(192, 192, 192);     // panels
inline const QColor kAzul(0, 0, 128);          // field captions
inline const QColor kNegro(0, 0, 0);

// Background of a text box (its base colour).
void setBoxColor(QWidget* box, const QColor& c);
QColor boxColor(const QWidget* box);
// Background of a label or panel, drawn opaque.
void setBackColor(QWidget* w, const QColor& c);
// Text colour of a label.
void setForeColor(QWidget* w, const QColor& c);
QColor foreColor(const QWidget* w);

// A caption label placed in twips.
QLabel* caption(QWidget* parent, const QString& text, float left, float top, float width,
                float height, const QString& name = {});
// Makes a label a counter box: centred text on light yellow, in a plain frame.
void counterBox(QLabel* l);
// A light-yellow counter label with its letter beside it.
QLabel* counter(QWidget* parent, const QString& name, const QString& letter, const QString& tooltip,
                float left, float top, float width = 900, float height = 285);

}  // namespace look
