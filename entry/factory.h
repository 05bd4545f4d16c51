#pragma once
class QWidget;
class Screen;
struct Context;

// The screens this area builds; nullptr for any other number.
Screen* createEntryScreen(Context& ctx, int number, QWidget* parent);
