#pragma once
// A tab strip whose current tab (`Tab`) can be set from code; Click(previousTab) fires when the
// user picks another tab and when code sets a different one, never when it sets the same one.
#include <QTabBar>

class TabStrip : public QTabBar {
    Q_OBJECT
  public:
    TabStrip(const QString& name, const QStringList& captions, QWidget* parent = nullptr);

    int Tab() const { return currentIndex(); }
    void setTab(int index);
    // True while a tab is being picked from the keyboard (Up/Down), so the strip may keep the
    // focus.
    bool keying() const { return keying_; }

  signals:
    void Click(int previousTab);

  protected:
    // The wheel never changes the tab: a screen is chosen by a click only.
    void wheelEvent(QWheelEvent* e) override;
    // On a strip standing on its side, Up and Down pick the tab above or below (disabled tabs
    // skipped) as a click does; Left and Right are left to the strip's owner.
    void keyPressEvent(QKeyEvent* e) override;

  private:
    int previous_ = 0;
    bool keying_ = false;
};
