#pragma once
// Shared test fixture: a temporary application folder with a fresh catalogue, rows put straight
// into its tables, the main window started on it, and hooks that answer message boxes and the
// file dialog as a user would and record what they were shown.
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>

#include "shell/windowing/context.h"
#include "store/data_hub.h"

class FormMdi;
class QProgressDialog;
class Screen;

struct ShownMessage {
    QString text;  // as the program wrote it (carriage returns included)
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;  // none set by the program
};

// Answers message boxes: each box takes the next queued answer, or its default (OK / Yes / the
// first button) when none is queued.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    void answer(QMessageBox::StandardButton b) { answers_.push_back(b); }
    std::vector<ShownMessage> shown;
    QStringList texts() const;
    void clear() { shown.clear(); }

  private:
    std::deque<QMessageBox::StandardButton> answers_;
};

// Answers the progress window of long work while it lives: the window appears at once and is
// handed to `answer`, which returns true to press "Cancelar".
class ProgressAnswerer {
  public:
    explicit ProgressAnswerer(std::function<bool(QProgressDialog&)> answer);
    ~ProgressAnswerer();
    ProgressAnswerer(const ProgressAnswerer&) = delete;
    ProgressAnswerer& operator=(const ProgressAnswerer&) = delete;
};

// Answers the file-open dialog with queued paths ("" = Cancel) and records the titles shown.
class FileChooser {
  public:
    FileChooser();
    ~FileChooser();
    void choose(const QString& path) { answers_.push_back(path); }
    QStringList titles;
    QStringList filters;
    QStringList folders;  // where each dialog opened

  private:
    std::deque<QString> answers_;
};

// Answers the program's own modal dialogs (`FormImportar`): records the texts of each one's
// labels, text boxes and buttons by object name and which buttons are enabled, then clicks the
// next queued button ("" or none queued: "BtnCancelar"; "ChkX+BtnY" ticks X first).
struct ShownDialog {
    QString name;
    QHash<QString, QString> texts;
    QHash<QString, bool> enabled;
};
class DialogAnswerer {
  public:
    DialogAnswerer();
    ~DialogAnswerer();
    void press(const QString& button) { answers_.push_back(button); }
    std::vector<ShownDialog> shown;

  private:
    std::deque<QString> answers_;
};

class TempApp {
  public:
    // A folder with an empty catalogue (or none when `withCatalogue` is false).
    explicit TempApp(bool withCatalogue = true);
    ~TempApp();

    QString folder() const { return dir_.path(); }
    QString catalogue() const { return dir_.path() + QStringLiteral("/DataOrmelia.mdb"); }

    // Inserts a row straight into a table; returns its key.
    qint64 insert(const QString& table, const QVariantMap& values);
    // Runs SQL straight on the file (outside the program).
    void exec(const QString& sql);
    // A single value from the file.
    QVariant scalar(const QString& sql);
    // Rows of a query, each as column -> value.
    QList<QVariantMap> rows(const QString& sql);

    // Starts the program on this folder (start-up only; the splash is shown).
    FormMdi& start();
    // Starts and clicks "Entrar" (screen 15 with the panel).
    FormMdi& enter();
    FormMdi* mdi() const { return mdi_.get(); }
    // Closes the main window, answering the compaction prompt with `compact`.
    void close(bool compact = false);

    MessageRecorder messages;
    FileChooser files;
    DialogAnswerer forms;

  private:
    QTemporaryDir dir_;
    std::unique_ptr<FormMdi> mdi_;
};

// The data hub loaded on a folder's catalogue, with no window: for tests of what the screens
// run on it.
// Writes a catalogue of schema version `version` at `path`, as that version's program made it
// (fails the test when it cannot).
void makeCatalogue(const QString& path, int version);

// A file's bytes (empty when it cannot be read).
QByteArray bytesOf(const QString& path);

struct LoadedHub {
    Context ctx;
    FormBasesDatos hub{ctx};
    explicit LoadedHub(TempApp& app) {
        ctx.PathBaseDatos = app.folder();
        ctx.hub = &hub;
        hub.Load();
    }
};

// Widgets by object name inside the main window.
template <class T>
T* find(QWidget* root, const QString& name) {
    T* w = root->findChild<T*>(name);
    if (!w) qWarning("widget not found: %s", qPrintable(name));
    return w;
}

// A small picture file of the given pixel size.
QString makePicture(const QString& folder, const QString& name, int w, int h,
                    const char* format = "PNG");
