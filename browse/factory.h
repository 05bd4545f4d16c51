#pragma once
class QWidget;
class Screen;
struct Context;

// The screens this area builds; nullptr for any other number.
Screen* createBrowseScreen(Context& ctx, int number, QWidget* parent);
