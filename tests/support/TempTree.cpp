#include "TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

TempTree::TempTree() : m_path(QDir(m_dir.path()).canonicalPath()) {}

void TempTree::Write(const QString& relative, const QByteArray& bytes) const
{
    const QString full = Abs(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray TempTree::Read(const QString& relative) const
{
    QFile file(Abs(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TempTree::Exists(const QString& relative) const
{
    return QFileInfo::exists(Abs(relative));
}

ScopedSettingsFolder::ScopedSettingsFolder()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_tree.Path());
}

ScopedSettingsFolder::~ScopedSettingsFolder()
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")));
}

QString ScopedSettingsFolder::IniPath() const
{
    return m_tree.Path() + "/Harrow/VREL15.ini";
}
