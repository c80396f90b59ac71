#include "PositionEditor.h"

#include "BoardView.h"
#include "Form1.h"
#include "MenuActions.h"
#include "PositionSetup.h"
#include "SavedGame.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelmarin::ui {

PositionEditor::PositionEditor(Form1& form, BoardView& board, const MenuActions& menu)
    : QDockWidget(QStringLiteral("Set Up Position"), &form), Form_(form), View_(board),
      GameCommands_{menu.mnuNew,           menu.mnuLoad,        menu.mnuSave,           menu.mnuSaveAs,
                    menu.mnuUndo,          menu.mnuRedo,        menu.mnuComputer[Blue], menu.mnuComputer[Red],
                    menu.mnuMoveNow,       menu.mnuSwitchSides, menu.mnuRules[0],       menu.mnuRules[1],
                    menu.mnuExportPdn,     menu.mnuCopyPdn,     menu.mnuImportPdn,      menu.mnuPastePosition,
                    menu.mnuSetUpPosition, menu.mnuHint}
{
    setObjectName(QStringLiteral("PositionEditor"));
    setFeatures(QDockWidget::NoDockWidgetFeatures); // it closes by OK or Cancel only

    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    auto* help = new QLabel(QStringLiteral("A click on a dark square, or Space on the framed one, "
                                           "puts the next piece there: Red man, Red king, Blue man, "
                                           "Blue king, none."),
                            panel);
    help->setWordWrap(true);
    layout->addWidget(help);

    auto* side = new QGroupBox(QStringLiteral("To move"), panel);
    auto* sideLayout = new QHBoxLayout(side);
    RedToMove_ = new QRadioButton(QStringLiteral("&Red"), side);
    BlueToMove_ = new QRadioButton(QStringLiteral("&Blue"), side);
    RedToMove_->setObjectName(QStringLiteral("RedToMove"));
    BlueToMove_->setObjectName(QStringLiteral("BlueToMove"));
    sideLayout->addWidget(RedToMove_);
    sideLayout->addWidget(BlueToMove_);
    auto* sides = new QButtonGroup(side);
    sides->addButton(RedToMove_);
    sides->addButton(BlueToMove_);
    connect(RedToMove_, &QRadioButton::toggled, this, [this](bool on) { SetSideToMove(on ? Red : Blue); });
    layout->addWidget(side);

    const auto button = [this, panel, layout](const QString& caption, const char* name, auto slot) {
        auto* push = new QPushButton(caption, panel);
        push->setObjectName(QString::fromLatin1(name));
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, slot);
        layout->addWidget(push);
        return push;
    };
    button(QStringLiteral("&Clear board"), "ClearBoard", &PositionEditor::ClearBoard);
    button(QStringLiteral("&Start position"), "StartPosition", &PositionEditor::StartPosition);
    Reason_ = new QLabel(panel);
    Reason_->setObjectName(QStringLiteral("Refusal"));
    Reason_->setWordWrap(true);
    Reason_->setStyleSheet(QStringLiteral("color: #c00000"));
    layout->addWidget(Reason_);
    button(QStringLiteral("O&K"), "Accept", &PositionEditor::Accept);
    button(QStringLiteral("Cancel"), "Cancel", &PositionEditor::Cancel);
    layout->addStretch();
    panel->setFixedWidth(200);
    setWidget(panel);

    connect(&View_, &BoardView::MouseUp, this, &PositionEditor::BoardClicked);
    form.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
}

void PositionEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        Cancel();
    else
        QDockWidget::keyPressEvent(event);
}

void PositionEditor::Open()
{
    if (View_.Editing())
        return;
    // The computer's step or hint would be for a position about to be edited away.
    const bool thinking =
        Form_.Thinker().IsThinking() && Form_.Thinker().ThinkingFor() != ComputerThinker::Purpose::Hint;
    Resume_ = Form_.Timer1().Interval() != 0 || thinking;
    Form_.StopThinking();
    Form_.Timer1().SetInterval(0);
    for (QAction* command : GameCommands_)
        command->setEnabled(false);

    Board_ = Form_.Game().Board;
    Side_ = Form_.Game().SideToMove;
    (Side_ == Blue ? BlueToMove_ : RedToMove_)->setChecked(true);
    Reason_->clear();
    show();
    View_.ShowEdited(&Board_, Side_);
    View_.setFocus();
}

void PositionEditor::BoardClicked(int, int, float X, float Y)
{
    const TSquare square = View_.SquareAt(X, Y);
    if (!View_.Editing() || !IsPlayingSquare(square.I, square.J))
        return;
    Board_[square] = NextSetupCoin(Board_[square]);
    Reason_->clear();
    Redraw();
}

void PositionEditor::ClearBoard()
{
    Board_ = TBoard();
    Reason_->clear();
    Redraw();
}

void PositionEditor::StartPosition()
{
    GameState start;
    start.New();
    Board_ = start.Board;
    RedToMove_->setChecked(true);
    Reason_->clear();
    Redraw();
}

void PositionEditor::SetSideToMove(std::int16_t side)
{
    if (side == Side_)
        return;
    Side_ = side;
    (Side_ == Blue ? BlueToMove_ : RedToMove_)->setChecked(true);
    Redraw();
}

void PositionEditor::Redraw()
{
    if (View_.Editing())
        View_.ShowEdited(&Board_, Side_);
}

QString PositionEditor::Refusal() const
{
    return Reason_->text();
}

void PositionEditor::Accept()
{
    if (!View_.Editing())
        return;
    const std::string refusal = SetupRefusal(Board_);
    if (!refusal.empty()) {
        Reason_->setText(
            QStringLiteral("This position cannot be played: %1.").arg(QString::fromStdString(refusal)));
        return;
    }
    SavedGame game;
    game.Board = Board_;
    game.SideToMove = Side_;
    game.GameRules = Form_.Game().GameRules;
    Close();
    Form_.ReplaceGame(game, QString());
    ResumeComputer();
}

void PositionEditor::Cancel()
{
    if (!View_.Editing())
        return;
    Close();
    Form_.Game().RedrawBoard();
    ResumeComputer();
}

void PositionEditor::Close()
{
    View_.ShowEdited(nullptr, 0);
    for (QAction* command : GameCommands_)
        command->setEnabled(true);
    hide();
    View_.setFocus();
}

void PositionEditor::ResumeComputer()
{
    if (Resume_ && !Form_.Game().IsGameOver() && Form_.Turn().ComputerPlays(Form_.Game().SideToMove))
        Form_.Timer1().SetInterval(1);
}

} // namespace kelmarin::ui
