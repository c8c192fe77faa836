#pragma once
// Paces the idle processing of open modal dialogs: one timer for the whole process
// that calls the innermost open dialog's OnIdle. A pass that asks for more is
// followed at once (the engine is running); otherwise the next pass waits a short
// tick, so an idle launcher uses almost no processor time.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <vector>

class CKSDialog;

class ModalIdleLoop : public QObject
{
    Q_OBJECT
public:
    static constexpr int kQuietIntervalMs = 15;

    static ModalIdleLoop& Instance();

    void Enter(CKSDialog* dialog);
    void Leave(CKSDialog* dialog);
    // Open dialogs running idle processing, innermost last.
    size_t Depth() const { return m_stack.size(); }
    // The innermost open dialog (the one whose idle processing runs), or nullptr.
    const CKSDialog* Innermost() const;
    // True when no dialog is open above this one: it is the innermost open dialog, or
    // none is open (a dialog shown without a modal loop of its own).
    bool NothingOpenAbove(const CKSDialog* dialog) const;

private:
    ModalIdleLoop();
    void Tick();

    QTimer m_timer;
    std::vector<QPointer<CKSDialog>> m_stack;
};
