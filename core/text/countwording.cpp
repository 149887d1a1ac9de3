#include "text/countwording.h"

QString CountWording::of(qint64 count, const QString& one, const QString& many)
{
    return count == 1 ? one : many.arg(count);
}
