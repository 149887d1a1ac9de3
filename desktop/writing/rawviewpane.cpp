#include "writing/rawviewpane.h"

#include "document/textwrapping.h"
#include "files/safefile.h"

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
    SafeFile file(path);
    if (!file.exists()) {
        browser->setPlainText(QString());
        return;
    }
    // Something that is there but cannot be read (a folder, a file without
    // permission, a device, a file too large to show) leaves the last
    // readable text in view.
    if (!file.isOpen())
        return;
    const QString text = QString::fromUtf8(file.file().read(file.size()));
    prepareWrappingFor(*browser, text);
    browser->setPlainText(text);
}
