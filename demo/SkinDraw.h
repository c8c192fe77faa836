#pragma once
// Small drawing steps that several skin bitmaps share.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace SkinDraw {

// An opaque image of the given size filled with one colour.
QImage Canvas(int width, int height, QColor fill);

// A one-pixel bevel: light on the top and left edges, dark on the bottom and right.
void Bevel(QPainter& painter, const QRect& rect, QColor light, QColor dark);

// Vertical gradient from top to bottom over rect.
void VerticalGradient(QPainter& painter, const QRectF& rect, QColor top, QColor bottom);

// Text with a soft one-pixel shadow below and right of it.
void ShadowedText(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QFont& font,
                  QColor colour, QColor shadow = QColor(0, 0, 0, 160));

// Fine deterministic grain, so large gradients do not band.
void Grain(QImage& image, int strength, quint32 seed);

} // namespace SkinDraw
