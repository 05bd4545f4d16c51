#include "shell/windowing/dialogs.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include "shell/windowing/accessible.h"

namespace dialogs {
namespace {

MessageHook& messageHook() {
    static MessageHook h;
    return h;
}
FileHook& fileHook() {
    static FileHook h;
    return h;
}
DialogHook& dialogHook() {
    static DialogHook h;
    return h;
}
PrintHook& printHook() {
    static PrintHook h;
    return h;
}

}  // namespace

void setMessageHook(MessageHook hook) {
    messageHook() = std::move(hook);
}
void setFileHook(FileHook hook) {
    fileHook() = std::move(hook);
}
void setDialogHook(DialogHook hook) {
    dialogHook() = std::move(hook);
}
void setPrintHook(PrintHook hook) {
    printHook() = std::move(hook);
}

int exec(QDialog& dialog) {
    accessible::nameControls(&dialog);
    if (dialogHook()) return dialogHook()(dialog);
    return dialog.exec();
}

bool execPrint(QDialog& dialog, QPrinter& printer) {
    if (printHook()) return printHook()(dialog, printer);
    return dialog.exec() == QDialog::Accepted;
}

QMessageBox::StandardButton message(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) {
    // Carriage returns of the program's texts are line breaks on screen; the text as the program
    // wrote it stays readable in the box's "ormeliaText" property.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon, kTitle, shown, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setProperty("ormeliaText", text);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    if (messageHook()) return messageHook()(box);
    return QMessageBox::StandardButton(box.exec());
}

}  // namespace dialogs

QStringList CommonDialog::nameFilters(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // The description already names the patterns; Qt wants them in parentheses at the end.
        QString desc = parts[i];
        desc.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\s*$")));
        out << QStringLiteral("%1 (%2)").arg(desc, patterns);
    }
    return out;
}

namespace {

QString firstPattern(const QString& filter) {
    return filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0);
}

// The folder of the file chosen last in this run, by kind of file: the first pattern of the
// dialog's filter ("*.csv" for the import and the export, "*.jpg" for pictures).
QString& lastFolder(const QString& filter) {
    static QHash<QString, QString> folders;
    return folders[firstPattern(filter)];
}

// The dialog opens where the last file of its kind was chosen.
void startWhereLast(QFileDialog& dlg, const QString& filter) {
    const QString& folder = lastFolder(filter);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) dlg.setDirectory(folder);
}

// Runs a prepared dialog, or gives it to the test hook; the chosen file or "" for Cancel.
QString runFileDialog(QFileDialog& dlg, const QString& filter) {
    QString& folder = lastFolder(filter);
    QString chosen;
    if (dialogs::fileHook())
        chosen = dialogs::fileHook()(dlg);
    else if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
        chosen = dlg.selectedFiles().first();
    if (!chosen.isEmpty()) folder = QFileInfo(chosen).absolutePath();
    return chosen;
}

}  // namespace

bool CommonDialog::ShowSave(QWidget* parent) {
    QFileDialog dlg(parent, DialogTitle);
    dlg.setObjectName(Name.isEmpty() ? QStringLiteral("DialogoExportar") : Name);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = nameFilters(Filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        // A name typed without an extension takes the first pattern's ("*.csv" gives "csv").
        const QString first = firstPattern(Filter);
        if (first.startsWith(QLatin1String("*.")) && first.indexOf(QLatin1Char('*'), 1) < 0)
            dlg.setDefaultSuffix(first.mid(2));
    }
    startWhereLast(dlg, Filter);
    if (!FileName.isEmpty()) dlg.selectFile(FileName);
    const QString chosen = runFileDialog(dlg, Filter);
    if (chosen.isEmpty()) return false;
    FileName = chosen;
    return true;
}

bool CommonDialog::ShowFolder(QWidget* parent) {
    QFileDialog dlg(parent, DialogTitle);
    dlg.setObjectName(Name.isEmpty() ? QStringLiteral("DialogoCarpeta") : Name);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (!FileName.isEmpty()) dlg.setDirectory(FileName);
    const QString chosen = runFileDialog(dlg, QString());
    if (chosen.isEmpty()) return false;
    FileName = chosen;
    return true;
}

bool CommonDialog::ShowOpen(QWidget* parent) {
    QFileDialog dlg(parent, DialogTitle);
    dlg.setObjectName(Name.isEmpty() ? QStringLiteral("DialogoImagen") : Name);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters = nameFilters(Filter);
    if (!filters.isEmpty()) dlg.setNameFilters(filters);
    startWhereLast(dlg, Filter);
    const QString chosen = runFileDialog(dlg, Filter);
    if (chosen.isEmpty()) return false;
    FileName = chosen;
    return true;
}
