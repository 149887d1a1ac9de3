#include "onecolumnproxy.h"

OneColumnProxy::~OneColumnProxy() = default;

int OneColumnProxy::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent);
    return 1;
}
