#pragma once
// Message boxes and the file-open dialog. Both are real Qt dialogs; tests install a hook that
// receives the dialog before it would be shown and answers it as a user would.
#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <functional>

class QPrinter;

namespace dialogs {

// Title of every message box of the program.
inline const QString kTitle = QStringLiteral("Ormelia");

// Shows a message box and returns the button pressed; `defaultButton` is the one Enter presses
// (Qt's choice when none is given).
QMessageBox::StandardButton message(
    QWidget* parent, const QString& text, QMessageBox::Icon icon,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
inline void error(QWidget* p, const QString& t) {
    message(p, t, QMessageBox::Critical);
}
inline void warning(QWidget* p, const QString& t) {
    message(p, t, QMessageBox::Warning);
}
inline void information(QWidget* p, const QString& t) {
    message(p, t, QMessageBox::Information);
}

// Test hook: gets the prepared box and returns the button to press; the box is not executed.
using MessageHook = std::function<QMessageBox::StandardButton(QMessageBox&)>;
void setMessageHook(MessageHook hook);

// Test hook for the file dialogs (open and save): gets the prepared dialog and returns the file
// chosen, or an empty text for Cancel.
using FileHook = std::function<QString(QFileDialog&)>;
void setFileHook(FileHook hook);

// The program's own modal dialogs (`FormImportar`): runs the prepared dialog and returns its
// result (QDialog::Accepted or Rejected). A test hook gets the dialog instead, answers it as a
// user would (clicks its buttons) and returns the result.
using DialogHook = std::function<int(QDialog&)>;
void setDialogHook(DialogHook hook);
int exec(QDialog& dialog);

// The print dialog (`DialogoImpresora`): runs the prepared dialog and returns true when the user
// chose to print. A test hook gets the dialog and its printer instead, may set the printer up as a
// user would (a PDF file, for one) and returns true to print, false for Cancel.
using PrintHook = std::function<bool(QDialog&, QPrinter&)>;
void setPrintHook(PrintHook hook);
bool execPrint(QDialog& dialog, QPrinter& printer);

}  // namespace dialogs

// The file dialog of a screen (`DialogoImagen`, `DialogoExportar`): title, filter, and the chosen
// file name, which stays as it was when the user cancels.
class CommonDialog {
  public:
    QString FileName;
    QString Filter;  // pairs "description|patterns" separated by "|"
    QString DialogTitle;
    QString Name;  // the dialog's object name when not the default one of its kind

    // Shows the dialog; returns true when a file was chosen.
    bool ShowOpen(QWidget* parent);
    // The same dialog to name a file to write (`DialogoExportar`); asks before replacing one.
    // The file hook answers it too: its accept mode tells the two apart.
    bool ShowSave(QWidget* parent);
    // The same dialog to choose a folder (`DialogoCarpeta`); FileName gets the folder.
    bool ShowFolder(QWidget* parent);

    // Qt name filters from the pipe-separated filter text.
    static QStringList nameFilters(const QString& filter);
};
