#include "AnalysisText.h"

#include <QStringList>

namespace kelmarin::ui {

QString ScoreText(int score)
{
    const int plies = strong::WinDistance(score);
    if (plies > 0)
        return QStringLiteral("win in %1").arg(plies);
    if (plies < 0)
        return QStringLiteral("loss in %1").arg(-plies);
    return score > 0 ? QStringLiteral("+%1").arg(score) : QString::number(score);
}

std::uint64_t NodesPerSecond(std::uint64_t nodes, std::int64_t elapsedMs)
{
    return elapsedMs <= 0 ? nodes : nodes * 1000 / static_cast<std::uint64_t>(elapsedMs);
}

QString RowsOfTurns(const QString& line, int width, const QString& indent)
{
    QString text;
    int rowLength = 0;
    for (const QString& turn : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (rowLength > 0 && rowLength + 1 + turn.size() > width) {
            text += QLatin1Char('\n') + indent;
            rowLength = 0;
        } else if (rowLength > 0) {
            text += QLatin1Char(' ');
            ++rowLength;
        }
        text += turn;
        rowLength += static_cast<int>(turn.size());
    }
    return text;
}

QString AnalysisText(const GameState& game, const strong::IterationInfo& info, SquareNumbering numbering)
{
    const QString side = game.SideToMove == Blue ? QStringLiteral("Blue") : QStringLiteral("Red");
    return QStringLiteral("Depth: %1\nScore for %2: %3\nSpeed: %4 positions/s\nLine: %5")
        .arg(info.Depth)
        .arg(side, ScoreText(info.Score))
        .arg(NodesPerSecond(info.Nodes, info.ElapsedMs))
        .arg(RowsOfTurns(QString::fromStdString(LineText(game, info.Pv, numbering)), LineWidth,
                         QStringLiteral("      ")));
}

} // namespace kelmarin::ui
