#include "config/dialogs/CODKeySearchComboBox.h"

#include <QKeyEvent>

CODKeySearchComboBox::CODKeySearchComboBox(QWidget* parent) : CODComboBox(parent)
{
    setMaxVisibleItems(16);
    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { emit KeyChosen(itemText(index)); });
}

void CODKeySearchComboBox::SetNames(std::vector<std::string> names)
{
    m_names = std::move(names);
    clear();
    for (const std::string& name : m_names)
        addItem(QString::fromStdString(name));
}

void CODKeySearchComboBox::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentIndex() >= 0)
            emit KeyChosen(currentText());
        return;
    case Qt::Key_Escape:
        hidePopup();
        event->ignore();
        return;
    case Qt::Key_Down:
        showPopup();
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        emit ClearRequested();
        return;
    default:
        break;
    }
    if (text.size() == 1 && text[0].isLetterOrNumber() && text[0].unicode() < 128) {
        const int index = m_search.Next(m_names, char(text[0].unicode()));
        if (index >= 0)
            setCurrentIndex(index);
        return;
    }
    CODComboBox::keyPressEvent(event);
}
