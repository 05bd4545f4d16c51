#include "info/factory.h"

#include "info/help_pages.h"
#include "info/report.h"
#include "info/splash.h"

Screen* createInfoScreen(Context& ctx, int number, QWidget* parent) {
    if (number == 0) return createSplashScreen(ctx, parent);
    if (number == 57) return createReportScreen(ctx, parent);
    if (number >= 58 && number <= 68) return createHelpScreen(ctx, number, parent);
    return nullptr;
}
