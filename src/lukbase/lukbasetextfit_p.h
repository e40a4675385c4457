#ifndef LUKBASE_LUKBASETEXTFIT_P_H
#define LUKBASE_LUKBASETEXTFIT_P_H

#include <QString>

class QAbstractButton;
class QComboBox;
class QFontMetrics;
class QLabel;
class QSize;

// Texts in boxes of fixed size. What does not fit is cut at its end with an ellipsis, never
// clipped mid-glyph, and the whole text goes to the tooltip and the accessible name.
namespace LuTextFit {

// text cut at its end with an ellipsis so that it and suffix, kept whole after it, fit
// width; text itself when it fits.
QString elided(const QFontMetrics& metrics, const QString& text, int width, const QString& suffix = QString());

// The longest start of text that, followed by an ellipsis, fits box when wrapped at words
// with the given alignment flags; text itself when it fits.
QString elidedWrapped(const QFontMetrics& metrics, const QString& text, const QSize& box, int flags);

// Shows text on the label (single line, or wrapped when the label wraps words) or the
// button, fitted to its box, and keeps it fitted when the font or the size change. A
// button keeps suffix whole after the possibly cut text.
void setText(QLabel* label, const QString& text);
void setText(QAbstractButton* button, const QString& text, const QString& suffix = QString());

// The box keeps its item texts; it shows the current one cut to its field, the whole one
// in its tooltip.
void elideCurrentText(QComboBox* box);

} // namespace LuTextFit

#endif
