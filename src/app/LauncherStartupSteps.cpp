#include "app/LauncherStartupSteps.h"

#include "app/ButtonStrip.h"
#include "app/ColourList.h"
#include "app/EngineHost.h"
#include "app/HostChecks.h"
#include "app/LauncherServiceTable.h"
#include "app/LauncherState.h"
#include "app/QtEngineDisplay.h"
#include "app/ServiceAddressList.h"
#include "app/StringList.h"
#include "app/VideoDisplay.h"
#include "app/VideoSettings.h"

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

void LauncherStartupSteps::LoadStringAndColourLists()
{
    LoadColourList();
    LoadStringList();
}

void LauncherStartupSteps::LoadButtonStrip()
{
    ::LoadButtonStrip();
}

void LauncherStartupSteps::LoadServiceAddresses()
{
    ::LoadServiceAddresses();
}

void LauncherStartupSteps::ReadVideoSettings()
{
    ::ReadVideoSettings();
}

bool LauncherStartupSteps::StartCdAudioAndBuildModes()
{
    // The heap the host checks just allocated has this size.
    BuildModeList(EngineHeapSize(PhysicalMemory()));
    return true;
}

void LauncherStartupSteps::RunMainMenu()
{
    QEventLoop loop;
    PlaceholderWindow window(loop);
    window.show();
    loop.exec();
}

void LauncherStartupSteps::FillEngineServiceTable()
{
    FillLauncherServiceTable();
}

void LauncherStartupSteps::ShutDown()
{
    // Both go while the application object still exists: the engine library and
    // its window use the toolkit.
    StopEngine();
    TheEngineDisplay().DestroyEngineWindow();
    MainButtonStrip().Free();
}
