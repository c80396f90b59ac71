// The modal boxes and file dialogs of the main window, behind an interface so that tests can answer
// them without a nested event loop.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kelmarin::ui {

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    virtual void ShowInformation(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void ShowWarning(QWidget* parent, const QString& title, const QString& text) = 0;

    // The chosen path, or an empty string when the user cancelled.
    virtual QString ShowOpen(QWidget* parent) = 0;
    virtual QString ShowSave(QWidget* parent) = 0;
    // The same for PDN files, which remember a name of their own.
    virtual QString ShowOpenPdn(QWidget* parent) = 0;
    virtual QString ShowSavePdn(QWidget* parent) = 0;

    // The index of the row chosen from rows, or -1 when the user cancelled.
    virtual int ChoosePdnGame(QWidget* parent, const QStringList& rows) = 0;
};

} // namespace kelmarin::ui
