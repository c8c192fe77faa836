#pragma once
// The download notice (download.txt) shown before a custom game is downloaded, as
// plain text, with Accept, Decline and a box for not showing it again.
#include "ui/CKSDialog.h"

class CODCheckBox;

class CModNoticeDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 450;

    CModNoticeDlg(const std::string& text, QWidget* parent = nullptr);
    bool DoNotShowAgain() const;

private:
    CODCheckBox* m_again = nullptr;
};
