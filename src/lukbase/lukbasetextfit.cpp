#include "lukbasetextfit_p.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {

const QChar kEllipsis(0x2026);
const char kFitterProperty[] = "_lukbase_textFitter";

bool fitsWrapped(const QFontMetrics& metrics, const QString& text, const QSize& box, int flags)
{
    const QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), QWIDGETSIZE_MAX), flags, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}

// The first count characters of text, without a broken surrogate pair or trailing spaces.
QString textStart(const QString& text, qsizetype count)
{
    if (count > 0 && text.at(count - 1).isHighSurrogate())
        --count;
    QString start = text.left(count);
    while (!start.isEmpty() && start.back().isSpace())
        start.chop(1);
    return start;
}

// Keeps the text of one label or button fitted to its box while font and size change.
class Fitter : public QObject
{
public:
    explicit Fitter(QWidget* widget)
        : QObject(widget)
        , m_widget(widget)
    {
        widget->setProperty(kFitterProperty, QVariant::fromValue<QObject*>(this));
        widget->installEventFilter(this);
    }

    static Fitter* of(QWidget* widget)
    {
        auto* fitter = static_cast<Fitter*>(widget->property(kFitterProperty).value<QObject*>());
        return fitter ? fitter : new Fitter(widget);
    }

    void setText(const QString& text, const QString& suffix)
    {
        m_text = text;
        m_suffix = suffix;
        refit();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::Resize:
        case QEvent::Polish:
            refit();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void refit()
    {
        const QFontMetrics metrics(m_widget->font());
        const QString whole = m_text + m_suffix;
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(m_widget)) {
            const int margin = label->margin();
            const QRect box = label->contentsRect().adjusted(margin, margin, -margin, -margin);
            shown = label->wordWrap()
                ? LuTextFit::elidedWrapped(metrics, whole, box.size(), int(label->alignment()) | Qt::TextWordWrap)
                : LuTextFit::elided(metrics, whole, box.width());
            if (label->text() != shown)
                label->setText(shown);
        } else if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            shown = LuTextFit::elided(metrics, m_text, box.width(), m_suffix);
            if (button->text() != shown)
                button->setText(shown);
        }
        const QString full = shown == whole ? QString() : whole;
        m_widget->setToolTip(full);
        m_widget->setAccessibleName(full);
    }

    QWidget* m_widget;
    QString m_text;
    QString m_suffix;
};

// Reaches the protected option set-up that QComboBox paints with.
struct ComboStyleOption : QComboBox
{
    using QComboBox::initStyleOption;
};

// Paints a combo box as QComboBox does, with the current text cut to the edit field.
class ComboElider : public QObject
{
public:
    explicit ComboElider(QComboBox* box)
        : QObject(box)
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto* box = static_cast<QComboBox*>(watched);
        QStyleOptionComboBox option;
        (box->*(&ComboStyleOption::initStyleOption))(&option);
        if (box->currentIndex() < 0 && !box->placeholderText().isEmpty())
            return false;
        const QRect field
            = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        // The style draws the label one pixel in from each side of the field.
        const QString whole = option.currentText;
        option.currentText = LuTextFit::elided(box->fontMetrics(), whole, field.width() - 2);
        box->setToolTip(option.currentText == whole ? QString() : whole);

        QStylePainter painter(box);
        painter.setPen(box->palette().color(QPalette::Text));
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
        return true;
    }
};

} // namespace

QString LuTextFit::elided(const QFontMetrics& metrics, const QString& text, int width, const QString& suffix)
{
    if (metrics.horizontalAdvance(text + suffix) <= width)
        return text + suffix;
    return metrics.elidedText(text, Qt::ElideRight, width - metrics.horizontalAdvance(suffix)) + suffix;
}

QString LuTextFit::elidedWrapped(const QFontMetrics& metrics, const QString& text, const QSize& box, int flags)
{
    if (fitsWrapped(metrics, text, box, flags))
        return text;
    // The longest start that fits with the ellipsis, found in a logarithmic number of layouts.
    qsizetype fits = 0;
    qsizetype overflows = text.size();
    while (overflows - fits > 1) {
        const qsizetype middle = (fits + overflows) / 2;
        if (fitsWrapped(metrics, textStart(text, middle) + kEllipsis, box, flags))
            fits = middle;
        else
            overflows = middle;
    }
    return textStart(text, fits) + kEllipsis;
}

void LuTextFit::setText(QLabel* label, const QString& text)
{
    Fitter::of(label)->setText(text, QString());
}

void LuTextFit::setText(QAbstractButton* button, const QString& text, const QString& suffix)
{
    Fitter::of(button)->setText(text, suffix);
}

void LuTextFit::elideCurrentText(QComboBox* box)
{
    new ComboElider(box);
}
