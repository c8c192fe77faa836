#include "app/DocumentOpener.h"

#include "app/LauncherState.h"
#include "app/Messages.h"
#include "app/StringList.h"

#include <QDesktopServices>
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
    const std::string base = state.baseDirectory.empty() ? std::string(".") : state.baseDirectory;
    for (const std::string& folder : {base + "/" + state.gameDirectory, base}) {
        const std::string path = folder + "/" + name;
        if (QFileInfo(QString::fromStdString(path)).isFile())
            return path;
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
