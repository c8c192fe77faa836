#pragma once
// Edits the filter settings of one settings section: which servers a games list hides.
// OK writes every setting back; the caller then reads them as the list's filter.
#include "browser/list/ServerFilter.h"
#include "ui/CKSDialog.h"

#include <string>

class CODCheckBox;
class CODComboBox;
class QLineEdit;

class CFilterDialog : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog_small";

    CFilterDialog(std::string section, QWidget* parent = nullptr);

    // The filter the controls show now.
    ServerFilter Filter() const;
    // Shows a filter in the controls.
    void SetFilter(const ServerFilter& filter);

    CODCheckBox* Responded() const { return m_responded; }
    CODCheckBox* Empty() const { return m_empty; }
    CODCheckBox* Full() const { return m_full; }
    CODCheckBox* Favorite() const { return m_favorite; }
    CODCheckBox* Ping() const { return m_ping; }
    CODCheckBox* Game() const { return m_game; }
    CODCheckBox* Map() const { return m_map; }
    CODCheckBox* LinuxOnly() const { return m_linux; }
    CODCheckBox* DedicatedOnly() const { return m_dedicated; }
    CODCheckBox* ProxiesOnly() const { return m_proxiesOnly; }
    CODCheckBox* NoProxies() const { return m_noProxies; }
    CODComboBox* PingLimits() const { return m_pingLimits; }
    CODComboBox* Games() const { return m_games; }
    QLineEdit* MapName() const { return m_mapName; }

    // OK (Accepted) writes the settings back before the dialog ends.
    void done(int result) override;

private:
    CODCheckBox* AddCheck(const QString& label);

    std::string m_section;
    CODCheckBox* m_responded = nullptr;
    CODCheckBox* m_empty = nullptr;
    CODCheckBox* m_full = nullptr;
    CODCheckBox* m_favorite = nullptr;
    CODCheckBox* m_ping = nullptr;
    CODCheckBox* m_game = nullptr;
    CODCheckBox* m_map = nullptr;
    CODCheckBox* m_linux = nullptr;
    CODCheckBox* m_dedicated = nullptr;
    CODCheckBox* m_proxiesOnly = nullptr;
    CODCheckBox* m_noProxies = nullptr;
    CODComboBox* m_pingLimits = nullptr;
    CODComboBox* m_games = nullptr;
    QLineEdit* m_mapName = nullptr;
};
