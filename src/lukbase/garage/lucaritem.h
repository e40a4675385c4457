#ifndef LUKBASE_LUCARITEM_H
#define LUKBASE_LUCARITEM_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QImage>
#include <QString>

/**
 * A user's car: id, name, price, and the paths of its picture and brand logo.
 *
 * The picture and the logo are read on first use and then kept; a file that cannot be
 * read yields a null image and is not read again.
 */
class LUKBASE_EXPORT LuCarItem : public LuObject
{
public:
    /**
     * Builds a car; nothing is read from disk until image() or logo() is asked for.
     * @param id the car id
     * @param name the car's name, drawn as plain text
     * @param price the car's price
     * @param imagePath the car's picture (a file or a Qt resource)
     * @param logoPath the brand logo
     */
    LuCarItem(int id, const QString& name, qint64 price, const QString& imagePath, const QString& logoPath);
    /** Destroys the car. */
    ~LuCarItem() override;

    /** @return the car id */
    int id() const { return m_id; }
    /** @return the car's name */
    QString name() const { return m_name; }
    /** @return the price narrowed to int (its low 32 bits), as the garage protocol carries it */
    int price() const;
    /** @return the path of the car's picture (a file or a Qt resource) */
    QString imagePath() const { return m_imagePath; }
    /** @return the path of the brand logo */
    QString logoPath() const { return m_logoPath; }

    /** @return the car's picture, read from imagePath() once; null when it cannot be read */
    QImage image();
    /** @return the brand logo, read from logoPath() once; null when it cannot be read */
    QImage logo();

private:
    Q_DISABLE_COPY(LuCarItem)

    int m_id;
    QString m_name;
    qint64 m_price;
    QString m_imagePath;
    bool m_imageLoaded;
    QImage m_image;
    QString m_logoPath;
    bool m_logoLoaded;
    QImage m_logo;
};

#endif
