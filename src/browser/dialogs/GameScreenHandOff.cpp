#include "browser/dialogs/GameScreenHandOff.h"

#include "app/engine/EngineHost.h"
#include "app/engine/EngineInterface.h"

#include <QDialog>

void GameScreenHandOff::Hide()
{
    m_hidden = true;
    // QDialog's own hiding ends its modal loop; the widget's does not.
    m_dialog.QWidget::setVisible(false);
}

bool GameScreenHandOff::ComeBack()
{
    if (!m_hidden)
        return false;
    const EngineHost& host = TheEngineHost();
    if (host.State() == kEngineRunning && !host.Background())
        return false;
    m_hidden = false;
    m_dialog.show();
    m_dialog.activateWindow();
    return true;
}
