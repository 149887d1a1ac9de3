#include "document/textwrapping.h"

#include <QTextDocument>
#include <QTextEdit>

QTextOption::WrapMode wrapModeForText(QStringView text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > longestWordWrappedRun)
            return QTextOption::WrapAnywhere;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

void prepareWrappingFor(QTextEdit& view, QStringView text)
{
    const QTextOption::WrapMode mode = wrapModeForText(text);
    if (view.wordWrapMode() == mode)
        return;
    view.document()->clear();
    view.setWordWrapMode(mode);
}

void renderWithWrapping(QTextEdit& view, const std::function<void()>& render)
{
    if (view.wordWrapMode() != QTextOption::WrapAnywhere) {
        view.document()->clear();
        view.setWordWrapMode(QTextOption::WrapAnywhere);
    }
    render();
    const QTextOption::WrapMode mode = wrapModeForText(view.document()->toPlainText());
    if (mode != QTextOption::WrapAnywhere)
        view.setWordWrapMode(mode);
}
