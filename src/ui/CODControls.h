#pragma once
// The skinned standard controls: their look comes from the skin's style sheet and
// painting; these classes give them the launcher's names and defaults.
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QTabWidget>

// Check box with a skinned box and an accent tick.
class CODCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit CODCheckBox(const QString& text = {}, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    bool m_hovered = false;
};

// Drop-down list in the skin's colours.
class CODComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CODComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Horizontal slider with an accent fill.
class CODSlider : public QSlider
{
    Q_OBJECT
public:
    explicit CODSlider(QWidget* parent = nullptr);
};

// Tab control whose selected tab carries the accent.
class CODTabCtrl : public QTabWidget
{
    Q_OBJECT
public:
    explicit CODTabCtrl(QWidget* parent = nullptr);
};
