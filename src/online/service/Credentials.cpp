#include "online/service/Credentials.h"

#include "app/settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

CryptoBytes Credentials::Serialize() const
{
    CryptoBytes out{'K', 'C', 'R', 'D', kVersion};
    if (!AppendBlock(out, certificate) || !AppendBlock(out, privateKey) || !AppendBlock(out, keyBlock))
        return {};
    AppendLittle(out, uint64_t(clockOffset), 8);
    return out;
}

namespace {
constexpr int64_t kMaxClockOffset = int64_t(100) * 366 * 24 * 3600;
} // namespace

std::optional<Credentials> Credentials::Parse(const uint8_t* data, size_t n)
{
    if (data == nullptr || n > kMaxFileBytes)
        return std::nullopt;
    CryptoCursor cursor(data, n);
    Credentials credentials;
    uint8_t version = 0;
    uint64_t offset = 0;
    if (!cursor.ReadMagic("KCRD") || !cursor.ReadByte(version) || version != kVersion ||
        !cursor.ReadBlock(credentials.certificate) || !cursor.ReadBlock(credentials.privateKey) ||
        !cursor.ReadBlock(credentials.keyBlock) || !cursor.ReadLongLong(offset) || cursor.Remaining() != 0)
        return std::nullopt;
    // A clock offset beyond a century is a damaged file; taken as it stands it would
    // overflow every reading of the service clock.
    credentials.clockOffset = int64_t(offset);
    if (credentials.clockOffset > kMaxClockOffset || credentials.clockOffset < -kMaxClockOffset)
        return std::nullopt;
    return credentials;
}

std::string DefaultCredentialsPath()
{
    const std::string configured = GetSettingString("Settings", "Credentials", "");
    if (!configured.empty())
        return configured;
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + "/.local/share";
    return (base + "/Harrow/VREL15/credentials").toStdString();
}

bool LoadCredentialsFile(const std::string& path, Credentials& credentials, std::string& error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read " + path;
        return false;
    }
    const QByteArray bytes = file.read(qint64(Credentials::kMaxFileBytes) + 1);
    auto parsed = Credentials::Parse(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    if (!parsed) {
        error = "not a credentials file: " + path;
        return false;
    }
    credentials = std::move(*parsed);
    return true;
}

bool SaveCredentialsFile(const std::string& path, const Credentials& credentials, std::string& error)
{
    const CryptoBytes bytes = credentials.Serialize();
    const QString name = QString::fromStdString(path);
    QDir().mkpath(QFileInfo(name).absolutePath());
    QSaveFile file(name);
    if (bytes.empty() || !file.open(QIODevice::WriteOnly)) {
        error = "cannot write " + path;
        return false;
    }
    // Owner-only before any secret goes in.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()) ||
        !file.commit()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
