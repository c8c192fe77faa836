#pragma once
// The small popup that stays open while the custom games dialog asks a master: the
// list of games from a custom-game master, or the server and player counts.
#include "mods/catalogue/CModRecord.h"
#include "ui/CKSDialog.h"

#include <memory>

class ModExchange;
class QTimer;

class CModReqDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kHeading = 541;
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 140;

    enum class Mode
    {
        List,  // fills list with the games the custom-game master offers
        Count, // adds the counts to list's records
    };
    CModReqDlg(Mode mode, ModList& list, QWidget* parent = nullptr);
    ~CModReqDlg() override;
    // Runs the exchange to its end; 0 when it could not start.
    int exec() override;

private:
    Mode m_mode;
    ModList& m_list;
    std::unique_ptr<ModExchange> m_exchange;
    QTimer* m_timer = nullptr;
};
