#include "Form2.h"

#include "MoveListBox.h"

#include <QCloseEvent>
#include <QLabel>

#include <algorithm>

namespace kelmarin::ui {

Form2::Form2()
    : labCoinCount(new QLabel(this)), Label1(new QLabel(QStringLiteral("&Moves:"), this)),
      txtMoves(new MoveListBox(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Info"));
    labCoinCount->setObjectName(QStringLiteral("labCoinCount"));
    Label1->setObjectName(QStringLiteral("Label1"));
    txtMoves->setObjectName(QStringLiteral("txtMoves"));

    labCoinCount->setGeometry(0, 0, 273, 17);
    Label1->setGeometry(0, 16, 113, 17);
    Label1->setBuddy(txtMoves);
    txtMoves->setGeometry(0, 32, 273, 145);

    // Read-only and wrapped, with a vertical scroll bar only.
    txtMoves->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMoves->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.75);
    txtMoves->setFont(font);
    QPalette palette = txtMoves->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    txtMoves->setPalette(palette);

    resize(InitialWidth, InitialHeight);
}

void Form2::SetTexts(const QString& moves, const QString& coinCount)
{
    txtMoves->SetText(moves);
    labCoinCount->setText(coinCount);
}

void Form2::resizeEvent(QResizeEvent* event)
{
    // The list fills the window below the labels; a very low window leaves it no height at all.
    txtMoves->setGeometry(0, 32, width(), std::max(0, height() - (InitialHeight - 145)));
    QWidget::resizeEvent(event);
}

void Form2::closeEvent(QCloseEvent* event)
{
    emit Unloaded();
    event->accept();
}

} // namespace kelmarin::ui
