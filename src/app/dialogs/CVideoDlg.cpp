#include "app/dialogs/CVideoDlg.h"

#include "app/text/Messages.h"
#include "app/video/GammaTable.h"
#include "app/video/ScreenSizeRect.h"
#include "ui/CODBlendBtn.h"
#include "ui/SkinImages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSlider>

CVideoDlg::CVideoDlg(QWidget* parent) : CKSDialog(parent, kBackground)
{
    SetHeader(kHeader);
    SetTitleText(QStringLiteral("Video Options"));
    const QPixmap gamma = SkinImages::Get(kGammaBitmap);
    if (gamma.isNull()) {
        ShowMessage(kMessageNoGammaBitmap);
        m_picture = QImage(kMissingPreviewSize, kMissingPreviewSize, QImage::Format_RGB32);
        m_picture.fill(Qt::black);
    } else {
        m_picture = gamma.toImage();
    }

    auto* layout = new QGridLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(14);
    layout->setVerticalSpacing(4);
    m_size = AddSlider(QStringLiteral("Screen size"), kScreenSizeSlider, 0);
    m_gamma = AddSlider(QStringLiteral("Gamma"), kGammaSlider, 2);
    m_brightness = AddSlider(QStringLiteral("Brightness"), kBrightnessSlider, 4);
    m_flag = new QCheckBox(QStringLiteral("Wait for vertical sync"), Content());
    layout->addWidget(m_flag, 6, 0);
    layout->setRowStretch(7, 1);

    m_preview = new QLabel(Content());
    m_preview->setFixedSize(kPreviewWidth, kPreviewHeight);
    layout->addWidget(m_preview, 0, 1, 8, 1, Qt::AlignTop | Qt::AlignRight);
    layout->setColumnStretch(0, 1);

    const VideoOptionSliders sliders = SlidersFor(LoadVideoOptions());
    m_size->setValue(sliders.screenSize);
    m_gamma->setValue(sliders.gamma);
    m_brightness->setValue(sliders.brightness);
    m_flag->setChecked(sliders.flag);
    for (QSlider* slider : {m_size, m_gamma, m_brightness})
        connect(slider, &QSlider::valueChanged, this, [this] { RedrawPreview(); });
    RedrawPreview();

    AddButton(QStringLiteral("Cancel"), QDialog::Rejected);
    SetDefaultButton(AddButton(QStringLiteral("OK"), QDialog::Accepted));
}

QSlider* CVideoDlg::AddSlider(const QString& label, SliderRange range, int row)
{
    auto* layout = static_cast<QGridLayout*>(Content()->layout());
    layout->addWidget(new QLabel(label, Content()), row, 0);
    auto* slider = new QSlider(Qt::Horizontal, Content());
    slider->setRange(range.minimum, range.maximum);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    layout->addWidget(slider, row + 1, 0);
    return slider;
}

VideoOptions CVideoDlg::Options() const
{
    VideoOptionSliders sliders;
    sliders.screenSize = m_size->value();
    sliders.gamma = m_gamma->value();
    sliders.brightness = m_brightness->value();
    sliders.flag = m_flag->isChecked();
    return OptionsFor(sliders);
}

QImage CVideoDlg::PreviewImage() const
{
    const VideoOptions options = Options();
    QImage preview(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    QPainter painter(&preview);
    painter.fillRect(preview.rect(), kPreviewFrame);
    const QRect inside = preview.rect().adjusted(1, 1, -1, -1);
    painter.fillRect(inside, kPreviewInterior);
    const ScreenRect view = ScreenSizeRect(options.screenSize, inside.width(), inside.height());
    const QImage picture = ApplyGammaTable(m_picture, GammaTable(options.gamma, options.brightness));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(inside.x() + view.x, inside.y() + view.y, view.width, view.height), picture);
    painter.end();
    return preview;
}

void CVideoDlg::RedrawPreview()
{
    m_preview->setPixmap(QPixmap::fromImage(PreviewImage()));
}

void CVideoDlg::done(int result)
{
    if (result == QDialog::Accepted)
        SaveVideoOptions(Options());
    CKSDialog::done(result);
}
