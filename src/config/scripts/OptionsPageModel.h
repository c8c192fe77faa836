#pragma once
// The decisions of the page that edits a description: eight rows per page, the page
// caption (string 403 with the page number from 1 and the page count), and how the
// controls' values become the options' current values when the player confirms.
#include "config/scripts/CDescription.h"

#include <string>

class OptionsPageModel
{
public:
    static constexpr int kRowsPerPage = 8;
    static constexpr int kPageCaptionString = 403;

    explicit OptionsPageModel(CDescription& description) : m_description(description) {}

    int PageCount() const;
    int Page() const { return m_page; }
    // Steps between pages; stays within the first and last page.
    void PreviousPage();
    void NextPage();
    std::string PageCaption() const;
    bool RowVisible(int row) const { return row / kRowsPerPage == m_page; }

    // What each control starts with.
    static bool InitialChecked(const CDescriptionOption& option) { return option.defaultValue != 0; }
    static int InitialSelection(const CDescriptionOption& option) { return option.DefaultListIndex(); }
    static const std::string& InitialText(const CDescriptionOption& option) { return option.defaultText; }

    // Confirmation: a BOOL takes the check box, a LIST the selected entry (-1: none),
    // NUMBER and STRING the edit text.
    static void ConfirmBool(CDescriptionOption& option, bool checked);
    static void ConfirmList(CDescriptionOption& option, int selected);
    static void ConfirmText(CDescriptionOption& option, const std::string& text);

    CDescription& Description() { return m_description; }

private:
    CDescription& m_description;
    int m_page = 0;
};
