#pragma once
// The configuration dialog: a menu of the settings pages. Video and the saved games
// are built in; other subsystems add their pages (keys, profile, audio, game options).
#include "ui/CKSDialog.h"

#include <functional>
#include <string>

class CConfigDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog_small";
    static constexpr const char* kHeader = "head_config";
    static constexpr int kColumnWidth = 168;
    static constexpr int kRowStep = 32;

    using Page = std::function<void(QWidget* owner)>;
    // Adds a page button between Video and the saved games (once per label).
    static void AddPage(const std::string& label, Page page);

    explicit CConfigDlg(QWidget* parent = nullptr);

    // The page button with the label (without '&'), or nullptr.
    CODBlendBtn* PageButton(const QString& label) const;

private:
    void AddPageButton(const QString& label, Page page);
    void LayoutPages();

    std::vector<CODBlendBtn*> m_pageButtons;
};
