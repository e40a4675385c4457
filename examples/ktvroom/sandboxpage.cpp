#include "sandboxpage.h"

SandboxPage::SandboxPage(QWidget* parent)
    : QWidget(parent)
{
}

void SandboxPage::prepareScreenshot(const std::function<void()>& ready)
{
    ready();
}
