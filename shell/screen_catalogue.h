#pragma once
// Creates the screen of a number, asking each area in turn; a number that no area builds yet is
// an empty screen of the right name and size.
class QWidget;
class Screen;
struct Context;

Screen* createScreen(Context& ctx, int number, QWidget* parent);
