#include "app/LauncherStartupSteps.h"

#include "app/LauncherState.h"
#include "app/LauncherValues.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Until the skinned main menu exists, the launcher shows a plain window that says so
// and runs until the window closes or the process is asked to quit.
class PlaceholderWindow : public QWidget
{
public:
    explicit PlaceholderWindow(QEventLoop& loop) : m_loop(loop)
    {
        setWindowTitle("Kestrel");
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel("The Kestrel main menu is not built yet.", this);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
        const LauncherState& state = Launcher();
        resize(state.launcherWidth, state.launcherHeight);
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        QWidget::closeEvent(event);
        m_loop.quit();
    }

private:
    QEventLoop& m_loop;
};

} // namespace

void LauncherStartupSteps::ReadVideoSettings()
{
    ReadLauncherValues();
}

void LauncherStartupSteps::RunMainMenu()
{
    QEventLoop loop;
    PlaceholderWindow window(loop);
    window.show();
    loop.exec();
}
