#pragma once
// The rows of the keyboard dialog: action, key and alternate key, drawn in the
// keys' colours, with the selected cell and capture. In capture the next key, mouse
// button, vertical wheel turn or joystick change becomes the cell's key.
#include "config/keys/JoystickSource.h"
#include "config/keys/KeyBindingModel.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QScrollArea;

class KeyBindingList : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 18;
    static constexpr int kHeaderHeight = 20;
    static constexpr int kDescriptionWidth = 170;
    static constexpr int kCaptureTickMs = 50;

    KeyBindingList(KeyBindingModel& model, QWidget* parent = nullptr);
    ~KeyBindingList() override;

    void SetJoystick(std::unique_ptr<JoystickSource> joystick, bool hatEnabled);
    // Rows changed outside (Use defaults): repaint and keep the selection in range.
    void Reload();

    int SelectedRow() const { return m_row; }
    int SelectedColumn() const { return m_column; }
    void Select(int row, int column);
    // Starts capture on the selected cell; false (with the error sound) on a separator.
    bool StartCapture();
    // Assigns a key to the selected cell, as the chooser does.
    void AssignSelected(const std::string& key);
    void ClearSelected();

signals:
    void SelectionChanged();
    void ModelChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    QSize sizeHint() const override;

private:
    void Captured(const std::string& name);
    void CaptureKey(QKeyEvent* event);
    void PollJoystick();
    QRect CellRect(int row, int column) const;
    void EnsureVisible();

    KeyBindingModel& m_model;
    int m_row = -1;
    int m_column = 1;
    QTimer m_captureTimer;
    std::unique_ptr<JoystickSource> m_joystick;
    bool m_hatEnabled = false;
};
