#pragma once
#include <QString>

class QWidget;
class Screen;
struct Context;

// Help pages 58-67 and the about box 68.
Screen* createHelpScreen(Context& ctx, int number, QWidget* parent);

namespace help {

enum class Topic { None, Anadir, Mostrar, Listar };

struct PageDef {
    int number;
    const char* textBox;   // the rich text box's name
    const char* resource;  // the page's text
    int next, previous;    // page numbers of ">>" and "<<", 0 when the page has none
    Topic topic;           // the help tab that remembers the page
};

// The page of a screen number 58-67, or nullptr.
const PageDef* page(int number);
// The page's text as rich text.
QString pageText(const PageDef& def);

}  // namespace help
