#pragma once

#include <QString>

class QTextDocument;

// Fills `document` with `markdown` rendered as one edit. A document that a
// view shows is otherwise laid out again after every piece the Markdown
// reader adds, which takes time growing with the square of a paragraph's
// length: 64 KB of binary bytes named like a recipe held the desktop window
// for 12 s and the touch page for 21 s.
void renderMarkdown(QTextDocument& document, const QString& markdown);
