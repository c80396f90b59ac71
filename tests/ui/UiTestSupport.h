// A main window with scripted dialogs, and small helpers to look at what it drew.
#pragma once

#include "BoardView.h"
#include "Form1.h"
#include "RecordingDisplay.h"
#include "UserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QStringList>

#include <memory>
#include <vector>

namespace kelmarin::ui::testing {

using kelmarin::testing::ClearBoard;
using kelmarin::testing::FinishSetup;

class FakeDialogs final : public UserDialogs {
public:
    struct Message {
        QString Kind;
        QString Title;
        QString Text;
    };

    void ShowInformation(QWidget*, const QString& title, const QString& text) override
    {
        Messages.push_back({QStringLiteral("information"), title, text});
    }
    void ShowWarning(QWidget*, const QString& title, const QString& text) override
    {
        Messages.push_back({QStringLiteral("warning"), title, text});
    }
    QString ShowOpen(QWidget*) override
    {
        ++OpenCalls;
        return OpenAnswers.isEmpty() ? QString() : OpenAnswers.takeFirst();
    }
    QString ShowSave(QWidget*) override
    {
        ++SaveCalls;
        return SaveAnswers.isEmpty() ? QString() : SaveAnswers.takeFirst();
    }

    QString ShowOpenPdn(QWidget*) override
    {
        return OpenPdnAnswers.isEmpty() ? QString() : OpenPdnAnswers.takeFirst();
    }
    QString ShowSavePdn(QWidget*) override
    {
        return SavePdnAnswers.isEmpty() ? QString() : SavePdnAnswers.takeFirst();
    }
    int ChoosePdnGame(QWidget*, const QStringList& rows) override
    {
        OfferedRows = rows;
        return ChosenRow;
    }

    std::vector<Message> Messages;
    QStringList OpenAnswers;
    QStringList SaveAnswers;
    QStringList OpenPdnAnswers;
    QStringList SavePdnAnswers;
    QStringList OfferedRows;
    int ChosenRow = -1;
    int OpenCalls = 0;
    int SaveCalls = 0;
};

struct Window {
    Window() : Form(std::make_unique<Form1>(Dialogs)) { Form->Computer().Seed(1); }

    GameState& Game() { return Form->Game(); }
    const MenuActions& Menu() { return Form->Menu(); }
    BoardView& Board() { return Form->Board(); }

    // The colour drawn at (X, Y) in twips.
    QColor At(int X, int Y) { return Board().Picture().pixelColor(Board().PicturePixel(X, Y)); }
    // The colour inside the bottom-left corner of the cell that shows board square (I, J), away from
    // the piece and the number.
    QColor CornerOf(int I, int J)
    {
        const QRect box = Board().SquareBox(static_cast<std::int16_t>(I), static_cast<std::int16_t>(J));
        return At(box.left() + 90, box.top() + 800 - 90);
    }
    // A click in the middle of the cell that shows board square (I, J).
    void ClickSquare(int I, int J)
    {
        const QRect box = Board().SquareBox(static_cast<std::int16_t>(I), static_cast<std::int16_t>(J));
        Form->Form_MouseUp(1, 0, box.left() + 400.0f, box.top() + 400.0f);
    }

    FakeDialogs Dialogs;
    std::unique_ptr<Form1> Form;
};

inline QColor ButtonFace()
{
    return QColor(QApplication::palette().color(QPalette::Button).rgb());
}
inline QColor ButtonShadow()
{
    return QColor(QApplication::palette().color(QPalette::Dark).rgb());
}

} // namespace kelmarin::ui::testing
