#include "demo/DemoWorld.h"

#include "demo/AviWriter.h"
#include "demo/LogoAnimationPainter.h"
#include "demo/IntroVideoPainter.h"
#include "demo/KeyListWriter.h"
#include "demo/ListWriter.h"
#include "demo/MapWriter.h"
#include "demo/PakWriter.h"
#include "demo/PicturePainter.h"
#include "demo/ScriptWriter.h"
#include "demo/SkinPainter.h"
#include "demo/SoundSynth.h"
#include "demo/TreeWriter.h"

namespace {

bool WriteBaseArchive(TreeWriter& tree)
{
    PakWriter pak;
    // The engine finds the menu sounds through the file search.
    for (const DemoSound& sound : SoundSynth::MenuSounds())
        if (!pak.Add("sound/Common/" + sound.name + ".wav", sound.wav))
            return false;
    for (const DemoMap& map : DemoMap::Catalogue())
        if (!pak.Add("maps/" + map.name + ".bsp", MapWriter::Build(map)))
            return false;
    for (const DemoPlayerModel& model : PicturePainter::PlayerModels()) {
        const QString name = QStringLiteral("models/player/%1/%1.bmp").arg(model.name);
        if (!pak.Add(name, EncodeBitmap(PicturePainter::PlayerPreview(model))))
            return false;
    }
    const QString base = DemoWorld::kBaseDirectory;
    return tree.WriteBytes(base + "/pak0.pak", pak.Build()) &&
           tree.WriteLines(base + "/liblist.gam", ListWriter::BaseLiblist());
}

bool WriteShell(TreeWriter& tree)
{
    const QString shell = DemoWorld::kShellFolder;
    bool ok = tree.WriteLines(shell + "/strings.lst", ListWriter::StringList()) &&
              tree.WriteLines(shell + "/colors.lst", ListWriter::ColourList()) &&
              tree.WriteLines(shell + "/kb_keys.lst", KeyListWriter::Keys()) &&
              tree.WriteLines(shell + "/kb_def.lst", KeyListWriter::Defaults()) &&
              tree.WriteLines(shell + "/kb_act.lst", KeyListWriter::Actions());
    for (const SkinBitmap& bitmap : SkinPainter::ShellBitmaps())
        ok = ok && tree.WriteBitmap(shell + '/' + bitmap.name + ".bmp", bitmap.image);
    return ok;
}

bool WriteGame(TreeWriter& tree)
{
    const QString game = DemoWorld::kGameDirectory;
    return tree.WriteLines(game + "/liblist.gam", ListWriter::Liblist()) &&
           tree.WriteLines(game + "/settings.scr",
                           ScriptWriter::Script("SERVER_OPTIONS", "Kestrel demo server options",
                                                ScriptWriter::ServerOptions())) &&
           tree.WriteLines(game + "/user.scr", ScriptWriter::Script("INFO_OPTIONS", "Kestrel demo user options",
                                                                    ScriptWriter::UserOptions())) &&
           tree.WriteLines(game + "/config.cfg", KeyListWriter::PlayerConfig()) &&
           tree.WriteLines(game + "/demo.cfg", KeyListWriter::PlayerScript()) &&
           tree.WriteLines(ListWriter::kManualFile, ListWriter::Manual());
}

// An older copy of a custom game the demo's custom-game master offers in a newer
// version, and the notice shown before a download.
bool WriteCustomGames(TreeWriter& tree)
{
    return tree.WriteLines("skyline/liblist.gam",
                           {"// Skyline, installed in an older version than the demo's custom-game master offers",
                            "game \"Skyline\"", "gamedll \"dlls/skyline.so\"", "version \"1\"",
                            "type \"multiplayer_only\"", "url_info \"http://127.0.0.1:27180/skyline.html\""}) &&
           tree.WriteLines("harrow/download.txt",
                           {"Custom games are made by players, not by the makers of the game.",
                            "",
                            "They are downloaded from the sites their authors chose and installed in a folder "
                            "of their own beside the game. Kestrel never runs a program it downloads."});
}

bool WriteMedia(TreeWriter& tree)
{
    const QString media = QStringLiteral("%1/media").arg(DemoWorld::kGameDirectory);
    for (const DemoSound& sound : SoundSynth::MenuSounds())
        if (!tree.WriteBytes(media + '/' + sound.name + ".wav", sound.wav))
            return false;
    // The intro videos: the publisher's card, then the game's opening.
    if (!tree.WriteBytes(media + "/zorvan.avi",
                         AviWriter::Write(IntroVideoPainter::Publisher(), IntroVideoPainter::kFramesPerSecond)) ||
        !tree.WriteBytes(media + "/harrow.avi",
                         AviWriter::Write(IntroVideoPainter::Game(), IntroVideoPainter::kFramesPerSecond)))
        return false;
    // The main menu's logo strip.
    if (!tree.WriteBytes(media + "/logo.avi", AviWriter::Write(LogoAnimationPainter::Frames(),
                                                               LogoAnimationPainter::kFramesPerSecond,
                                                               LogoAnimationPainter::kJpegQuality)))
        return false;
    // The music "disc": track 1 is the game's data, tracks 2 to 4 are music.
    for (int track = 2; track <= DemoWorld::kMusicTracks + 1; ++track)
        if (!tree.WriteBytes(media + QStringLiteral("/cdaudio/track%1.wav").arg(track, 2, 10, QLatin1Char('0')),
                             SoundSynth::MusicTrack(DemoWorld::kMusicSeconds + 4.0 * (track - 2), track)))
            return false;
    return true;
}

bool WriteLogos(TreeWriter& tree)
{
    for (const QString& name : PicturePainter::LogoNames())
        if (!tree.WriteBitmap("logos/" + name + ".bmp", PicturePainter::Logo(name)))
            return false;
    return true;
}

} // namespace

bool DemoWorld::Write(const QString& root, QString* error)
{
    TreeWriter tree(root);
    const bool ok = WriteBaseArchive(tree) && WriteGame(tree) && WriteShell(tree) && WriteMedia(tree) && WriteLogos(tree) &&
                    WriteCustomGames(tree) &&
                    tree.WriteLines("vrel/kavcomm.lst", ListWriter::ServiceAddresses()) &&
                    tree.WriteLines("zorvan.inf", ListWriter::ZorvanInf());
    if (!ok && error)
        *error = tree.Error().isEmpty() ? QStringLiteral("the base archive could not be built") : tree.Error();
    return ok;
}
