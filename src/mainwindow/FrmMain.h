#pragma once

#include <QMainWindow>

class TdmData;

// The window the office works in all day. Closing it asks first and may offer
// the automatic backup.
class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(TdmData& dm, QWidget* parent = nullptr);

    static QString programTitle() { return QStringLiteral("Velmor驾校学员管理软件 "); }
    static QString versionText() { return QStringLiteral("v1.80(企业版) "); }

    TdmData& dm() { return dm_; }
    int backupMode() const { return backupMode_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TdmData& dm_;
    int backupMode_ = 0;
    bool shownOnce_ = false;
};
