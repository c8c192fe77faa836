#pragma once
// The server options dialog: the options page over the server description read from
// settings.scr. OK writes game.cfg and settings.scr (and says so when it cannot);
// Cancel writes nothing.
#include "ui/CKSDialog.h"

class CServerDescription;
class COptionsPage;
class CODBlendBtn;

class CAdvancedMPDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kMsgOk = 247;
    static constexpr int kMsgCancel = 251;
    static constexpr int kMsgTitle = 404;
    static constexpr const char* kWriteFailed = "The server options could not be written to %s.";

    CAdvancedMPDlg(CServerDescription& description, QWidget* parent = nullptr);

    COptionsPage* Page() const { return m_page; }
    CODBlendBtn* OkButton() const { return m_ok; }
    CODBlendBtn* CancelButton() const { return m_cancel; }
    // Collects the page's values and writes both files; false (the player told) when
    // a file could not be written.
    bool Confirm();

private:
    CServerDescription& m_description;
    COptionsPage* m_page = nullptr;
    CODBlendBtn* m_ok = nullptr;
    CODBlendBtn* m_cancel = nullptr;
};
