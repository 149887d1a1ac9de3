#include "import/importsummary.h"

QString ImportSummary::statusMessage() const
{
    QString message = QStringLiteral("Imported %1 recipes").arg(written.size());
    if (!problems.isEmpty())
        message += QStringLiteral("; %1 files held none").arg(problems.size());
    if (!alreadyThere.isEmpty())
        message += QStringLiteral("; %1 already in the cookbook").arg(alreadyThere.size());
    if (cancelled)
        message +=
            QStringLiteral(" (cancelled after %1 of %2 files)").arg(filesRead).arg(filesTotal);
    return message;
}
