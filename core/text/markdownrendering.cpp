#include "text/markdownrendering.h"

#include <QTextCursor>
#include <QTextDocument>

void renderMarkdown(QTextDocument& document, const QString& markdown)
{
    QTextCursor whole(&document);
    whole.beginEditBlock();
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    whole.endEditBlock();
}
