// The host's list of music players (":/config/bgmusic.xml") and the player the user chooses.
//
// Checked: exactly the installed players are offered, as written and in file order; the
// chosen player is started as chosen (its own path, or the path its registry key names) under
// the process name its item gives, and every injected hook is taken out again.

#include "fuzzsupport.h"

#include <lukbase/lubgmusicmanager.h>

#include <zuzar/mcenginesetup.h>

#include <QRegularExpression>
#include <QResource>
#include <QXmlStreamWriter>
#include <QtEndian>

namespace {

const QStringList kKeys = { QStringLiteral("Uninstall\\Lark"), QStringLiteral("Uninstall\\Reed"),
    QStringLiteral("Uninstall\\Gone"), QString() };
// The installed players' paths by key; the third key is not installed.
const QStringList kPaths = { QStringLiteral("C:/Lark/lark.exe"), QStringLiteral("/opt/reed/reed") };

// A resource image holding one file, ":/config/bgmusic.xml", in the binary layout that
// QResource::registerResource() maps: format 1, uncompressed.
class ResourceImage
{
public:
    explicit ResourceImage(const QByteArray& content)
    {
        QByteArray names;
        const int directoryName = appendName(&names, QStringLiteral("config"));
        const int fileName = appendName(&names, QStringLiteral("bgmusic.xml"));
        QByteArray payload;
        appendNumber<quint32>(&payload, quint32(content.size()));
        payload += content;

        // Node 0 is the root, node 1 the directory, node 2 the file (language C, any territory).
        QByteArray tree;
        appendDirectory(&tree, 0, 1);
        appendDirectory(&tree, directoryName, 2);
        appendNumber<quint32>(&tree, quint32(fileName));
        appendNumber<quint16>(&tree, 0);
        appendNumber<quint16>(&tree, 0);
        appendNumber<quint16>(&tree, 1);
        appendNumber<quint32>(&tree, 0);

        constexpr int headerSize = 20;
        m_bytes = "qres";
        appendNumber<quint32>(&m_bytes, 1);
        appendNumber<quint32>(&m_bytes, headerSize);
        appendNumber<quint32>(&m_bytes, quint32(headerSize + tree.size()));
        appendNumber<quint32>(&m_bytes, quint32(headerSize + tree.size() + payload.size()));
        m_bytes += tree + payload + names;
        if (!QResource::registerResource(data()))
            std::abort();
    }
    ~ResourceImage() { QResource::unregisterResource(data()); }

private:
    const uchar* data() const { return reinterpret_cast<const uchar*>(m_bytes.constData()); }

    template <typename T> static void appendNumber(QByteArray* bytes, T value)
    {
        const T big = qToBigEndian(value);
        bytes->append(reinterpret_cast<const char*>(&big), sizeof(big));
    }
    static int appendName(QByteArray* names, const QString& name)
    {
        const int offset = int(names->size());
        appendNumber<quint16>(names, quint16(name.size()));
        appendNumber<quint32>(names, qt_hash(name));
        for (const QChar c : name)
            appendNumber<quint16>(names, c.unicode());
        return offset;
    }
    static void appendDirectory(QByteArray* tree, int name, int firstChild)
    {
        appendNumber<quint32>(tree, quint32(name));
        appendNumber<quint16>(tree, 2);
        appendNumber<quint32>(tree, 1);
        appendNumber<quint32>(tree, quint32(firstChild));
    }

    QByteArray m_bytes;
};

// Text that an XML attribute carries unchanged: XML has no control characters but white
// space, and a parser reads white space in an attribute as a plain space.
QString attributeText(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0xfffe || c.unicode() == 0xffff)
            c = QLatin1Char('?');
    }
    return text;
}

LuBgMusicItem takeItem(FuzzedDataProvider& input)
{
    const QString name = Fuzz::takeText(input, 40);
    const QString key = kKeys.at(input.ConsumeIntegralInRange(0, int(kKeys.size()) - 1));
    return LuBgMusicItem(name, key, Fuzz::takeText(input, 20));
}

// The configuration written from items, with what the manager should make of it.
QByteArray writeConfiguration(FuzzedDataProvider& input, QList<LuBgMusicItem>* installed)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("players"));
    const int count = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
        const LuBgMusicItem taken = takeItem(input);
        const LuBgMusicItem item(attributeText(taken.name()), taken.regkey(), attributeText(taken.exename()));
        // Only "item" children of the root are players.
        const bool offered = input.ConsumeBool();
        writer.writeStartElement(offered ? QStringLiteral("item") : QStringLiteral("other"));
        writer.writeAttribute(QStringLiteral("name"), item.name());
        writer.writeAttribute(QStringLiteral("regkey"), item.regkey());
        writer.writeAttribute(QStringLiteral("exename"), item.exename());
        writer.writeEndElement();
        if (offered && kKeys.indexOf(item.regkey()) < kPaths.size())
            installed->append(item);
    }
    writer.writeEndDocument();
    return xml;
}

