// The real message boxes and file dialogs.
//
// Open and save share one remembered file name, so each dialog starts with the name last chosen in
// either of them; the PDN dialogs share another.
#pragma once

#include "UserDialogs.h"

namespace kelmarin::ui {

class QtUserDialogs final : public UserDialogs {
public:
    static const QString FileFilter;    // "Kelmarin Save File (*.kmr)"
    static const QString DefaultSuffix; // "kmr"
    static const QString PdnFilter;     // "PDN Game (*.pdn)"

    void ShowInformation(QWidget* parent, const QString& title, const QString& text) override;
    void ShowWarning(QWidget* parent, const QString& title, const QString& text) override;
    QString ShowOpen(QWidget* parent) override;
    QString ShowSave(QWidget* parent) override;
    QString ShowOpenPdn(QWidget* parent) override;
    QString ShowSavePdn(QWidget* parent) override;
    int ChoosePdnGame(QWidget* parent, const QStringList& rows) override;

    // A saved game opened without the dialog (from the command line): Load and Save As start there.
    void RememberFileName(const QString& fileName) { FileName_ = fileName; }

private:
    static QString AskFileName(QWidget* parent, bool save, const QString& filter, const QString& suffix,
                               QString& remembered);

    QString FileName_;
    QString PdnFileName_;
};

} // namespace kelmarin::ui
