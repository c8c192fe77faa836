#include "app/dialogs/CConfigDlg.h"

#include "app/dialogs/CLoadDlg.h"
#include "app/dialogs/CSaveDlg.h"
#include "app/dialogs/CVidSelectDlg.h"
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
    // The pages other parts register (controls, audio, game options, ...) follow
    // Video; the saved games come last.
    for (const auto& [label, page] : Pages())
        AddPageButton(QString::fromStdString(label), page);
    AddPageButton(QStringLiteral("Load Game"), [](QWidget* owner) {
        CLoadDlg dialog(owner);
        dialog.DoModal();
    });
    AddPageButton(QStringLiteral("Save Game"), [](QWidget* owner) {
        CSaveDlg dialog(owner);
        dialog.DoModal();
    });

    LayoutPages();
    CODBlendBtn* done = AddButton(QStringLiteral("Done"), QDialog::Accepted);
    SetDefaultButton(done);
}

void CConfigDlg::AddPageButton(const QString& label, Page page)
{
    auto* button = new CODBlendBtn(label, Content());
    button->resize(kColumnWidth, kButtonHeight);
    connect(button, &QAbstractButton::clicked, this, [this, page] { page(this); });
    m_pageButtons.push_back(button);
}

void CConfigDlg::LayoutPages()
{
    // One centred column while the buttons fit, then two.
    const QRect area = ContentRect();
    const int rows = std::max(1, area.height() / kRowStep);
    const int count = int(m_pageButtons.size());
    const int columns = count > rows ? 2 : 1;
    const int perColumn = (count + columns - 1) / columns;
    const int total = columns * kColumnWidth + (columns - 1) * kButtonSpacing;
    const int left = std::max(0, (area.width() - total) / 2);
    const int top = std::max(0, (area.height() - perColumn * kRowStep) / 2);
    for (int index = 0; index < count; ++index) {
        const int column = index / perColumn;
        const int row = index % perColumn;
        m_pageButtons[size_t(index)]->move(left + column * (kColumnWidth + kButtonSpacing), top + row * kRowStep);
    }
}

CODBlendBtn* CConfigDlg::PageButton(const QString& label) const
{
    for (CODBlendBtn* button : m_pageButtons)
        if (button->text().remove(QLatin1Char('&')) == label)
            return button;
    return nullptr;
}
