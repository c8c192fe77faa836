#include "config/scripts/OptionsPageModel.h"

#include "app/text/StringList.h"

int OptionsPageModel::PageCount() const
{
    const int options = int(m_description.Options().size());
    return (options + kRowsPerPage - 1) / kRowsPerPage;
}

void OptionsPageModel::PreviousPage()
{
    if (m_page > 0)
        --m_page;
}

void OptionsPageModel::NextPage()
{
    if (m_page + 1 < PageCount())
        ++m_page;
}

std::string OptionsPageModel::PageCaption() const
{
    return FormatString(kPageCaptionString, m_page + 1, PageCount());
}

void OptionsPageModel::ConfirmBool(CDescriptionOption& option, bool checked)
{
    option.SetCurrent(checked ? "1" : "0");
}

void OptionsPageModel::ConfirmList(CDescriptionOption& option, int selected)
{
    option.SetCurrentListEntry(selected);
}

void OptionsPageModel::ConfirmText(CDescriptionOption& option, const std::string& text)
{
    option.SetCurrent(text);
}
