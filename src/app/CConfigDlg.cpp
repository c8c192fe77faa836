#include "app/CConfigDlg.h"

#include "app/CLoadDlg.h"
#include "app/CSaveDlg.h"
#include "app/CVidSelectDlg.h"
#include "ui/CODBlendBtn.h"

#include <vector>

namespace {

std::vector<std::pair<std::string, CConfigDlg::Page>>& Pages()
{
    static std::vector<std::pair<std::string, CConfigDlg::Page>> pages;
    return pages;
}

} // namespace

void CConfigDlg::AddPage(const std::string& label, Page page)
{
    for (auto& entry : Pages()) {
        if (entry.first == label) {
            entry.second = std::move(page);
            return;
        }
    }
    Pages().emplace_back(label, std::move(page));
}

CConfigDlg::CConfigDlg(QWidget* parent) : CKSDialog(parent, kBackground)
{
    SetHeader(kHeader);
    SetTitleText(QStringLiteral("Configure Kestrel"));
    AddPageButton(QStringLiteral("Video"), [](QWidget* owner) {
        CVidSelectDlg dialog(owner);
        dialog.DoModal();
    });
    AddPageButton(QStringLiteral("Load Game"), [](QWidget* owner) {
        CLoadDlg dialog(owner);
        dialog.DoModal();
    });
    AddPageButton(QStringLiteral("Save Game"), [](QWidget* owner) {
        CSaveDlg dialog(owner);
        dialog.DoModal();
    });
    for (const auto& [label, page] : Pages())
        AddPageButton(QString::fromStdString(label), page);

    CODBlendBtn* done = AddButton(QStringLiteral("Done"), QDialog::Accepted);
    SetDefaultButton(done);
}

void CConfigDlg::AddPageButton(const QString& label, Page page)
{
    auto* button = new CODBlendBtn(label, Content());
    const int index = int(m_pageButtons.size());
    const int rows = std::max(1, ContentRect().height() / kRowStep);
    const int column = index / rows;
    const int row = index % rows;
    const int columns = 2;
    const int left = (ContentRect().width() - columns * kColumnWidth - kButtonSpacing) / 2;
    button->resize(kColumnWidth, kButtonHeight);
    button->move(std::max(0, left) + column * (kColumnWidth + kButtonSpacing), row * kRowStep + 4);
    connect(button, &QAbstractButton::clicked, this, [this, page] { page(this); });
    m_pageButtons.push_back(button);
}

CODBlendBtn* CConfigDlg::PageButton(const QString& label) const
{
    for (CODBlendBtn* button : m_pageButtons)
        if (button->text().remove(QLatin1Char('&')) == label)
            return button;
    return nullptr;
}
