#include "demo/TreeWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

QByteArray EncodeBitmap(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Bitmaps carry no alpha; flatten so every writer produces the same 24-bit file.
    const QImage flat = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (!flat.save(&buffer, "BMP"))
        return {};
    return bytes;
}

bool TreeWriter::WriteBytes(const QString& relative, const QByteArray& bytes)
{
    const QString path = Abs(relative);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Fail(QStringLiteral("cannot create the folder of %1").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

bool TreeWriter::WriteLines(const QString& relative, const QStringList& lines)
{
    QByteArray text;
    for (const QString& line : lines) {
        text += line.toUtf8();
        text += "\r\n";
    }
    return WriteBytes(relative, text);
}

bool TreeWriter::WriteBitmap(const QString& relative, const QImage& image)
{
    const QByteArray bytes = EncodeBitmap(image);
    if (bytes.isEmpty())
        return Fail(QStringLiteral("cannot encode the bitmap %1").arg(relative));
    return WriteBytes(relative, bytes);
}

bool TreeWriter::Fail(const QString& text)
{
    if (m_error.isEmpty())
        m_error = text;
    return false;
}
