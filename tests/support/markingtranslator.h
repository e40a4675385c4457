#ifndef LUKBASE_TESTS_MARKINGTRANSLATOR_H
#define LUKBASE_TESTS_MARKINGTRANSLATOR_H

#include <QTranslator>

// Answers the texts of one translation context as "<source>", so that a test sees which
// texts were translated, and in which context.
class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(const char* context)
        : m_context(context)
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        return m_context == context ? QStringLiteral("<%1>").arg(QString::fromUtf8(sourceText)) : QString();
    }

private:
    QByteArray m_context;
};

#endif
