// The real message boxes and file dialogs.
//
// Open and save share one remembered file name, so each dialog starts with the name last chosen in
// either of them.
#pragma once

#include "UserDialogs.h"

namespace kelmarin::ui {

class QtUserDialogs final : public UserDialogs {
public:
    static const QString FileFilter;    // "Kelmarin Save File (*.kmr)"
    static const QString DefaultSuffix; // "kmr"

    void ShowInformation(QWidget* parent, const QString& title, const QString& text) override;
    void ShowWarning(QWidget* parent, const QString& title, const QString& text) override;
    QString ShowOpen(QWidget* parent) override;
    QString ShowSave(QWidget* parent) override;

private:
    QString AskFileName(QWidget* parent, bool save);

    QString FileName_;
};

} // namespace kelmarin::ui
