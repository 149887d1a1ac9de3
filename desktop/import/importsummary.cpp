#include "import/importsummary.h"

#include "text/countwording.h"

QString ImportSummary::statusMessage() const
{
    QString message = CountWording::of(written.size(), QStringLiteral("Imported 1 recipe"),
                                       QStringLiteral("Imported %1 recipes"));
    if (!problems.isEmpty())
        message += CountWording::of(problems.size(), QStringLiteral("; 1 file held none"),
                                    QStringLiteral("; %1 files held none"));
    if (!alreadyThere.isEmpty())
        message += QStringLiteral("; %1 already in the cookbook").arg(alreadyThere.size());
    if (cancelled)
        message += QStringLiteral(" (cancelled after %1 of %2)")
                       .arg(filesRead)
                       .arg(CountWording::of(filesTotal, QStringLiteral("1 file"),
                                             QStringLiteral("%1 files")));
    return message;
}
