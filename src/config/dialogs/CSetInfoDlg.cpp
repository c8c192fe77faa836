#include "config/dialogs/CSetInfoDlg.h"

#include "app/text/Messages.h"
#include "config/dialogs/COptionsPage.h"
#include "config/dialogs/OptionPageParts.h"
#include "config/player/PlayerConfigStore.h"
#include "platform/NumberText.h"
#include "ui/CODBlendBtn.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

CSetInfoDlg::CSetInfoDlg(QWidget* parent) : CKSDialog(parent, "dialog")
{
    SetHeader("head_profile");
    SetTitleText(QStringLiteral("User Info"));
    m_opened = m_description.ReadFromFile(CInfoDescription::kScriptFile);
    if (m_opened)
        m_description.LoadFromConfig(
            [](const std::string& cvar) { return GetConfigValue(kPlayerConfigFile, cvar); });

    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_page = new COptionsPage(m_description, Content());
    layout->addWidget(m_page, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(MessageText(184), Content()));
    m_sensitivity = new QLineEdit(Content());
    const PlayerConfig* config = ThePlayerConfig();
    m_sensitivity->setText(QString::fromStdString(FormatFixed(config ? double(config->sensitivity) : 3.0, 6)));
    m_sensitivity->setMaximumWidth(120);
    row->addWidget(m_sensitivity);
    row->addStretch(1);
    layout->addLayout(row);

    connect(AddButton(QStringLiteral("Cancel")), &QAbstractButton::clicked, this, &QDialog::reject);
    CODBlendBtn* confirm = AddButton(MessageText(247));
    connect(confirm, &QAbstractButton::clicked, this, &QDialog::accept);
    SetDefaultButton(confirm);
}

void CSetInfoDlg::accept()
{
    if (m_opened) {
        m_page->Confirm();
        m_description.ApplyToConfig([](const std::string& cvar, const std::string& value, bool setInfo) {
            SetConfigValue(kPlayerConfigFile, cvar, value, setInfo);
        });
        const std::string userScript = GameFilePath(CInfoDescription::kScriptFile);
        if (!m_description.SaveLayout(userScript))
            ShowFormattedMessage(kConfigWriteFailedMessage, userScript.c_str());
        // The configuration takes the values just written, so a later save from
        // another page keeps them; then the sensitivity typed here.
        ReloadPlayerVariables();
        if (PlayerConfig* config = ThePlayerConfig()) {
            // Text that is not one number as a whole ("", "fast", "5,5") leaves it.
            const std::optional<double> value = ParseWholeDouble(m_sensitivity->text().toStdString());
            if (value && std::isfinite(*value) && *value > 0) {
                config->sensitivity = NarrowToFloat(*value);
                SavePlayerConfig();
            }
        }
    }
    CKSDialog::accept();
}
