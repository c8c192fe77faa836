#pragma once
// The spectator games dialog: the Internet games dialog listing spectator proxies only,
// with filters of its own ("SpectatorSettings") and no create-game button.
#include "browser/dialogs/CNetGameDlg.h"

class CSpecGameDlg : public CNetGameDlg
{
    Q_OBJECT
public:
    static constexpr const char* kHeader = "head_specgames";

    explicit CSpecGameDlg(QWidget* parent = nullptr, const CNetGameDoc::Setup& setup = {});

    static Variant SpectatorVariant();
};
