#pragma once
// The video mode dialog: renderer, mode, OpenGL driver or Direct3D device, and the
// window options. The choices it offers and stores are VideoChoice's.
#include "app/video/VideoChoice.h"
#include "ui/CKSDialog.h"

#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

class CVidModeDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog";
    static constexpr const char* kHeader = "head_video";
    static constexpr const char* kWarningValue = "3DWarning";

    explicit CVidModeDlg(QWidget* parent = nullptr);

    // The choice the controls show now.
    VideoChoice Choice() const;
    QListWidget* ModeList() const { return m_modes; }
    QComboBox* DriverBox() const { return m_driver; }
    QComboBox* DeviceBox() const { return m_device; }
    QCheckBox* WindowedBox() const { return m_windowed; }
    QCheckBox* CaptureBox() const { return m_capture; }
    void SetRenderer(int renderer);

    // OK stores the choice; any result closes the dialog.
    void done(int result) override;

private:
    void FillModes();
    void ShowRendererPage();

    QButtonGroup* m_renderers = nullptr;
    QListWidget* m_modes = nullptr;
    QLabel* m_driverLabel = nullptr;
    QComboBox* m_driver = nullptr;
    QComboBox* m_device = nullptr;
    QCheckBox* m_windowed = nullptr;
    QCheckBox* m_capture = nullptr;
    std::vector<int> m_offered;
    int m_warning = 0;
};
