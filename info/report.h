#pragma once
class QWidget;
class Screen;
struct Context;

Screen* createReportScreen(Context& ctx, QWidget* parent);
