#pragma once
// Writes the files of a game tree below one root folder. Every file is written to a
// temporary name and renamed into place, so an interrupted run leaves no half file.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QImage;

class TreeWriter
{
public:
    explicit TreeWriter(QString root) : m_root(std::move(root)) {}

    const QString& Root() const { return m_root; }
    QString Abs(const QString& relative) const { return m_root + '/' + relative; }

    // relative uses '/' separators; missing folders are created.
    bool WriteBytes(const QString& relative, const QByteArray& bytes);
    // Lines joined and ended with CR LF, the line ending of the game's own text files.
    bool WriteLines(const QString& relative, const QStringList& lines);
    // A Windows bitmap file ("BM" header, 24-bit pixels).
    bool WriteBitmap(const QString& relative, const QImage& image);

    // The first failure, for the report to the user; empty while all went well.
    const QString& Error() const { return m_error; }

private:
    bool Fail(const QString& text);

    QString m_root;
    QString m_error;
};

// The bytes of a 24-bit Windows bitmap file for an image.
QByteArray EncodeBitmap(const QImage& image);
