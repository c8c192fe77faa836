#include "ui/SkinPalette.h"

#include "app/text/ColourList.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

QColor SkinColour(const std::string& name)
{
    const Colour colour = GetColour(name);
    return QColor(colour.red, colour.green, colour.blue);
}

SkinPalette SkinPalette::Standard()
{
    SkinPalette palette;
    palette.accent = SkinColour("PROMPT_TEXT_COLOR");
    return palette;
}

QFont SkinFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QString SkinStyleSheet(const SkinPalette& p)
{
    const QString bg = p.background.name();
    const QString text = p.text.name();
    const QString accent = p.accent.name();
    const QString dim = p.dimText.name();
    const QString field = p.field.name();
    const QString border = p.border.name();
    const QString raised = p.background.lighter(135).name();
    const QString sunken = p.background.darker(130).name();
    QString sheet = QStringLiteral(R"(
QLabel { color: %TEXT%; background: transparent; }
QLabel:disabled { color: %DIM%; }
QLineEdit, QSpinBox, QPlainTextEdit, QTextEdit {
    color: %TEXT%; background: %FIELD%; border: 1px solid %BORDER%; border-radius: 2px;
    padding: 2px 4px; selection-background-color: %ACCENT%; selection-color: #000000; }
QLineEdit:focus, QSpinBox:focus, QPlainTextEdit:focus, QTextEdit:focus { border-color: %ACCENT%; }
QLineEdit:disabled, QSpinBox:disabled { color: %DIM%; background: %SUNKEN%; }
QComboBox {
    color: %TEXT%; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %RAISED%, stop:1 %BG%);
    border: 1px solid %BORDER%; border-radius: 2px; padding: 2px 22px 2px 6px; min-height: 18px; }
QComboBox:hover, QComboBox:focus { border-color: %ACCENT%; }
QComboBox:disabled { color: %DIM%; }
QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: top right; width: 18px;
    border-left: 1px solid %BORDER%; }
QComboBox::down-arrow { image: none; width: 0; height: 0; }
QComboBox QAbstractItemView { color: %TEXT%; background: %FIELD%; border: 1px solid %ACCENT%;
    selection-background-color: %ACCENT%; selection-color: #000000; outline: 0; }
QSlider::groove:horizontal { height: 4px; background: %SUNKEN%; border: 1px solid %BORDER%; border-radius: 2px; }
QSlider::sub-page:horizontal { background: %ACCENT%; border: 1px solid %ACCENT%; border-radius: 2px; }
QSlider::handle:horizontal { width: 10px; margin: -7px 0; border-radius: 3px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #e0e0e0, stop:1 #9a9a9a); border: 1px solid #202020; }
QSlider::handle:horizontal:hover { background: %ACCENT%; }
QSlider::groove:vertical { width: 4px; background: %SUNKEN%; border: 1px solid %BORDER%; border-radius: 2px; }
QSlider::add-page:vertical { background: %ACCENT%; border-radius: 2px; }
QSlider::handle:vertical { height: 10px; margin: 0 -7px; border-radius: 3px;
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #e0e0e0, stop:1 #9a9a9a); border: 1px solid #202020; }
QTabWidget::pane { border: 1px solid %BORDER%; top: -1px; background: %BG%; }
QTabBar::tab { color: %DIM%; background: %SUNKEN%; border: 1px solid %BORDER%; border-bottom: none;
    padding: 4px 12px; margin-right: 2px; border-top-left-radius: 3px; border-top-right-radius: 3px; }
QTabBar::tab:selected { color: %ACCENT%; background: %BG%; border-top: 2px solid %ACCENT%; }
QTabBar::tab:hover:!selected { color: %TEXT%; }
QScrollBar:vertical { width: 12px; background: %SUNKEN%; margin: 0; border: none; }
QScrollBar:horizontal { height: 12px; background: %SUNKEN%; margin: 0; border: none; }
QScrollBar::handle:vertical { min-height: 24px; margin: 2px; border-radius: 3px; background: #8a8a8a; }
QScrollBar::handle:horizontal { min-width: 24px; margin: 2px; border-radius: 3px; background: #8a8a8a; }
QScrollBar::handle:hover { background: %ACCENT%; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QGroupBox { color: %ACCENT%; border: 1px solid %BORDER%; border-radius: 3px; margin-top: 8px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }
QHeaderView { background: %SUNKEN%; border: none; }
QHeaderView::section { color: %TEXT%; border: none; border-right: 1px solid %BG%; border-bottom: 1px solid %BORDER%;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %RAISED%, stop:1 %SUNKEN%); padding: 2px 4px; }
QHeaderView::section:hover { color: %ACCENT%; }
QAbstractScrollArea { background: transparent; }
QAbstractScrollArea > QWidget#qt_scrollarea_viewport { background: transparent; }
QToolTip { color: %TEXT%; background: %FIELD%; border: 1px solid %ACCENT%; }
)");
    sheet.replace(QStringLiteral("%TEXT%"), text);
    sheet.replace(QStringLiteral("%BG%"), bg);
    sheet.replace(QStringLiteral("%ACCENT%"), accent);
    sheet.replace(QStringLiteral("%DIM%"), dim);
    sheet.replace(QStringLiteral("%FIELD%"), field);
    sheet.replace(QStringLiteral("%BORDER%"), border);
    sheet.replace(QStringLiteral("%RAISED%"), raised);
    sheet.replace(QStringLiteral("%SUNKEN%"), sunken);
    return sheet;
}

void EnsureSkinStyle()
{
    static bool done = false;
    if (done || !qApp)
        return;
    done = true;
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    const SkinPalette skin;
    QPalette palette;
    palette.setColor(QPalette::Window, skin.background);
    palette.setColor(QPalette::WindowText, skin.text);
    palette.setColor(QPalette::Base, skin.field);
    palette.setColor(QPalette::AlternateBase, skin.background);
    palette.setColor(QPalette::Text, skin.text);
    palette.setColor(QPalette::Button, skin.background);
    palette.setColor(QPalette::ButtonText, skin.text);
    palette.setColor(QPalette::Highlight, skin.accent);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::ToolTipBase, skin.field);
    palette.setColor(QPalette::ToolTipText, skin.text);
    palette.setColor(QPalette::Disabled, QPalette::Text, skin.dimText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, skin.dimText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, skin.dimText);
    QApplication::setPalette(palette);
}
