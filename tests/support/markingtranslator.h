#ifndef LUKBASE_TESTS_MARKINGTRANSLATOR_H
#define LUKBASE_TESTS_MARKINGTRANSLATOR_H

#include <QTranslator>

// Answers the texts of the given translation contexts as "<source>", so that a test sees
// which texts were translated, and in which context.
class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(const char* context)
        : m_contexts { context }
    {
    }
    MarkingTranslator(std::initializer_list<QByteArray> contexts)
        : m_contexts(contexts)
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        return m_contexts.contains(context) ? QStringLiteral("<%1>").arg(QString::fromUtf8(sourceText)) : QString();
    }

private:
    QByteArrayList m_contexts;
};

#endif
