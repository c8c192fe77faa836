#pragma once
// The skinned modal dialog every launcher dialog derives from: a frameless window
// with the skin's dark surface (or a dialog background bitmap), a title band at the
// top and a button band at the bottom. Its modal loop runs the idle processing
// (the engine frame pump and the registered idle work) while it is open.
//
// A dialog of the launcher derives from it, puts its controls on Content() and its
// buttons in the button band:
//
//     CFooDlg::CFooDlg(QWidget* parent) : CKSDialog(parent, "dialog")
//     {
//         SetHeader("head_config");
//         auto* layout = new QVBoxLayout(Content());
//         layout->addWidget(new CODCheckBox("..."));
//         SetDefaultButton(AddButton(QString::fromStdString(GetString(247)), QDialog::Accepted));
//     }
//     ...
//     CFooDlg(this).DoModal();
//
// A dialog with idle work of its own overrides OnIdle() and calls the base first.
#include "ui/SkinPalette.h"

#include <QDialog>
#include <QPixmap>
#include <string>
#include <vector>

class CODBlendBtn;

class CKSDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTitleBand = 44;  // height of the title band
    static constexpr int kButtonBand = 46; // height of the button band
    static constexpr int kSideMargin = 20; // content inset from the sides
    static constexpr int kBandSlice = 24;  // border kept unstretched when a bitmap is stretched
    static constexpr int kDefaultWidth = 550;
    static constexpr int kDefaultHeight = 390;
    static constexpr int kButtonWidth = 104;
    static constexpr int kButtonHeight = 26;
    static constexpr int kButtonSpacing = 14;

    // backgroundName: a skin bitmap ("dialog", "dialog_small", "prompt") that gives the
    // dialog its look and size; empty for a plain dark surface of the default size.
    explicit CKSDialog(QWidget* parent = nullptr, const std::string& backgroundName = {});

    // Runs the dialog modally with idle processing; returns the result code.
    int exec() override;
    // Same as exec(), under the name the launcher's dialogs use.
    int DoModal() { return exec(); }

    // Idle processing of this dialog while it is the innermost open one. The default
    // runs IdleWork::RunOnce(). True asks for the next pass at once.
    virtual bool OnIdle();

    void SetBackground(const std::string& bitmapName);
    // The launcher's own size (the main menu and other full-window dialogs).
    void SetLauncherSize();
    // A "head_*" title plate drawn in the title band (replaces the title text).
    void SetHeader(const std::string& bitmapName);
    void SetTitleText(const QString& text);
    void SetTitleColour(const QColor& colour);
    void SetSurfaceColours(const QColor& background, const QColor& text);
    const SkinPalette& Palette() const { return m_palette; }

    // The widget between the title band and the button band: put the dialog's controls
    // here (a layout on it, or absolute positions).
    QWidget* Content() const { return m_content; }
    // Adds a button to the button band (laid out right to left in adding order from
    // the right edge, or centred when centred is set). Clicking it ends the dialog with
    // the result unless the result is negative.
    CODBlendBtn* AddButton(const QString& label, int result = -1);
    void SetButtonsCentred(bool centred);
    // The button Enter presses when the focus is not on a button.
    void SetDefaultButton(CODBlendBtn* button);
    const std::vector<CODBlendBtn*>& Buttons() const { return m_buttons; }

    QRect TitleRect() const;
    QRect ContentRect() const;
    QRect ButtonBandRect() const;

protected:
    // Escape (and closing the window): the default rejects the dialog.
    virtual void OnEscape();
    void reject() override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PaintPlainSurface(QPainter& painter);
    void PaintStretchedBitmap(QPainter& painter);
    void LayoutButtons();
    void PlaceOverOwner();

    SkinPalette m_palette;
    QPixmap m_background;
    QPixmap m_header;
    QString m_title;
    QColor m_titleColour;
    QWidget* m_content = nullptr;
    std::vector<CODBlendBtn*> m_buttons;
    CODBlendBtn* m_defaultButton = nullptr;
    bool m_buttonsCentred = false;
    bool m_placed = false;
    bool m_inEscape = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
