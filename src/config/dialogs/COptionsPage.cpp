#include "config/dialogs/COptionsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

COptionsPage::COptionsPage(CDescription& description, QWidget* parent) : QWidget(parent), m_model(description)
{
    auto* layout = new QVBoxLayout(this);
    for (const CDescriptionOption& option : description.Options()) {
        Row row;
        row.widget = new QWidget(this);
        auto* rowLayout = new QHBoxLayout(row.widget);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        const QString prompt = QString::fromStdString(option.prompt);
        switch (option.type) {
        case OptionType::Bool:
        case OptionType::None:
            row.check = new QCheckBox(prompt, row.widget);
            row.check->setChecked(OptionsPageModel::InitialChecked(option));
            rowLayout->addWidget(row.check);
            break;
        case OptionType::List:
            rowLayout->addWidget(new QLabel(prompt, row.widget));
            row.list = new QComboBox(row.widget);
            for (const CDescriptionListEntry& entry : option.list)
                row.list->addItem(QString::fromStdString(entry.label));
            row.list->setCurrentIndex(OptionsPageModel::InitialSelection(option));
            rowLayout->addWidget(row.list);
            break;
        case OptionType::Number:
        case OptionType::String:
            rowLayout->addWidget(new QLabel(prompt, row.widget));
            row.edit = new QLineEdit(QString::fromStdString(OptionsPageModel::InitialText(option)), row.widget);
            rowLayout->addWidget(row.edit);
            break;
        }
        layout->addWidget(row.widget);
        m_rows.push_back(row);
    }
    layout->addStretch();

    auto* paging = new QHBoxLayout;
    m_previous = new QPushButton("<", this);
    m_caption = new QLabel(this);
    m_next = new QPushButton(">", this);
    paging->addWidget(m_previous);
    paging->addWidget(m_caption, 1, Qt::AlignCenter);
    paging->addWidget(m_next);
    layout->addLayout(paging);
    connect(m_previous, &QPushButton::clicked, this, [this] {
        m_model.PreviousPage();
        ShowPage();
    });
    connect(m_next, &QPushButton::clicked, this, [this] {
        m_model.NextPage();
        ShowPage();
    });
    ShowPage();
}

void COptionsPage::ShowPage()
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].widget->setVisible(m_model.RowVisible(int(i)));
    m_caption->setText(QString::fromStdString(m_model.PageCaption()));
}

void COptionsPage::Confirm()
{
    std::vector<CDescriptionOption>& options = m_model.Description().Options();
    for (size_t i = 0; i < m_rows.size() && i < options.size(); ++i) {
        const Row& row = m_rows[i];
        if (row.check)
            OptionsPageModel::ConfirmBool(options[i], row.check->isChecked());
        else if (row.list)
            OptionsPageModel::ConfirmList(options[i], row.list->currentIndex());
        else if (row.edit)
            OptionsPageModel::ConfirmText(options[i], row.edit->text().toStdString());
    }
}
