#include "shell/form_mdi.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QResizeEvent>
#include <QShortcut>

#include "info/search_window.h"
#include "shell/form_solapas.h"
#include "shell/screen_catalogue.h"
#include "shell/windowing/appearance.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/twips.h"
#include "store/compaction.h"
#include "store/data_hub.h"
#include "store/record_store.h"
#include "store/safety_copies.h"
#include "store/schema.h"
#include "store/settings.h"

FormMdi::FormMdi(const QString& applicationFolder) {
    // The pictures and help texts live in a static library, whose resources register only when
    // asked to.
    Q_INIT_RESOURCE(resources);
    appearance::install();
    twips::setZoom(1, nullptr);
    twips::setFontPoints(this, appearance::kFontPoints);
    setObjectName(QStringLiteral("FormMdi"));
    setWindowTitle(kCaption);
    PathBaseDatos = QDir::cleanPath(applicationFolder);
    while (PathBaseDatos.size() > 1 && PathBaseDatos.endsWith(QLatin1Char('/')))
        PathBaseDatos.chop(1);
    hub_ = std::make_unique<FormBasesDatos>(ctx_);
    store_ = std::make_unique<RecordStore>(ctx_);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("MDIClient"));
    client_->setAutoFillBackground(true);
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    client_->setPalette(pal);
    // Never so small that part of the screen or the panel is out of reach.
    client_->setMinimumSize(twips::toPixels(screens::kScreenWidth + screens::kPanelWidth),
                            twips::toPixels(screens::kPanelHeight));
    setCentralWidget(client_);
    solapas_ = new FormSolapas(*this, ctx_, client_);
    ctx_.PathBaseDatos = PathBaseDatos;
    ctx_.hub = hub_.get();
    ctx_.store = store_.get();
    ctx_.nav = solapas_;
    ctx_.window = this;
    ctx_.createScreen = [this](int n, QWidget* parent) { return ::createScreen(ctx_, n, parent); };
    resize(twips::toPixels(screens::kClientWidth), twips::toPixels(screens::kClientHeight));
    // Ctrl+F searches the whole catalogue from any screen once the panel is in use.
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    find->setContext(Qt::ApplicationShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        if (solapas_->loaded()) SearchWindow::open(ctx_);
    });
}

FormMdi::~FormMdi() {
    solapas_->unloadAll();
    hub_->close();
}

float FormMdi::ScaleWidth() const {
    return twips::fromPixels(client_->width());
}
float FormMdi::ScaleHeight() const {
    return twips::fromPixels(client_->height());
}

void FormMdi::fitZoom() {
    // The largest zoom at which the opening client area fits the window, never below 1.
    const double z = qMin(client_->width() * twips::kPerPixel / screens::kClientWidth,
                          client_->height() * twips::kPerPixel / screens::kClientHeight);
    twips::setZoom(z, this);
}

bool FormMdi::Load() {
    const QString fileName = QStringLiteral("DataOrmelia.mdb");
    const QString file = PathBaseDatos + QLatin1Char('/') + fileName;
    // The listing's own spelling must match letter for letter.
    const QStringList listed =
        QDir(PathBaseDatos).entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (!listed.contains(fileName, Qt::CaseSensitive)) {
        dialogs::error(nullptr,
                       QStringLiteral("No se encuentra: ") + QDir::toNativeSeparators(file));
        return false;
    }
    // Upgrading a catalogue of an older version takes long at a million records: the progress
    // window of long work shows it, and "Cancelar" leaves the file as it was.
    bool cancelled = false;
    QString problem;
    hub_->LoadMessages();
    {
        busy::Watch watch(hub_->MensaActualizando, hub_->EtiCancelar);
        problem = schema::checkAndUpgrade(
            file, [&watch] { return watch.keepGoing(); }, &cancelled);
    }
    if (!problem.isEmpty()) {
        if (cancelled) {
            dialogs::error(nullptr,
                           hub_->MensaActualizacionCancelada.arg(QDir::toNativeSeparators(file)));
            return false;
        }
        if (!offerRecovery(problem)) return false;
        problem = schema::checkAndUpgrade(file);
        if (!problem.isEmpty()) {
            dialogs::error(nullptr, problem);
            return false;
        }
    }
    try {
        hub_->Load();
    } catch (const DbError& e) {
        const QString refusal = QString::fromUtf8("No se puede leer el catálogo %1: %2 (%3)")
                                    .arg(QDir::toNativeSeparators(file), e.detail)
                                    .arg(e.number);
        if (!offerRecovery(refusal)) return false;
        try {
            hub_->Load();
        } catch (const DbError& again) {
            dialogs::error(nullptr, QString::fromUtf8("No se puede leer el catálogo %1: %2 (%3)")
                                        .arg(QDir::toNativeSeparators(file), again.detail)
                                        .arg(again.number));
            return false;
        }
    }
    changeCounter_ = copias::changeCounter(file);
    store_->ErrorDatos = false;
    // The client area opens at 11880 × 8595 twips.
    client_->resize(twips::toPixels(screens::kClientWidth),
                    twips::toPixels(screens::kClientHeight));
    show();
    resize(size() +
           (QSize(twips::toPixels(screens::kClientWidth), twips::toPixels(screens::kClientHeight)) -
            client_->size()));
    started_ = true;
    VentanaMostrandose = 0;
    solapas_->MostrarFormulario(VentanaMostrandose);
    return true;
}

