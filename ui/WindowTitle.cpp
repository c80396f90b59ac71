#include "WindowTitle.h"

namespace kelmarin::ui {

QString WindowTitle(const QString& baseTitle, std::optional<int> score, bool repetitionStop)
{
    if (repetitionStop)
        return baseTitle + QLatin1String(RepetitionTitle);
    if (score)
        return baseTitle + QLatin1String(EvaluationTitle) + QString::number(*score);
    return baseTitle;
}

} // namespace kelmarin::ui
