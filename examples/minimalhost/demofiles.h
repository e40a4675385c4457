#ifndef MINIMALHOST_DEMOFILES_H
#define MINIMALHOST_DEMOFILES_H

#include <QString>
#include <QTemporaryDir>

// What a real host gets from elsewhere: the fallback gift icons it ships in the resource
// root's icons/ folder, and the gift pictures its web server serves. The example draws both
// into a temporary folder, so that it runs anywhere without a network.
class DemoFiles
{
public:
    // Draws the pictures "<id>.png" and "<id>.gif" of the given gift ids and the fallback icon.
    explicit DemoFiles(const QList<int>& giftIds);

    bool isValid() const;
    // The folder with "ugift.png", standing in for LuKBase::iconFilePath().
    QString iconsPath() const;
    // A file: URL prefix that serves the gift pictures, standing in for the host's server.
    QString downloadPrefix() const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

#endif
