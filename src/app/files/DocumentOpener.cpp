#include "app/files/DocumentOpener.h"

#include "app/settings/LauncherState.h"
#include "app/text/Messages.h"
#include "app/text/StringList.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int kMessageCannotOpen = 90;

std::function<bool(const std::string&)>& Opener()
{
    static std::function<bool(const std::string&)> opener;
    return opener;
}

} // namespace

std::string DocumentPath(const std::string& name)
{
    const LauncherState& state = Launcher();
    const QDir base(QString::fromStdString(state.baseDirectory.empty() ? std::string(".") : state.baseDirectory));
    // The search path set-up makes the game directory a full path; before it, the game
    // directory is a name below the base directory. filePath keeps a full path as it is.
    const QString gameDirectory = base.filePath(QString::fromStdString(state.gameDirectory));
    for (const QDir& folder : {QDir(gameDirectory), base}) {
        const QString path = folder.filePath(QString::fromStdString(name));
        if (QFileInfo(path).isFile())
            return path.toStdString();
    }
    return name;
}

bool OpenDocument(const std::string& path)
{
    if (Opener())
        return Opener()(path);
    const QFileInfo info(QString::fromStdString(path));
    return info.isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool OpenNamedDocument(int stringNumber)
{
    const std::string name = GetString(stringNumber);
    if (OpenDocument(DocumentPath(name)))
        return true;
    ShowFormattedMessage(kMessageCannotOpen, name.c_str());
    return false;
}

void SetDocumentOpener(std::function<bool(const std::string&)> opener)
{
    Opener() = std::move(opener);
}
