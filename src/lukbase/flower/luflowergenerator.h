#ifndef LUKBASE_LUFLOWERGENERATOR_H
#define LUKBASE_LUFLOWERGENERATOR_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QObject>
#include <QScopedPointer>

class LuFlowerGeneratorPrivate;

/**
 * Flowers: decorative snippets that chat text names by a short markup,
 * "{PLUME-FLOWERS:" followed by the snippet's decimal index and "}".
 *
 * The snippets come from flower files (UTF-8, one flower per line; see load()).
 * randomFlower() makes the markup of a random flower for an outgoing message, and
 * escapeFlower() turns every markup of a received message back into its flower.
 *
 * The host constructs one generator at start-up; the last one constructed is instance().
 * Use it on the GUI thread.
 */
class LUKBASE_EXPORT LuFlowerGenerator : public QObject, public LuObject
{
    Q_OBJECT

public:
    /**
     * Makes the new generator the process's instance(), replacing any earlier one.
     * @param parent the parent object
     */
    explicit LuFlowerGenerator(QObject* parent = nullptr);
    /** instance() becomes null if it was this generator. */
    ~LuFlowerGenerator() override;

    /** @return the generator constructed last, or null; never creates one */
    static LuFlowerGenerator* instance();

    /**
     * Adds the flowers of a file to the list. Each line of at least three characters,
     * counting its line feed, is a flower (line feed included); shorter lines are skipped.
     * A file is read at most once per call, and a file that cannot be opened is not retried.
     * The list only grows.
     * @param path the flower file, normally in LuKBase::flowerFilePath()
     * @param now true to read it at once, false to read it on the next randomFlower() or
     *        escapeFlower()
     */
    void load(const QString& path, bool now = false);

    /** @return the markup of a random flower, for example "{PLUME-FLOWERS:17}"; null with no flowers */
    QString randomFlower();

    /**
     * Expands the flower markup of a received message. Markup with an unknown index, an
     * index too large for an int, or no closing brace is left as it is. The inserted flowers
     * are not searched again.
     * @param text the message
     * @return @p text with every markup that names a listed flower replaced by that flower
     */
    QString escapeFlower(const QString& text);

private:
    Q_DECLARE_PRIVATE(LuFlowerGenerator)
    const QScopedPointer<LuFlowerGeneratorPrivate> d_ptr;
};

#endif
