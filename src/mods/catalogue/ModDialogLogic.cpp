#include "mods/catalogue/ModDialogLogic.h"

#include "app/files/SearchPath.h"
#include "app/text/Prompt.h"
#include "app/text/ServiceAddressList.h"
#include "app/text/StringList.h"
#include "mods/catalogue/ModCatalogue.h"
#include "mods/download/ModUrl.h"
#include "mods/master/ModExchange.h"

ModButtons ModButtonStates(const CModRecord* row)
{
    ModButtons buttons;
    buttons.deactivate = CurrentMod() && CurrentMod() != BaseGameRecord();
    if (!row)
        return buttons;
    buttons.activate = true;
    buttons.info = HasModLink(*row, "url_info") && IsOpenableInfoUrl(row->GetKeyText("url_info"));
    buttons.download = HasModLink(*row, "url_dl");
    return buttons;
}

bool HasModLink(const CModRecord& record, const char* key)
{
    const std::string* value = record.GetKey(key);
    return value && !value->empty() && !SameText(*value, "none");
}

ModRoute ModDownloadRoute(const CModRecord& record)
{
    const std::optional<ModUrl> url = ParseModUrl(record.GetKeyText("url_dl"));
    if (!url)
        return ModRoute::None;
    return url->IsFtp() ? ModRoute::Ftp : ModRoute::Http;
}

bool ActivateMod(const CModRecord& row)
{
    const std::string game = row.GetKeyText("game");
    CModRecord* installed = FindModByDir(InstalledMods(), row.GetKeyText("gamedir"));
    if (row.GetKeyInt("installed") == 0 || !installed) {
        CurrentPrompt().Show(FormatString(kMsgNotInstalled, game.c_str()), PromptButtons::Ok);
        return false;
    }
    if (row.GetKeyInt("newversion") != 0 &&
        CurrentPrompt().Show(FormatString(kMsgNewerAvailable, game.c_str()), PromptButtons::OkCancel) != kPromptFirst)
        return false;
    return SetCurrentMod(installed);
}

void DeactivateMod()
{
    if (!CurrentMod())
        return;
    if (CurrentMod() == BaseGameRecord()) {
        ForgetCurrentMod();
        return;
    }
    SetCurrentMod(nullptr);
}

bool ConfirmModDownload(const CModRecord& row)
{
    if (row.GetKeyInt("installed") != 0 && row.GetKeyInt("newversion") == 0)
        return CurrentPrompt().Show(FormatString(kMsgDownloadAgain, row.GetKeyText("game").c_str()),
                                    PromptButtons::OkCancel) == kPromptFirst;
    return true;
}

std::optional<std::string> DownloadNoticeText()
{
    int64_t length = 0;
    std::unique_ptr<char[]> text = LoadFile(kDownloadNoticeFile, &length);
    if (!text)
        return std::nullopt;
    std::string notice(text.get(), size_t(std::min<int64_t>(length, int64_t(kMaxNoticeBytes))));
    std::string clean;
    for (char c : notice)
        if (c == '\n' || c == '\t' || static_cast<unsigned char>(c) >= 32)
            clean += c;
    return clean;
}

void FinishModDownload(CModRecord& row)
{
    row.SetKey("installed", "1");
    row.SetKey("newversion", "0");
    const std::string gamedir = row.GetKeyText("gamedir");
    CModRecord* installed = FindModByDir(InstalledMods(), gamedir);
    if (!installed) {
        InstalledMods().push_front(CModRecord());
        installed = &InstalledMods().front();
    }
    installed->CopyKeysFrom(row);
    SendModDownloadNotice(ServiceAddresses(), row.GetKeyInt("*uniqueid"));
    SetCurrentMod(installed);
}
