#include "QtUserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace kelmarin::ui {

const QString QtUserDialogs::FileFilter = QStringLiteral("Kelmarin Save File (*.kmr)");
const QString QtUserDialogs::DefaultSuffix = QStringLiteral("kmr");

void QtUserDialogs::ShowInformation(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void QtUserDialogs::ShowWarning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

QString QtUserDialogs::ShowOpen(QWidget* parent)
{
    return AskFileName(parent, false);
}

QString QtUserDialogs::ShowSave(QWidget* parent)
{
    return AskFileName(parent, true);
}

QString QtUserDialogs::AskFileName(QWidget* parent, bool save)
{
    QFileDialog dialog(parent);
    dialog.setNameFilter(FileFilter);
    dialog.setDefaultSuffix(DefaultSuffix);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!FileName_.isEmpty())
        dialog.selectFile(FileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    FileName_ = dialog.selectedFiles().constFirst();
    return FileName_;
}

} // namespace kelmarin::ui
