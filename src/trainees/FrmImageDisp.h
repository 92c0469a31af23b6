#pragma once

#include <QDialog>
#include <QImage>

class QAction;
class QLabel;
class QMenuBar;
class QScrollArea;
class QStatusBar;
class QToolBar;

// The picture window of the trainee, staff and vehicle editors: the editor
// copies its picture in, the user loads, looks at, exports or clears it, and
// "保存" hands the picture name back. The window stores nothing itself; the
// editor stores the picture with its own record.
class TfrmImageDisp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImageDisp(QWidget* parent = nullptr);

    // The editors' one call: remembers the name, loads its file when there is
    // one, shows the window modally and returns the window's picture name after
    // "保存", the given name otherwise.
    QString run(const QString& name);
    // run() without the modal loop, for callers that show the window themselves.
    void open(const QString& name);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    QString pictureName() const { return pictureName_; }
    int zoomLevel() const { return level_; }
    bool isFullScreenView() const { return fullScreen_; }

    // Levels 1-15; 9 is actual size.
    static double zoomFactor(int level);
    // Reads the file into the window; a file that cannot be read is reported and changes nothing.
    bool loadFile(const QString& path);

    void load();
    void exportPicture();
    void clear();
    void zoomIn();
    void zoomOut();
    void actualSize();
    void enterFullScreen();
    void leaveFullScreen();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* addCommand(const QString& name, const QString& text, void (TfrmImageDisp::*slot)());
    void setLevel(int level);
    void updateStatus();

    QString pictureName_;
    QImage picture_;
    int level_ = 9;
    bool fullScreen_ = false;

    QMenuBar* menu_;
    QToolBar* toolBar_;
    QScrollArea* area_;
    QWidget* view_;
    QStatusBar* status_;
    QLabel* panels_[4];
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
};
