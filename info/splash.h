#pragma once
class QWidget;
class Screen;
struct Context;

Screen* createSplashScreen(Context& ctx, QWidget* parent);
