#include "config/player/LogoFile.h"

#include "app/files/SearchPath.h"
#include "app/settings/LauncherState.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <sys/stat.h>

std::string LogoFolder()
{
    return ResolveCaseInsensitive(Launcher().baseDirectory, "logos");
}

std::vector<std::string> ListLogos()
{
    QDir folder(QString::fromStdString(LogoFolder()));
    std::vector<std::string> names;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.size() > 4 && name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
            names.push_back(name.toStdString());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int CurrentLogoIndex(const std::vector<std::string>& logos, const std::string& recordLogo)
{
    const std::string wanted = (recordLogo == kNoLogo && !logos.empty()) ? logos.front() : recordLogo;
    const auto it = std::find(logos.begin(), logos.end(), wanted);
    return it == logos.end() ? 0 : int(it - logos.begin());
}

std::string LogoAt(const std::vector<std::string>& logos, int index)
{
    if (index < 0 || size_t(index) >= logos.size())
        return kNoLogo;
    return logos[size_t(index)];
}

std::optional<LogoBitmap> LoadLogo(const std::string& name, const LogoColour& colour, LogoRefusal* why)
{
    if (why)
        *why = LogoRefusal::Short;
    // Only a file of the logo folder itself.
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos ||
        name.find('\0') != std::string::npos)
        return std::nullopt;
    const std::string path = LogoFolder() + "/" + name;
    struct stat st = {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than allowed tells a file that is too large.
    const QByteArray bytes = file.read(qint64(LogoBitmap::kMaxFileBytes) + 1);
    std::optional<LogoBitmap> logo =
        ParseLogo(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), why);
    if (logo)
        TintLogoPreview(*logo, colour);
    return logo;
}
