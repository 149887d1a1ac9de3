#pragma once

#include <QStringView>
#include <QTextOption>

#include <functional>

class QTextEdit;

// Qt's word wrapping looks for a word boundary before it breaks a line
// anywhere, and on a run of text without one that search makes the layout
// take time growing with the square of the run's length: a recipe holding a
// few megabytes without a space froze the view for minutes. Text with a long
// unbroken run is therefore wrapped anywhere, which lays out in linear time;
// every other text keeps the view's usual wrapping at word boundaries.

// Longest run of non-space characters still wrapped at word boundaries.
constexpr qsizetype longestWordWrappedRun = 1000;

QTextOption::WrapMode wrapModeForText(QStringView text);

// Gives `view` the wrap mode for `text` before the text is put into it. The
// view's document is emptied first when the mode changes, so that the old
// text is never laid out again under the new mode.
void prepareWrappingFor(QTextEdit& view, QStringView text);

// For rendered text, where link targets and embedded images are never shown:
// `render` fills the view's document under the fast mode, and the mode is then
// chosen by the text that is displayed.
void renderWithWrapping(QTextEdit& view, const std::function<void()>& render);
