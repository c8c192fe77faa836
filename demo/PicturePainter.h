#pragma once
// The pictures of the demo world: the gamma preview, the player model previews and
// the spray logos.
#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

struct DemoPlayerModel
{
    QString name;   // folder and file name under models/player
    QString title;  // shown on the preview
    QColor colour;  // the model's armour colour
};

class PicturePainter
{
public:
    static constexpr int kGammaWidth = 160;
    static constexpr int kGammaHeight = 120;
    static constexpr int kPreviewWidth = 96;
    static constexpr int kPreviewHeight = 128;
    static constexpr int kLogoSize = 64;        // 8-bit logos stay under 5192 bytes
    static constexpr int kPaletteSize = 256;

    // "gamma": a dusk scene over a grey step wedge, for judging brightness.
    static QImage Gamma();

    static std::vector<DemoPlayerModel> PlayerModels();
    static QImage PlayerPreview(const DemoPlayerModel& model);

    // Names of the spray logos (file base names in the "logos" folder): 64, 32 and 16
    // pixels square, and one of 48 that the decal refuses.
    static std::vector<QString> LogoNames();
    static int LogoSize(const QString& name);
    // An 8-bit image with a 256-entry grey colour table; null for an unknown name.
    static QImage Logo(const QString& name);
};
