#pragma once
class QWidget;
class Screen;
struct Context;

// Help pages 58-67 and the about box 68.
Screen* createHelpScreen(Context& ctx, int number, QWidget* parent);
