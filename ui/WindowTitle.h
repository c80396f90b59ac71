// The main window's title, composed from what it shows: the base title, then the note that the
// computer stopped on a repeated position or, failing that, the score of the computer's last search
// while Title Shows Value is on. The window's only writer of its title.
#pragma once

#include <QString>

#include <optional>

namespace kelmarin::ui {

inline constexpr const char* EvaluationTitle = " - Evaluation for Blue: ";
inline constexpr const char* RepetitionTitle = " - position repeated three times";

QString WindowTitle(const QString& baseTitle, std::optional<int> score, bool repetitionStop);

} // namespace kelmarin::ui
