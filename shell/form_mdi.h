#pragma once
// The main window: finds the catalogue, brings up the data hub, shows the splash, keeps the shown
// screen placed when the window changes size, and offers to compact the catalogue at exit.
#include <QMainWindow>
#include <memory>

#include "shell/windowing/context.h"

class FormBasesDatos;
class FormSolapas;
class RecordStore;

class FormMdi : public QMainWindow {
    Q_OBJECT
  public:
    explicit FormMdi(const QString& applicationFolder);
    ~FormMdi() override;

    // Start-up. Returns false when the process must end (the reason has been shown).
    bool Load();

    QString PathBaseDatos;
    qint16 VentanaMostrandose = 0;

    // Client-area size in twips.
    float ScaleWidth() const;
    float ScaleHeight() const;
    QWidget* client() const { return client_; }

    Context& context() { return ctx_; }
    FormBasesDatos& hub() { return *hub_; }
    FormSolapas& solapas() { return *solapas_; }
    RecordStore& store() { return *store_; }

    static inline const QString kCaption = QStringLiteral("  Tarvenic   - Ormelia -");
    static inline const QString kCompactQuestion =
        QString::fromUtf8("¿COMPACTAR la Base de Datos?\r\rRecomendado.");

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void shutdown();
    void compact();
    // The safety copy at exit, and in the second folder when one is set.
    void writeSafetyCopies(bool changed, const QString& second);
    // A catalogue refused at start-up: the refusal names the newest copy and offers to recover
    // it. Returns true when it was recovered (the catalogue is then checked again).
    bool offerRecovery(const QString& refusal);
    void fitZoom();

    Context ctx_;
    std::unique_ptr<FormBasesDatos> hub_;
    std::unique_ptr<RecordStore> store_;
    QWidget* client_;
    FormSolapas* solapas_;
    bool started_ = false;
    bool closed_ = false;
    quint32 changeCounter_ = 0;  // the catalogue's as the run opened it
};
