#pragma once
// The engine window: a top-level window of its own in which the engine draws. Every
// event is first offered to the engine (window-message entry); then keys, the mouse
// wheel, mouse buttons and closing become engine input.
#include <QWidget>

class EngineHost;

class EngineWindow : public QWidget
{
    Q_OBJECT

public:
    explicit EngineWindow(EngineHost& host, QWidget* parent = nullptr);

    // The title: the active custom game's name without trailing spaces, or "Kestrel".
    static QString TitleText();

protected:
    bool event(QEvent* event) override;

private:
    bool HandleKey(QEvent* event, bool down);
    int ButtonMask(Qt::MouseButtons buttons) const;

    EngineHost& m_host;
};
