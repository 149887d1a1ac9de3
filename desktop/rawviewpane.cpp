#include "rawviewpane.h"

#include "textwrapping.h"

#include <QFile>
#include <QHBoxLayout>
#include <QTextBrowser>

#include <memory>

RawViewPane::RawViewPane(QWidget* parent)
    : PaneBase(parent)
{
    auto ownedBrowser = std::make_unique<QTextBrowser>();
    browser = ownedBrowser.get();
    auto layout = std::make_unique<QHBoxLayout>();
    layout->addWidget(ownedBrowser.release());
    setLayout(layout.release());
}

RawViewPane::~RawViewPane() = default;

void RawViewPane::openPath(const QString& path)
{
    if (path.isEmpty() || !QFile::exists(path)) {
        browser->setPlainText(QString());
        return;
    }
    QFile file(path);
    // Something that is there but cannot be read (a folder, a file without
    // permission) leaves the last readable text in view.
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    prepareWrappingFor(*browser, text);
    browser->setPlainText(text);
}
