#ifndef KTVROOM_SANDBOXPAGE_H
#define KTVROOM_SANDBOXPAGE_H

#include <QWidget>

#include <functional>

// One page of the sandbox's main window.
class SandboxPage : public QWidget
{
    Q_OBJECT

public:
    explicit SandboxPage(QWidget* parent = nullptr);

    // The page's title in the window's tab bar.
    virtual QString title() const = 0;

    // Brings the page into the state its screenshot shows (downloads arrived, a card under
    // the pointer...), then calls ready. The default is ready at once.
    virtual void prepareScreenshot(const std::function<void()>& ready);

    // Whether the page is also photographed at device pixel ratio 2, as on a sharp screen.
    virtual bool screenshotAtDoubleRatio() const { return false; }
};

#endif
