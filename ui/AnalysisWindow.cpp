#include "AnalysisWindow.h"

#include "AnalysisText.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kelmarin::ui {

AnalysisWindow::AnalysisWindow() : txtAnalysis(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("Analysis"));
    txtAnalysis->setObjectName(QStringLiteral("txtAnalysis"));
    txtAnalysis->setReadOnly(true);
    txtAnalysis->setAccessibleName(QStringLiteral("Analysis"));
    // Read-only text still takes the keyboard focus, so it can be selected and read line by line.
    txtAnalysis->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.75);
    txtAnalysis->setFont(font);
    txtAnalysis->setWordWrapMode(QTextOption::WordWrap); // a long line breaks between turns

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtAnalysis);
    // Wide enough for a row of the line under its label, so that no row breaks inside a turn.
    const int rowWidth = QFontMetrics(font).horizontalAdvance(QString(LineWidth + 8, QLatin1Char('0'))) +
                         txtAnalysis->verticalScrollBar()->sizeHint().width() + 16;
    resize(std::max(InitialWidth, rowWidth), InitialHeight);
}

void AnalysisWindow::SetText(const QString& text)
{
    if (text != txtAnalysis->toPlainText())
        txtAnalysis->setPlainText(text);
}

QString AnalysisWindow::Text() const
{
    return txtAnalysis->toPlainText();
}

void AnalysisWindow::closeEvent(QCloseEvent* event)
{
    emit Unloaded();
    event->accept();
}

} // namespace kelmarin::ui
