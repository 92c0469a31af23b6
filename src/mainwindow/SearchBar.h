#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// The bar above the trainee list: "包含已通过", the search field and value,
// "查找(F3)", the "高级查找..." toggle and the button that hides the navigation panel.
class SearchBar : public QWidget {
    Q_OBJECT
public:
    explicit SearchBar(QWidget* parent = nullptr);

    bool includeFinished() const;
    int searchField() const;  // -1 while no field is chosen
    QString searchText() const;
    QPushButton* advancedButton() const { return advanced_; }
    QToolButton* navigationButton() const { return navToggle_; }
    // Releases the advanced-search toggle and gives its text the normal colour.
    void releaseAdvanced();
    // Keeps the toggle down with red text while a dialog statement is in force.
    void holdAdvanced();

Q_SIGNALS:
    // Anything that should run the trainee query again.
    void queryRequested();
    void advancedClicked(bool pressed);

private:
    QCheckBox* includeFinished_;
    QComboBox* field_;
    QLineEdit* text_;
    QPushButton* advanced_;
    QToolButton* navToggle_;
};
