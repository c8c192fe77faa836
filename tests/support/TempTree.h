#pragma once
// A temporary folder for one test, with helpers to write files into it.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <string>

class TempTree
{
public:
    TempTree();
    const QString& Path() const { return m_path; }
    std::string PathStd() const { return m_path.toStdString(); }
    // Writes bytes to a path relative to the folder, creating its folders.
    void Write(const QString& relative, const QByteArray& bytes) const;
    QByteArray Read(const QString& relative) const;
    bool Exists(const QString& relative) const;
    QString Abs(const QString& relative) const { return m_path + "/" + relative; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// Points the settings store at a fresh folder for the lifetime of the object.
class ScopedSettingsFolder
{
public:
    ScopedSettingsFolder();
    ~ScopedSettingsFolder();
    QString IniPath() const;
    QString Folder() const { return m_tree.Path(); }

private:
    TempTree m_tree;
};
