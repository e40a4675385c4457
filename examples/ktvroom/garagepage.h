#ifndef KTVROOM_GARAGEPAGE_H
#define KTVROOM_GARAGEPAGE_H

#include "sandboxpage.h"

#include <QList>

#include <memory>
#include <vector>

class LuCarItem;
class LuGarageItem;
class LuGarageView;
class QLabel;

// The room's garage: a dozen owners and their cars, with the go-to-garage buttons wired.
class GaragePage : public SandboxPage
{
    Q_OBJECT

public:
    explicit GaragePage(QWidget* parent = nullptr);
    ~GaragePage() override;

    QString title() const override;
    // Puts the pointer over one card, so the screenshot shows its cover.
    void prepareScreenshot(const std::function<void()>& ready) override;
    bool screenshotAtDoubleRatio() const override { return true; }

private:
    void openGarage(int userid);

    // The host owns the records; the view only shows them.
    std::vector<std::unique_ptr<LuCarItem>> m_cars;
    std::vector<std::unique_ptr<LuGarageItem>> m_owners;
    LuGarageView* m_view;
    QLabel* m_status;
};

#endif
