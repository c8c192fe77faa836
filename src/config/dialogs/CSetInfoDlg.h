#pragma once
// The user information dialog: the options of user.scr with their values from
// config.cfg, and the mouse sensitivity. OK writes the options into config.cfg,
// regenerates user.scr and has the player configuration take the values back.
#include "config/scripts/CInfoDescription.h"
#include "ui/CKSDialog.h"

class COptionsPage;
class QLineEdit;

class CSetInfoDlg : public CKSDialog
{
    Q_OBJECT
public:
    explicit CSetInfoDlg(QWidget* parent = nullptr);

    // False when user.scr could not be read: the button that opens the dialog is
    // then disabled.
    bool Opened() const { return m_opened; }
    COptionsPage* Page() const { return m_page; }
    QLineEdit* SensitivityEdit() const { return m_sensitivity; }

    void accept() override;

private:
    CInfoDescription m_description;
    COptionsPage* m_page = nullptr;
    QLineEdit* m_sensitivity = nullptr;
    bool m_opened = false;
};
