#include "document/panebuttons.h"

#include <QBoxLayout>
#include <QIcon>
#include <QPushButton>

#include <memory>

QPushButton* addPaneButton(QBoxLayout* layout, const QString& text, const QString& name,
                           const QString& icon)
{
    auto button = std::make_unique<QPushButton>(QIcon::fromTheme(icon), text);
    button->setObjectName(name);
    QPushButton* added = button.get();
    layout->addWidget(button.release());
    return added;
}
