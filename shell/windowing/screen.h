#pragma once
// Base of every screen: a child window of the main window, named by its form name, with the
// public load operation that the navigation panel calls after showing it.
#include <QWidget>

#include "shell/windowing/context.h"

class Screen : public QWidget {
    Q_OBJECT
  public:
    Screen(Context& ctx, int number, QWidget* parent);

    int number() const { return number_; }
    // The screen's public load operation (CargaReg1AnaCompositor and the like).
    virtual void Carga() {}
    // Runs when the screen is unloaded (Form_Unload).
    virtual void Form_Unload() {}
    Context& context() const { return ctx_; }
    // Whether the screen sets its own tab order (its boxes in field order); the others get theirs
    // from their controls' places.
    bool ownTabOrder() const { return ownTabOrder_; }
    // Tab walks the controls top to bottom and, on one row, left to right; a panel's controls
    // are walked together where the panel stands.
    void orderTabsByPosition();

    // The control that takes the focus after `from` in this screen's tab order: the next one
    // enabled, shown and taking Tab, going on at the screen's first control past its last (the
    // focus stays on the screen); nullptr when none can take it.
    QWidget* nextControl(QWidget* from) const;
    // Where the screen's tab order starts.
    virtual QWidget* firstControl() const;

    // A child control by object name (throws std::logic_error when missing: a programming error).
    template <class T>
    T* control(const QString& name) const {
        T* w = findChild<T*>(name);
        if (!w) missing(name);
        return w;
    }

  protected:
    // A focused control that is disabled (a button that has just done its work) hands the focus
    // to the next control of the screen, never to the navigation panel.
    bool focusNextPrevChild(bool next) override;

    Context& ctx_;
    bool ownTabOrder_ = false;

  private:
    [[noreturn]] void missing(const QString& name) const;
    int number_;
};

namespace screens {

inline constexpr int kCount = 69;
inline constexpr float kScreenWidth = 10320, kScreenHeight = 8130;
inline constexpr float kPanelWidth = 1290, kPanelHeight = 8130;
inline constexpr float kSplashWidth = 11610, kSplashHeight = 8130;
inline constexpr float kClientWidth = 11880, kClientHeight = 8595;

// Form name of a screen number 0-68 ("" otherwise).
QString formName(int number);

}  // namespace screens
