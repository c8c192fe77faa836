#include "EngineView.h"

#include <QEvent>
#include <QFont>
#include <QPainter>

namespace {

const QColor kBackground(12, 16, 24);
const QColor kTitle(235, 200, 90);
const QColor kText(230, 230, 230);
const QColor kDim(150, 160, 175);

QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// "0" is how the launcher clears a progress line.
bool Shown(const std::string& line)
{
    return !line.empty() && line != "0";
}

QString StateLine(const StandInEngine::View& view)
{
    switch (view.connectionState) {
    case kConnectionNegotiating:
        return QStringLiteral("Connecting...");
    case kConnectionPlaying:
        return QStringLiteral("In game");
    default:
        return QStringLiteral("No game running");
    }
}

} // namespace

void PaintEngineView(QPaintDevice& device, const StandInEngine::View& view)
{
    QPainter painter(&device);
    const int width = device.width();
    const int height = device.height();
    painter.fillRect(0, 0, width, height, kBackground);

    const int large = std::max(14, height / 12);
    const int normal = std::max(11, height / 22);
    const int margin = width / 20;
    int y = margin + large;

    QFont font = painter.font();
    font.setPixelSize(large);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kTitle);
    painter.drawText(margin, y, view.map.empty() ? StateLine(view) : QStringLiteral("Map: ") + Text(view.map));
    y += large + normal;

    font.setBold(false);
    font.setPixelSize(normal);
    painter.setFont(font);
    painter.setPen(kText);
    auto line = [&](const QString& text) {
        painter.drawText(margin, y, text);
        y += normal * 3 / 2;
    };
    if (!view.server.empty())
        line(QStringLiteral("Server: ") + Text(view.server));
    line(StateLine(view));
    for (const std::string& message : view.connectMessages)
        if (Shown(message))
            line(Text(message));
    if (!view.statusText.empty())
        line(Text(view.statusText));
    if (view.quitPrompt)
        line(QStringLiteral("Quit the game? Press Y or N."));

    painter.setPen(kDim);
    if (view.consoleVisible) {
        y = std::max(y + normal, height / 2);
        for (const std::string& text : view.console)
            line(Text(text));
    }
    font.setPixelSize(std::max(10, normal * 2 / 3));
    painter.setFont(font);
    const QString footer = QStringLiteral("Kestrel stand-in engine (%1) - Escape: menu").arg(Text(view.engineKind));
    painter.drawText(margin, height - margin / 2,
                     painter.fontMetrics().elidedText(footer, Qt::ElideRight, width - 2 * margin));
}

void StandInEngine::WindowMessage(QWidget* window, QEvent* event)
{
    if (window && event && event->type() == QEvent::Paint)
        PaintEngineView(*window, CurrentView());
}
