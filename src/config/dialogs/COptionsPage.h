#pragma once
// The page that shows a description for editing: one row per option (a check box
// for BOOL, a drop-down list for LIST, a line edit for NUMBER and STRING, each but
// BOOL captioned with the prompt), eight rows per page with arrow buttons.
#include "config/scripts/OptionsPageModel.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class COptionsPage : public QWidget
{
    Q_OBJECT
public:
    COptionsPage(CDescription& description, QWidget* parent = nullptr);

    // Stores the controls' values as the options' current values.
    void Confirm();

    QCheckBox* CheckBoxAt(int row) const { return m_rows[size_t(row)].check; }
    QComboBox* ListAt(int row) const { return m_rows[size_t(row)].list; }
    QLineEdit* EditAt(int row) const { return m_rows[size_t(row)].edit; }
    QWidget* RowWidget(int row) const { return m_rows[size_t(row)].widget; }
    QLabel* CaptionLabel() const { return m_caption; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* NextButton() const { return m_next; }

private:
    struct Row
    {
        QWidget* widget = nullptr;
        QCheckBox* check = nullptr;
        QComboBox* list = nullptr;
        QLineEdit* edit = nullptr;
    };

    void ShowPage();

    OptionsPageModel m_model;
    std::vector<Row> m_rows;
    QLabel* m_caption = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};
