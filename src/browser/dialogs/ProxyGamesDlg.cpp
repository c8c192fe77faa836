#include "browser/dialogs/ProxyGamesDlg.h"

CNetGameDlg::Variant CSpecGameDlg::SpectatorVariant()
{
    Variant variant;
    variant.settingsSection = kSpectatorSettingsSection;
    variant.headerName = kHeader;
    variant.title = QStringLiteral("Spectate Games");
    variant.joinLabel = kMsgSpectate;
    variant.createGameButton = false;
    variant.proxiesOnly = true;
    return variant;
}

CSpecGameDlg::CSpecGameDlg(QWidget* parent, const CNetGameDoc::Setup& setup)
    : CNetGameDlg(parent, setup, SpectatorVariant())
{
}