void FormMdi::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (started_ && !closed_ && !isMinimized()) {
        fitZoom();
        solapas_->MostrarFormulario(VentanaMostrandose);
    }
}

void FormMdi::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && started_ && !closed_ && !isMinimized()) {
        fitZoom();
        solapas_->MostrarFormulario(VentanaMostrandose);
    }
}

void FormMdi::closeEvent(QCloseEvent* e) {
    if (started_ && !closed_) shutdown();
    e->accept();
}

void FormMdi::shutdown() {
    closed_ = true;
    // Every screen and the hub let go of the catalogue before it may be compacted.
    solapas_->unloadAll();
    QString second;
    try {
        second = ajustes::read(*hub_->Data[0].connection(), ajustes::kSegundaCarpeta);
    } catch (const DbError&) {
        second.clear();  // the copy beside the catalogue is still made
    }
    hub_->close();
    auto answer = dialogs::message(nullptr, kCompactQuestion, QMessageBox::Question,
                                   QMessageBox::Yes | QMessageBox::No);
    // Whatever the answer, a run that changed the catalogue leaves a copy of it.
    const bool changed =
        copias::changeCounter(PathBaseDatos + QStringLiteral("/DataOrmelia.mdb")) !=
            changeCounter_ ||
        hub_->CopiaRecuperada;
    if (answer == QMessageBox::Yes) compact();
    writeSafetyCopies(changed, second);
}

void FormMdi::writeSafetyCopies(bool changed, const QString& second) {
    const QString copies = copias::folderBeside(PathBaseDatos);
    qint64 records = 0;
    for (const RegisterState& s : hub_->reg) records += s.Cont;
    // A collection that has never been copied is covered from its first exit.
    if (!changed && (records == 0 || !copias::list(copies, false).isEmpty())) return;
    const QDateTime now = QDateTime::currentDateTime();
    auto write = [&](const QString& folder) {
        const copias::Outcome o = copias::write(PathBaseDatos, folder, now);
        if (o.number != 0)
            dialogs::error(nullptr, hub_->MensaCopiaFallida.arg(QDir::toNativeSeparators(folder))
                                        .arg(o.number)
                                        .arg(o.detail));
    };
    write(copies);
    if (second.isEmpty()) return;
    // A disk or stick that is not there now: said once, the copy beside the catalogue stands.
    if (!QFileInfo(second).isDir())
        dialogs::warning(nullptr,
                         hub_->MensaSegundaNoDisponible.arg(QDir::toNativeSeparators(second)));
    else
        write(second);
}

bool FormMdi::offerRecovery(const QString& refusal) {
    const QString file = PathBaseDatos + QStringLiteral("/DataOrmelia.mdb");
    const QString copies = copias::folderBeside(PathBaseDatos);
    const QVector<copias::Copy> list = copias::list(copies, false);
    // Only a damaged catalogue is replaced: one another program holds, one kept read-only or
    // one of a newer version is left as it is.
    if (list.isEmpty() || !copias::replaceable(file)) {
        dialogs::error(nullptr, refusal);
        return false;
    }
    const QString question =
        refusal + QStringLiteral("\r\r") +
        hub_->MensaRecuperarAlArrancar.arg(list.first().when.toString(QStringLiteral("dd/MM/yyyy")),
                                           list.first().when.toString(QStringLiteral("HH:mm:ss")),
                                           QDir::toNativeSeparators(list.first().path));
    if (dialogs::message(nullptr, question, QMessageBox::Critical,
                         QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    int restored = 0;
    const copias::Outcome o = copias::recover(PathBaseDatos, copies, list.first().name, &restored);
    if (o.number != 0) {
        dialogs::error(nullptr, hub_->MensaRecuperacionFallida.arg(o.number).arg(o.detail));
        return false;
    }
    hub_->CopiaRecuperada = true;
    return true;
}

void FormMdi::compact() {
    QString detail;
    int number = 0;
    {
        // A million records take some seconds: the progress window of long work shows them, and
        // "Cancelar" leaves the file as it was.
        busy::Watch watch(hub_->MensaCompactando, hub_->EtiCancelar);
        number =
            compaction::compactar(PathBaseDatos, &detail, [&watch] { return watch.keepGoing(); });
    }
    if (number == 0) return;
    if (number == dberr::kCancelled) {
        dialogs::information(nullptr, hub_->MensaCompactacionCancelada);
        return;
    }
    const QString why = number == dberr::kNotCatalogue ? hub_->MensaCompactacionDanada.arg(detail)
                                                       : hub_->MensaCompactacionFallida;
    dialogs::error(nullptr, hub_->MensaProducidoError + QString::number(number) +
                                QStringLiteral("\r\r") + why);
}
