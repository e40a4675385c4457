#include <lukbase/luwinprizepopup.h>

#include "offscreennotes.h"
#include "prize/luwinprizepopup_p.h"
#include "trackedgiftitem.h"

#include <QDir>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using Multiples = QList<LuWinPrizeMultiple>;

namespace {

// The flat colours of the test pictures (see pics/).
const QColor kPrizeLeft(40, 80, 160);
const QColor kPrizeMiddle(60, 120, 220);
const QColor kPrizeRight(20, 40, 100);
const QColor kMessageLeft(100, 0, 0);
const QColor kTileColours[] = { QColor(0, 150, 0), QColor(230, 180, 0), QColor(0, 150, 150) };
const QColor kThumbnail(255, 0, 255);
const QColor kOtherThumbnail(0, 255, 255);
const QColor kMessageImage(255, 128, 0);

constexpr int kWidth = 1000;

LuWinPrizePopupPrivate* d(LuWinPrizePopup& popup)
{
    return LuWinPrizePopupPrivate::get(&popup);
}

void tick(LuWinPrizePopup& popup, int count = 1)
{
    for (int i = 0; i < count; ++i) {
        QTimerEvent event(d(popup)->timerId);
        QCoreApplication::sendEvent(&popup, &event);
    }
}

QImage picture(const QColor& colour, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// Bounding box of the pixels of exactly this colour.
QRect boundsOf(const QImage& image, const QColor& colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

int countInRow(const QImage& image, int y, const QColor& colour)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += image.pixelColor(x, y) == colour;
    return count;
}

// Pixels of the prize text colour, or near it (anti-aliased glyphs), in a column range.
bool hasTextInColumns(const QImage& image, int from, int to)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = qMax(0, from); x < qMin(to, image.width()); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 60 && c.blue() < 100)
                return true;
        }
    }
    return false;
}

} // namespace

class tst_LuWinPrizePaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void prizeLine_data();
    void prizeLine();
    void messageLine();
    void slidingLines();
    void browsedLine();
    void highDpiPictures();

private:
    bool showPopup(LuWinPrizePopup& popup);
    QImage grab(LuWinPrizePopup& popup, const QString& name);

    QTemporaryDir m_dir;
    QString m_thumbnail;
    QString m_otherThumbnail;
    QFont m_font;
};

void tst_LuWinPrizePaint::initTestCase()
{
    dropOffscreenPlatformNotes();
    QVERIFY(m_dir.isValid());
    // A thumbnail twice the size of its square, to see it scaled into place.
    m_thumbnail = m_dir.filePath(QStringLiteral("1.png"));
    QVERIFY(picture(kThumbnail, 48).save(m_thumbnail));
    m_otherThumbnail = m_dir.filePath(QStringLiteral("2.png"));
    QVERIFY(picture(kOtherThumbnail, 24).save(m_otherThumbnail));
    m_font.setPointSize(14);
}

void tst_LuWinPrizePaint::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

bool tst_LuWinPrizePaint::showPopup(LuWinPrizePopup& popup)
{
    // Shown before any line arrives, so that waiting for the window runs no ticker.
    popup.resize(kWidth, 28);
    popup.show();
    return QTest::qWaitForWindowExposed(&popup);
}

QImage tst_LuWinPrizePaint::grab(LuWinPrizePopup& popup, const QString& name)
{
    const QImage image = popup.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // Set LUKBASE_TEST_GRABS to a directory to look at what the tests saw.
    const QString directory = qEnvironmentVariable("LUKBASE_TEST_GRABS");
    if (!directory.isEmpty()) {
        QDir().mkpath(directory);
        QString file = QStringLiteral("%1-%2.png").arg(name, QString::fromUtf8(QTest::currentDataTag()));
        image.save(QDir(directory).filePath(file.replace(QLatin1Char(' '), QLatin1Char('_'))));
    }
    return image;
}