bool sameItem(const LuBgMusicItem& a, const LuBgMusicItem& b)
{
    return a.name() == b.name() && a.regkey() == b.regkey() && a.exename() == b.exename();
}

// The engine calls that starting item's player makes, with process ids left out.
QStringList started(const LuBgMusicItem& item)
{
    if (item.name().isEmpty())
        return {};
    QString process = item.exename();
    if (process.isEmpty()) {
        const qsizetype backslash = item.name().lastIndexOf(QLatin1Char('\\'));
        process = item.name().mid((backslash >= 0 ? backslash : item.name().lastIndexOf(QLatin1Char('/'))) + 1);
    }
    QStringList calls { QStringLiteral("ProcessHooker::ProcessHooker(%1, %2/, soundhook.dll)")
                            .arg(process, QCoreApplication::applicationDirPath()) };
    QString path = item.name();
    if (!item.regkey().isEmpty()) {
        calls << QStringLiteral("ProcessHooker::findProcessPathAndStart(%1, DisplayIcon, %2)")
                     .arg(item.regkey(), process);
        path = kPaths.value(kKeys.indexOf(item.regkey()));
    }
    if (!path.isEmpty())
        calls << QStringLiteral("ProcessHooker::startProcess(%1, %2)").arg(process, path);
    return calls << QStringLiteral("ProcessHooker::injectDll(pid)");
}

const QStringList kReleased = { QStringLiteral("ProcessHooker::unInjectDll()") };

QStringList takeJournal()
{
    static const QRegularExpression pid(QStringLiteral("^ProcessHooker::injectDll\\(\\d+\\)$"));
    QStringList journal = McEngineSetup::journal();
    McEngineSetup::clearJournal();
    return journal.replaceInStrings(pid, QStringLiteral("ProcessHooker::injectDll(pid)"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    McEngineSetup::reset();
    McEngineSetup::setStartProcesses(false);
    for (qsizetype i = 0; i < kPaths.size(); ++i)
        McEngineSetup::setRegistryValue(kKeys.at(i), QStringLiteral("DisplayIcon"), kPaths.at(i));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    QList<LuBgMusicItem> installed;
    const bool written = input.ConsumeBool();
    const QByteArray xml = written ? writeConfiguration(input, &installed)
                                   : QByteArray::fromStdString(input.ConsumeRandomLengthString(2048));
    McEngineSetup::setInjectionSucceeds(input.ConsumeBool());

    const ResourceImage resource(xml);
    auto manager = std::make_unique<LuBgMusicManager>();
    const QList<LuBgMusicItem> items = manager->items();
    if (written) {
        FUZZ_CHECK(items.size() == installed.size(), xml);
        for (qsizetype i = 0; i < items.size(); ++i)
            FUZZ_CHECK(sameItem(items.at(i), installed.at(i)), QString::fromUtf8(xml) << i);
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        FUZZ_CHECK(kKeys.indexOf(items.at(i).regkey()) < kPaths.size(), "not installed" << items.at(i).regkey());
        FUZZ_CHECK(sameItem(manager->item(int(i)), items.at(i)), i);
    }
    FUZZ_CHECK(manager->item(-1).name().isEmpty() && manager->item(int(items.size())).name().isEmpty(), "out of range");
    (void)takeJournal();

    // The user's choices, as the settings popup makes them, with the calls each one must make.
    bool playing = false;
    bool hooked = false;
    LuBgMusicItem current;
    while (input.remaining_bytes() > 0) {
        QStringList expected;
        const int choice = input.ConsumeIntegralInRange(0, 3);
        if (choice <= 1) {
            const bool offered = choice == 0 && !items.isEmpty();
            current = offered ? items.at(input.ConsumeIntegralInRange(0, int(items.size()) - 1)) : takeItem(input);
            manager->setCurrentItem(current);
            if (playing) {
                expected = (hooked ? kReleased : QStringList()) + started(current);
                hooked = !current.name().isEmpty();
            }
        } else if (choice == 2) {
            manager->startMusic();
            if (!playing) {
                expected = started(current);
                hooked = !current.name().isEmpty();
            }
            playing = true;
        } else {
            manager->stopMusic();
            expected = hooked ? kReleased : QStringList();
            playing = hooked = false;
        }
        FUZZ_CHECK(sameItem(manager->currentItem(), current), manager->currentItem().name());
        const QStringList journal = takeJournal();
        FUZZ_CHECK(journal == expected, journal << "instead of" << expected);
    }
    manager.reset();
    const QStringList journal = takeJournal();
    FUZZ_CHECK(journal == (hooked ? kReleased : QStringList()), "left behind" << journal);
    return 0;
}
