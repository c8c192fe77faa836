#pragma once
// Owner-drawn push button with three looks (normal, highlighted, pressed), either cut
// from a skin strip or drawn from the skin's colours. Moving the mouse onto it fades
// the highlighted look in, and out again when the mouse leaves.
#include <QAbstractButton>
#include <QPixmap>
#include <QVariantAnimation>
#include <string>

class CODBlendBtn : public QAbstractButton
{
    Q_OBJECT
public:
    static constexpr int kFadeMs = 140;
    static constexpr int kNoSound = -1;

    explicit CODBlendBtn(const QString& text = {}, QWidget* parent = nullptr);

    // Skin looks; the button takes the size of the normal image.
    void SetImages(const QPixmap& normal, const QPixmap& highlighted, const QPixmap& pressed);
    // Skin bitmaps by name ("min_n", "min_f", "min_d"); false when the normal one is
    // missing (the button then keeps its drawn look).
    bool SetSkinBitmaps(const std::string& normal, const std::string& highlighted, const std::string& pressed);
    // Button `index` of a strip with three rows per button (normal, highlighted,
    // pressed), each cellHeight high. False when the strip is too short.
    bool SetStripCell(const QPixmap& strip, int index, int cellWidth, int cellHeight);
    bool HasImages() const { return !m_normal.isNull(); }

    // Menu sounds (ids of the menu sound table) for the mouse arriving and for a click.
    void SetSounds(int hoverSound, int clickSound);

    // Drawn with an accent frame: Enter presses it.
    void SetDefault(bool isDefault);
    bool IsDefault() const { return m_default; }

    // How far the highlighted look is faded in (0 to 1).
    qreal HoverLevel() const { return m_level; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FadeTo(qreal level);
    void PaintFromImages(QPainter& painter);
    void PaintFromColours(QPainter& painter);

    QPixmap m_normal;
    QPixmap m_highlighted;
    QPixmap m_pressed;
    QVariantAnimation m_fade;
    qreal m_level = 0.0;
    bool m_hovered = false;
    bool m_default = false;
    int m_hoverSound = kNoSound;
    int m_clickSound = kNoSound;
};
