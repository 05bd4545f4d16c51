#pragma once
// What the screens and the record store need of the navigation panel.
#include <QString>

class QWidget;
class Screen;

class Navigation {
  public:
    virtual ~Navigation() = default;

    virtual int SolapaRegistros1() const = 0;
    virtual void setSolapaRegistros1(int index) = 0;
    virtual int SolapaRegistros2() const = 0;
    virtual void setSolapaRegistros2(int index) = 0;
    // Sets the operation strip of "Registros I"; a different tab runs its handler.
    virtual void setTabRegistros1(int tab) = 0;
    // Runs the handler of the operation strip of "Registros I".
    virtual void TabRegistros1Click(int previousTab) = 0;

    // Help pages remember themselves here (59-61, 63-65, 66-67).
    virtual void setAyudaAnadir(int screen) = 0;
    virtual void setAyudaMostrar(int screen) = 0;
    virtual void setAyudaListar(int screen) = 0;

    virtual void OcultarFormulario() = 0;
    virtual void MostrarFormulario(int numero) = 0;
    // The screen being shown, or nullptr.
    virtual Screen* currentScreen() const = 0;

    // A tab strip of the panel by name, for locking.
    virtual QWidget* strip(const QString& name) const = 0;
};
