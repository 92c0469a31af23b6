#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <optional>

#include "FrmOperLogin.h"
#include "Report.h"
#include "TraineeListAccess.h"
#include "TraineeQuery.h"

class DataGrid;
class DetailPanes;
class NavigationPanel;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class SearchBar;
class TdmData;

// The window the office works in all day: the trainee list with its search bar,
// navigation panel and the detail panes of the current trainee, and every
// command of the program in menus, tool bar and pop-up menus; the operator's
// permissions decide which commands are shown. Closing it asks first and may
// offer the automatic backup.
class TFrmMain : public QMainWindow, public TraineeListAccess {
    Q_OBJECT
public:
    explicit TFrmMain(TdmData& dm, QWidget* parent = nullptr);
    ~TFrmMain() override;

    static QString programTitle() { return QStringLiteral("Velmor驾校学员管理软件 "); }
    static QString versionText() { return QStringLiteral("v1.80(企业版) "); }

    TdmData& dm() { return dm_; }
    int backupMode() const { return backupMode_; }

    // The command or menu entry by objectName, nullptr when there is none.
    QAction* command(const QString& name) const { return commands_.value(name); }
    QMenu* topMenu(const QString& name) const { return menus_.value(name); }
    // Puts the named commands on a menu or bar in order; "-" is a separator.
    void addCommands(QWidget* target, const QStringList& entries) const;

    // Shows the login window; true when an operator logged in. A first login
    // that fails or is cancelled returns false: the program must end.
    bool login(TfrmOperLogin::Mode mode);
    // Shows the commands the current operator may use and hides the rest.
    void SetLimits();

    // The trainee query from the search bar, filters and navigation list.
    void runTraineeQuery();
    DataGrid* traineeGrid() const { return trainees_; }
    DetailPanes* detailPanes() const { return panes_; }
    int traineeCount() const;
    void focusTraineeGrid();
    // The statement the trainee list shows now.
    const SqlStatement& traineeStatement() const { return statement_; }

    // The trainee query dialog answers the "高级查找..." toggle with a statement
    // (ending in a blank, without order) or nothing.
    using AdvancedSearch = std::function<std::optional<SqlStatement>()>;
    void setAdvancedSearch(AdvancedSearch dialog) { advancedSearch_ = std::move(dialog); }

    // TraineeListAccess, for the trainee editor.
    qint64 currentTraineeId() override;
    bool moveTo(Navigation to) override;
    void reloadAndShow(const QString& name) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createCommands();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createCentre();
    void connectCommands();
    void openTrainees(const SqlStatement& statement);
    void updateCount();
    void advancedClicked(bool pressed);
    void relogin();
    bool runIfVisible(const QString& name);

    void changePassword();
    void manageOperators();
    void editTrainee(int mode);
    void deleteTrainee();
    void saveTraineeLayout();
    void chooseDatabaseFolder();
    void compactDatabase();
    void startTool(const QStringList& programs, const QString& missing);
    void openReadme();

    TdmData& dm_;
    int backupMode_ = 0;
    bool shownOnce_ = false;
    QHash<QString, QAction*> commands_;
    QHash<QString, QMenu*> menus_;

    SearchBar* search_ = nullptr;
    NavigationPanel* navigation_ = nullptr;
    DataGrid* trainees_ = nullptr;
    QLabel* count_ = nullptr;
    DetailPanes* panes_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* statusPanels_[5] = {};
    SqlStatement statement_;
    bool advancedActive_ = false;
    AdvancedSearch advancedSearch_;
    Report report_;
};
