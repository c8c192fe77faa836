#include "config/player/DecalWad.h"

#include "app/files/SearchPath.h"
#include "app/settings/LauncherState.h"
#include "app/text/Messages.h"
#include "config/player/LogoFile.h"

#include <QSaveFile>

#include <array>
#include <cstring>
#include <memory>

#include <sys/stat.h>

namespace {

constexpr size_t kWorkBufferBytes = 10240;
constexpr uint8_t kUnwrittenByte = 0xEA;
constexpr size_t kHeaderBytes = 12;
constexpr size_t kNameBytes = 16;
constexpr size_t kMipLevels = 4;
constexpr size_t kMipHeaderBytes = kNameBytes + 8 + kMipLevels * 4;
constexpr uint8_t kMipTextureType = 0x40;
constexpr int kMaxLogoSize = 64;
constexpr const char* kLumpName = "LOGO";

void PutWord(std::string& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + size_t(i)] = char(value >> (8 * i) & 0xff);
}

void AppendWord(std::string& out, uint32_t value)
{
    out.resize(out.size() + 4);
    PutWord(out, out.size() - 4, value);
}

// The "LOGO" mip texture, its size rounded up to four bytes.
std::string BuildLump(const LogoBitmap& logo, const LogoColour& colour)
{
    const size_t n = size_t(logo.width);
    std::string lump(kWorkBufferBytes, char(kUnwrittenByte));
    std::memcpy(lump.data(), kLumpName, std::strlen(kLumpName) + 1);
    PutWord(lump, 16, uint32_t(n));
    PutWord(lump, 20, uint32_t(n));
    size_t at = kMipHeaderBytes;
    for (size_t level = 0; level < kMipLevels; ++level) {
        PutWord(lump, 24 + level * 4, uint32_t(at));
        const size_t step = size_t(1) << level;
        for (size_t y = 0; y < n; y += step)
            for (size_t x = 0; x < n; x += step)
                lump[at++] = char(logo.pixels[y * n + x]);
    }
    lump[at++] = char(LogoBitmap::kColours & 0xff);
    lump[at++] = char(LogoBitmap::kColours >> 8);
    const size_t kept = size_t(LogoBitmap::kColours - 1) * 3;
    std::memcpy(lump.data() + at, logo.palette.data(), kept);
    at += kept;
    lump[at++] = char(colour.red);
    lump[at++] = char(colour.green);
    lump[at++] = char(colour.blue);
    lump.resize((at + 3) / 4 * 4);
    return lump;
}

// A target that is a symbolic link or not a plain file is not replaced; a read-only
// one is made writable first, as the launcher does for every file it generates.
bool PrepareTarget(const std::string& path)
{
    struct stat st = {};
    if (::lstat(path.c_str(), &st) != 0)
        return true;
    if (!S_ISREG(st.st_mode))
        return false;
    if (!(st.st_mode & S_IWUSR))
        ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
    return true;
}

} // namespace

int BuildDecalWad(const LogoBitmap& logo, const LogoColour& colour, std::string& bytes)
{
    bytes.clear();
    if (logo.width != logo.height)
        return kMessageLogoNotSquare;
    if (logo.width > kMaxLogoSize)
        return kMessageLogoTooWide;
    if (logo.width != 16 && logo.width != 32 && logo.width != 64)
        return kMessageLogoWrongSize;
    if (logo.pixels.size() != size_t(logo.width) * size_t(logo.height))
        return kMessageLogoWrongSize;

    const std::string lump = BuildLump(logo, colour);
    bytes = "WAD3";
    AppendWord(bytes, 1);
    AppendWord(bytes, uint32_t(kHeaderBytes + lump.size()));
    bytes += lump;
    AppendWord(bytes, uint32_t(kHeaderBytes));
    AppendWord(bytes, uint32_t(lump.size()));
    AppendWord(bytes, uint32_t(lump.size()));
    bytes += char(kMipTextureType);
    bytes += '\0'; // no compression
    bytes.append(2, '\0');
    std::array<char, kNameBytes> name{};
    std::memcpy(name.data(), kLumpName, std::strlen(kLumpName));
    bytes.append(name.data(), name.size());
    return 0;
}

int WriteDecalWad(const LogoBitmap* logo, const LogoColour& colour)
{
    if (!logo)
        return 0;
    std::string bytes;
    if (const int refused = BuildDecalWad(*logo, colour, bytes)) {
        ShowMessage(refused);
        return refused;
    }

    // The file search keeps the game directory as a full path once it is set up.
    const std::string& directory = Launcher().gameDirectory;
    const std::string game =
        directory.starts_with('/') ? directory : ResolveCaseInsensitive(Launcher().baseDirectory, directory);
    const std::string targets[] = {LogoFolder() + "/" + kDecalFileName, game + "/" + kDecalFileName};
    // Both files are written out in full before either replaces its old copy.
    std::unique_ptr<QSaveFile> files[2];
    for (size_t i = 0; i < 2; ++i) {
        const std::string& target = targets[i];
        files[i] = std::make_unique<QSaveFile>(QString::fromStdString(target));
        if (!PrepareTarget(target) || !files[i]->open(QIODevice::WriteOnly) ||
            files[i]->write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
            for (auto& file : files)
                if (file)
                    file->cancelWriting();
            ShowFormattedMessage(kMessageFileNotWritten, target.c_str());
            return kMessageFileNotWritten;
        }
    }
    for (size_t i = 0; i < 2; ++i) {
        if (!files[i]->commit()) {
            if (i == 0)
                files[1]->cancelWriting();
            ShowFormattedMessage(kMessageFileNotWritten, targets[i].c_str());
            return kMessageFileNotWritten;
        }
    }
    return 0;
}
