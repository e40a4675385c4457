#ifndef LUKBASE_TESTS_TEXTCHECK_H
#define LUKBASE_TESTS_TEXTCHECK_H

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTranslator>

#include "paintrecorder.h"

// What a person sees in the library's widgets: texts that fit their boxes in every font and
// language the sandbox ships, translated anew when the language changes, and named for
// screen readers.
namespace TextCheck {

inline const QChar ellipsis(0x2026);

// shown is whole, or a start of whole cut with an ellipsis (a suffix may follow it).
inline bool isWholeOrCut(const QString& shown, const QString& whole, const QString& suffix = QString())
{
    if (shown == whole + suffix)
        return true;
    const QString cut = shown.chopped(suffix.size());
    return shown.endsWith(suffix) && cut.endsWith(ellipsis) && whole.startsWith(cut.chopped(1));
}

// Columns "font" and "locale": each font the sandbox uses with the source English and the
// Chinese translation.
inline void addFontAndLanguageRows()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("locale");
    for (const char* font : { "DejaVu Sans", "WenQuanYi Micro Hei" }) {
        for (const char* locale : { "en", "zh_CN" })
            QTest::addRow("%s, %s", font, locale) << font << locale;
    }
}

// The row's font as the application font and its translation installed, while it lives.
class FontAndLanguage
{
public:
    FontAndLanguage()
        : m_font(QApplication::font())
    {
        QFETCH(QString, font);
        QFETCH(QString, locale);
        QFont applicationFont = m_font;
        applicationFont.setFamilies({ font });
        QApplication::setFont(applicationFont);
        if (locale != QLatin1String("en")) {
            QVERIFY(m_translator.load(QStringLiteral("lukbase_") + locale, QStringLiteral(LUKBASE_TRANSLATIONS_DIR)));
            QVERIFY(QCoreApplication::installTranslator(&m_translator));
        }
    }
    ~FontAndLanguage()
    {
        QCoreApplication::removeTranslator(&m_translator);
        QApplication::setFont(m_font);
    }

private:
    QFont m_font;
    QTranslator m_translator;
};

// The texts of the labels, buttons and combo boxes under root that do not fit their boxes,
// and those cut without their whole text in the tooltip and the accessible name.
inline QStringList unfitted(QWidget* root)
{
    QStringList found;
    const auto check = [&](QWidget* widget, const QString& shown, const QRect& box, int flags, const QString& whole) {
        // Single lines are laid out by the style in the height it has; wrapped text must
        // not run out of its box at the bottom either.
        const QRect needed
            = widget->fontMetrics().boundingRect(QRect(box.topLeft(), QSize(box.width(), 10000)), flags, shown);
        if (needed.width() > box.width() || (flags & Qt::TextWordWrap && needed.height() > box.height()))
            found << QStringLiteral("%1 does not fit %2 x %3").arg(shown).arg(box.width()).arg(box.height());
        if (shown.contains(ellipsis) && (whole.isEmpty() || !isWholeOrCut(shown, whole, shown.section(ellipsis, 1))))
            found << QStringLiteral("%1 is cut but its tooltip is %2").arg(shown, whole);
    };
    for (QLabel* label : root->findChildren<QLabel*>()) {
        const int margin = label->margin();
        const QRect box = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
        if (!label->text().isEmpty())
            check(label, label->text(), box, flags,
                label->accessibleName() == label->toolTip() ? label->toolTip() : QString());
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        if (!button->text().isEmpty()) {
            const QString whole = button->accessibleName() == button->toolTip() ? button->toolTip() : QString();
            check(button, button->text(), box, Qt::TextSingleLine, whole);
        }
    }
    for (QComboBox* box : root->findChildren<QComboBox*>()) {
        // The shown text is painted: record it.
        PaintRecorder recorder(box->size());
        box->render(&recorder);
        QString shown;
        for (const PaintRecorder::Text& text : std::as_const(recorder.texts))
            shown += text.text;
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        const QRect field
            = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        if (!shown.isEmpty())
            check(box, shown, field.adjusted(1, 0, -1, 0), Qt::TextSingleLine,
                box->toolTip() == box->currentText() ? box->toolTip() : QString());
    }
    return found;
}

// The texts of the recording that start inside none of areas or run past its right end.
// Only texts drawn at pixelSize count when it is not 0 (-1: fonts sized in points).
inline QStringList overflowing(const PaintRecorder& recorder, const QList<QRectF>& areas, int pixelSize = 0)
{
    QStringList found;
    for (const PaintRecorder::Text& text : recorder.texts) {
        if (pixelSize != 0 && text.font.pixelSize() != pixelSize)
            continue;
        const qreal right = text.baseline.x() + QFontMetricsF(text.font, &recorder).horizontalAdvance(text.text);
        const bool inside = std::any_of(areas.begin(), areas.end(),
            [&](const QRectF& area) { return area.contains(text.baseline) && right <= area.right() + 1; });
        if (!inside)
            found << QStringLiteral("%1 (%2 to %3)").arg(text.text).arg(text.baseline.x()).arg(right);
    }
    return found;
}

// Sends root's window the change of language that installing a translator posts.
inline void changeLanguage(QWidget* root)
{
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(root->window(), &change);
}

// The accessible names of the children of widget's accessible interface (the cells of a
// view, for example).
inline QStringList accessibleChildNames(QWidget* widget)
{
    QStringList names;
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(widget);
    for (int i = 0; interface && i < interface->childCount(); ++i)
        names << interface->child(i)->text(QAccessible::Name);
    return names;
}

inline QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(widget);
    return interface ? interface->text(QAccessible::Name) : QString();
}

// What root shows that a change of language under a MarkingTranslator left unmarked: of its
// title, its widgets' texts, tooltips and accessible names, its boxes' entries and its cells'
// names, those neither marked nor one of hostTexts (whole or cut); "unnamed" for a control or
// cell that screen readers cannot name; "<text> missing" for a host text no longer shown.
// Qt names its own standard buttons, the core library its dialogs' caption.
inline QStringList untranslated(QWidget* root, const QStringList& hostTexts = {})
{
    QStringList texts { root->windowTitle() };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : std::as_const(widgets)) {
        if (qobject_cast<QDialogButtonBox*>(widget->parentWidget())
            || widget->objectName().startsWith(QLatin1String("LuSkinDialog")))
            continue;
        auto* button = qobject_cast<QAbstractButton*>(widget);
        auto* box = qobject_cast<QComboBox*>(widget);
        const bool control = button || box || qobject_cast<QLineEdit*>(widget);
        const QString name = accessibleName(widget);
        texts << widget->toolTip() << (control && name.isEmpty() ? QStringLiteral("unnamed") : name)
              << (button ? button->text() : QString());
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        for (int i = 0; box && i < box->count(); ++i)
            texts << box->itemText(i);
    }
    if (qobject_cast<QAbstractItemView*>(root))
        texts << accessibleChildNames(root).replaceInStrings(QRegularExpression("^$"), QStringLiteral("unnamed"));
    texts.removeAll(QString());
    QStringList found = texts.filter(QRegularExpression("^[^<]"));
    for (const QString& hostText : hostTexts) {
        if (found.removeIf([&](const QString& text) { return isWholeOrCut(text, hostText); }) == 0)
            found << hostText + QStringLiteral(" missing");
    }
    return found;
}

} // namespace TextCheck

#endif