void tst_LuWinPrizePaint::prizeLine_data()
{
    QTest::addColumn<bool>("group");
    QTest::addColumn<int>("multiple");
    QTest::addColumn<Multiples>("multiples");
    QTest::addColumn<qint64>("price");
    QTest::addColumn<int>("digits");

    QTest::newRow("four digits") << false << 500 << Multiples() << qint64(10) << 4;
    QTest::newRow("one digit") << false << 1 << Multiples() << qint64(7) << 1;
    QTest::newRow("two digits") << false << 2 << Multiples() << qint64(6) << 2;
    QTest::newRow("group") << true << 0 << Multiples { { 5, 1 }, { 10, 2 } } << qint64(10) << 3;
    QTest::newRow("beyond 32 bits") << false << 3 << Multiples() << qint64(3000000000LL) << 10;
    QTest::newRow("zero multiple") << false << 0 << Multiples() << qint64(10) << 0;
    QTest::newRow("zero price") << false << 600 << Multiples() << qint64(0) << 0;
    QTest::newRow("negative amount") << false << -5 << Multiples() << qint64(10) << 0;
    QTest::newRow("empty group") << true << 0 << Multiples() << qint64(10) << 0;
}

void tst_LuWinPrizePaint::prizeLine()
{
    QFETCH(bool, group);
    QFETCH(int, multiple);
    QFETCH(Multiples, multiples);
    QFETCH(qint64, price);
    QFETCH(int, digits);

    LuWinPrizePopup popup;
    QVERIFY(showPopup(popup));
    auto* gift = new TrackedGiftItem(1, m_thumbnail);
    if (group)
        popup.addPrize(QStringLiteral("Ann"), 1, price, multiples, 0, gift);
    else
        popup.addPrize(QStringLiteral("Ann"), 1, price, multiple, 0, gift);
    const QImage image = grab(popup, QStringLiteral("prize"));

    // The background's three parts: fixed borders, stretched middle.
    QCOMPARE(image.pixelColor(3, 1), kPrizeLeft);
    QCOMPARE(image.pixelColor(kWidth / 2, 1), kPrizeMiddle);
    QCOMPARE(image.pixelColor(kWidth - 3, 1), kPrizeRight);

    // The gift's picture, scaled into its 24 x 24 square after the label "1.".
    const QFontMetrics metrics(m_font);
    const int pictureLeft = 10 + metrics.size(Qt::TextSingleLine, QStringLiteral("1.")).width() + 4;
    QCOMPARE(boundsOf(image, kThumbnail), QRect(pictureLeft, 2, 24, 24));

    // The gold tiles: a left end, middles, a right end, one per digit, after the text.
    const int tileRow = 3;
    const int lefts = digits > 0 ? 1 : 0;
    const int rights = digits > 1 ? 1 : 0;
    QCOMPARE(countInRow(image, tileRow, kTileColours[0]), 15 * lefts);
    QCOMPARE(countInRow(image, tileRow, kTileColours[1]), 15 * qMax(0, digits - 2));
    QCOMPARE(countInRow(image, tileRow, kTileColours[2]), 15 * rights);
    const QString text = d(popup)->entries.first()->text;
    const int textRight = pictureLeft + 28 + metrics.size(Qt::TextSingleLine, text).width();
    if (digits > 0) {
        const QRect tiles
            = boundsOf(image, kTileColours[0]) | boundsOf(image, kTileColours[1]) | boundsOf(image, kTileColours[2]);
        QCOMPARE(tiles.left(), textRight + 4);
        QCOMPARE(tiles.top(), 2);
        QCOMPARE(tiles.width(), 15 * digits);
        QCOMPARE(tiles.height(), 24);
    }

    // "coins!" follows, right after the text when there are no tiles.
    const int coinsLeft = digits > 0 ? textRight + 4 + 15 * digits + 4 : textRight;
    const int coinsWidth = metrics.size(Qt::TextSingleLine, QStringLiteral("coins!")).width();
    QVERIFY(hasTextInColumns(image, coinsLeft, coinsLeft + coinsWidth));
    QVERIFY(!hasTextInColumns(image, coinsLeft + coinsWidth + 2, kWidth - 60));
}

