#include "QtUserDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace kelmarin::ui {

const QString QtUserDialogs::FileFilter = QStringLiteral("Kelmarin Save File (*.kmr)");
const QString QtUserDialogs::DefaultSuffix = QStringLiteral("kmr");
const QString QtUserDialogs::PdnFilter = QStringLiteral("PDN Game (*.pdn)");

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
    return AskFileName(parent, false, FileFilter, DefaultSuffix, FileName_);
}

QString QtUserDialogs::ShowSave(QWidget* parent)
{
    return AskFileName(parent, true, FileFilter, DefaultSuffix, FileName_);
}

QString QtUserDialogs::ShowOpenPdn(QWidget* parent)
{
    return AskFileName(parent, false, PdnFilter, QStringLiteral("pdn"), PdnFileName_);
}

QString QtUserDialogs::ShowSavePdn(QWidget* parent)
{
    return AskFileName(parent, true, PdnFilter, QStringLiteral("pdn"), PdnFileName_);
}

int QtUserDialogs::ChoosePdnGame(QWidget* parent, const QStringList& rows)
{
    bool chosen = false;
    const QString row = QInputDialog::getItem(parent, QStringLiteral("Import PDN Game"),
                                              QStringLiteral("The file holds several games; choose one:"),
                                              rows, 0, false, &chosen);
    return chosen ? static_cast<int>(rows.indexOf(row)) : -1;
}

QString QtUserDialogs::AskFileName(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                                   QString& remembered)
{
    QFileDialog dialog(parent);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!remembered.isEmpty())
        dialog.selectFile(remembered);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    remembered = dialog.selectedFiles().constFirst();
    return remembered;
}

} // namespace kelmarin::ui
