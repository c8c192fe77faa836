#pragma once
// The video options dialog: screen size, gamma, brightness and an on/off value, with
// a preview of the skin's "gamma" picture drawn through the gamma table and sized as
// the engine's view would be.
#include "app/video/VideoOptions.h"
#include "ui/CKSDialog.h"

class QCheckBox;
class QSlider;

class CVideoDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog";
    static constexpr const char* kHeader = "head_video";
    static constexpr const char* kGammaBitmap = "gamma";
    static constexpr int kMessageNoGammaBitmap = 141;
    static constexpr int kMissingPreviewSize = 100;
    static constexpr int kPreviewWidth = 240;
    static constexpr int kPreviewHeight = 180;
    static inline const QColor kPreviewFrame{255, 0, 0};
    static inline const QColor kPreviewInterior{63, 63, 63};

    explicit CVideoDlg(QWidget* parent = nullptr);

    QSlider* ScreenSizeSlider() const { return m_size; }
    QSlider* GammaSlider() const { return m_gamma; }
    QSlider* BrightnessSlider() const { return m_brightness; }
    QCheckBox* FlagBox() const { return m_flag; }
    // The values the controls show now.
    VideoOptions Options() const;
    // The preview as it is drawn now.
    QImage PreviewImage() const;

    // OK stores the choice; any result closes the dialog.
    void done(int result) override;

private:
    QSlider* AddSlider(const QString& label, SliderRange range, int row);
    void RedrawPreview();

    QSlider* m_size = nullptr;
    QSlider* m_gamma = nullptr;
    QSlider* m_brightness = nullptr;
    QCheckBox* m_flag = nullptr;
    class QLabel* m_preview = nullptr;
    QImage m_picture;
};