void tst_LuWinPrizePaint::messageLine()
{
    LuWinPrizePopup popup;
    QVERIFY(showPopup(popup));
    popup.addMessage(picture(kMessageImage, 12), QStringLiteral("Welcome to the room"));
    const QImage image = grab(popup, QStringLiteral("message"));

    QCOMPARE(image.pixelColor(3, 1), kMessageLeft);
    const QFontMetrics metrics(m_font);
    const int pictureLeft = 10 + metrics.size(Qt::TextSingleLine, QStringLiteral("1.")).width() + 4;
    QCOMPARE(boundsOf(image, kMessageImage), QRect(pictureLeft, 2, 24, 24));
    // Yellow text, no tiles, no "coins!".
    int yellow = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = pictureLeft + 28; x < kWidth - 60; ++x) {
            const QColor c = image.pixelColor(x, y);
            yellow += c.red() > 200 && c.green() > 200 && c.blue() < 80;
        }
    }
    QVERIFY(yellow > 20);
    for (const QColor& tile : kTileColours)
        QVERIFY(boundsOf(image, tile).isNull());
}

void tst_LuWinPrizePaint::slidingLines()
{
    LuWinPrizePopup popup;
    QVERIFY(showPopup(popup));
    popup.addPrize(QStringLiteral("Ann"), 1, 10, 2, 0, new TrackedGiftItem(1, m_thumbnail));
    popup.addPrize(QStringLiteral("Bo"), 2, 10, 3, 0, new TrackedGiftItem(2, m_otherThumbnail));
    while (d(popup)->current == 0)
        tick(popup);
    tick(popup, 2);
    QCOMPARE(d(popup)->offset, 20);
    const QImage image = grab(popup, QStringLiteral("sliding"));

    // The old line leaves upwards, the new one rises from below, over a background that
    // stays in place.
    const QRect oldPicture = boundsOf(image, kThumbnail);
    const QRect newPicture = boundsOf(image, kOtherThumbnail);
    QCOMPARE(oldPicture.top(), 0);
    QCOMPARE(oldPicture.bottom(), 2 - 8 + 23);
    QCOMPARE(newPicture.top(), 2 + 20);
    QCOMPARE(newPicture.bottom(), 27);
    QCOMPARE(image.pixelColor(3, 1), kPrizeLeft);
    QCOMPARE(image.pixelColor(3, 26), kPrizeLeft);
}

void tst_LuWinPrizePaint::browsedLine()
{
    LuWinPrizePopup popup;
    QVERIFY(showPopup(popup));
    popup.addPrize(QStringLiteral("Ann"), 1, 10, 2, 0, new TrackedGiftItem(1, m_thumbnail));
    popup.addMessage(picture(kMessageImage, 24), QStringLiteral("Welcome"));
    while (d(popup)->current == 0)
        tick(popup);
    d(popup)->prevMessage();
    const QImage image = grab(popup, QStringLiteral("browsed"));

    // The first line, in place, with its own background, while the ticker stands on the second.
    QCOMPARE(boundsOf(image, kThumbnail).top(), 2);
    QVERIFY(boundsOf(image, kMessageImage).isNull());
    QCOMPARE(image.pixelColor(3, 1), kPrizeLeft);
}

void tst_LuWinPrizePaint::highDpiPictures()
{
    LuWinPrizePopup popup;
    QVERIFY(showPopup(popup));
    popup.addPrize(QStringLiteral("Ann"), 1, 10, 1234, 0, new TrackedGiftItem(1, m_thumbnail));
    const QImage plain = grab(popup, QStringLiteral("dpr1"));

    // The same pictures drawn at twice the resolution must give the same layout.
    auto doubled = [](const QPixmap& pixmap) {
        QPixmap sharp = pixmap.scaled(pixmap.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        sharp.setDevicePixelRatio(2);
        return sharp;
    };
    d(popup)->background = doubled(d(popup)->background);
    d(popup)->digitTiles = doubled(d(popup)->digitTiles);
    QCOMPARE(d(popup)->digitTiles.size(), QSize(90, 48));
    const QImage sharp = grab(popup, QStringLiteral("dpr2"));
    QCOMPARE(sharp, plain);
}

QTEST_MAIN(tst_LuWinPrizePaint)
#include "tst_luwinprizepaint.moc"
