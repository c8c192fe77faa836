#pragma once
// The key chooser of the keyboard dialog: a drop-down of key names with a typing
// search; choosing a name (or Enter) asks for it to be assigned, Backspace or Delete
// asks for the selected cell to be cleared.
#include "config/keys/KeySearch.h"
#include "ui/CODControls.h"

#include <string>
#include <vector>

class CODKeySearchComboBox : public CODComboBox
{
    Q_OBJECT
public:
    explicit CODKeySearchComboBox(QWidget* parent = nullptr);
    void SetNames(std::vector<std::string> names);

signals:
    void KeyChosen(const QString& name);
    void ClearRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<std::string> m_names;
    KeySearch m_search;
};
