// The Analysis window: what the search thinks of the position on the board, as plain text that can
// be selected, copied and read by a screen reader.
//
// A top-level window of its own, with no owner, like the Info window; closing it by its close box
// only hides it and says so.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kelmarin::ui {

class AnalysisWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int InitialWidth = 420;
    static constexpr int InitialHeight = 150;

    AnalysisWindow();

    void SetText(const QString& text);
    QString Text() const;

    QPlainTextEdit* txtAnalysis;

signals:
    // The user closed the window with its own close box.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace kelmarin::ui
