#pragma once
// The navigation panel: nested tab strips that turn a choice of group, operation and register (or
// report, help page, about box) into a screen number, and the two operations that switch screens.
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>

#include "shell/windowing/navigation.h"

class TabStrip;
class FormMdi;
struct Context;

class FormSolapas : public QWidget, public Navigation {
    Q_OBJECT
  public:
    FormSolapas(FormMdi& mdi, Context& ctx, QWidget* parent);

    // Public variables of the panel.
    qint16 SolapaRegistros1_ = 0, SolapaRegistros2_ = 0;
    qint16 AyudaAnadir = 59, AyudaMostrar = 63, AyudaListar = 66;

    // The panel's load step, run when it is first shown.
    void Load();
    bool loaded() const { return loaded_; }

    // Navigation.
    int SolapaRegistros1() const override { return SolapaRegistros1_; }
    void setSolapaRegistros1(int i) override { SolapaRegistros1_ = qint16(i); }
    int SolapaRegistros2() const override { return SolapaRegistros2_; }
    void setSolapaRegistros2(int i) override { SolapaRegistros2_ = qint16(i); }
    void setTabRegistros1(int tab) override;
    void TabRegistros1Click(int previousTab) override;
    void TabRegistros2Click(int previousTab);
    void setAyudaAnadir(int s) override { AyudaAnadir = qint16(s); }
    void setAyudaMostrar(int s) override { AyudaMostrar = qint16(s); }
    void setAyudaListar(int s) override { AyudaListar = qint16(s); }
    void OcultarFormulario() override;
    void MostrarFormulario(int numero) override;
    Screen* currentScreen() const override;
    QWidget* strip(const QString& name) const override;
    TabStrip* tabStrip(const QString& name) const;

    // F6: the focus goes from the screen to the panel's innermost strip in reach, or back to the
    // control of the screen that had it last (its first control when none did).
    void switchFocus();

    // Unloads every loaded screen (main window closing).
    void unloadAll();
    Screen* loadedScreen(int number) const { return loaded_screens_.value(number); }

  protected:
    // Left and Right move the focus to the strip beside, as the strips stand in their columns.
    void keyPressEvent(QKeyEvent* e) override;

  private:
    // The strips shown in each column (nullptr where none is), left to right.
    std::array<TabStrip*, 3> shownColumns() const;
    static bool inReach(const QWidget* w) { return w && w->isVisible() && w->isEnabled(); }
    void TabNivel1Click(int previousTab);
    void TabAyudaClick(int previousTab);
    void registerStripClick(int group, int op);
    void showStrips();
    template <class F>
    void guarded(F&& body);

    FormMdi& mdi_;
    Context& ctx_;
    bool loaded_ = false;
    TabStrip* nivel1_;
    TabStrip* registros_[2];
    std::array<std::array<TabStrip*, 4>, 2> regStrips_;
    TabStrip* ayuda_;
    QHash<int, Screen*> loaded_screens_;
    QPointer<QWidget> screenFocus_;  // the control of the shown screen that had the focus last
};
