#include "FrmImageDisp.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "MessageService.h"
#include "PictureStore.h"

namespace {

// Paints the picture stretched to the widget's size; only the exposed part is
// drawn, so a photo at 1000% costs no more than at 100%.
class PictureView : public QWidget {
public:
    explicit PictureView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (image_.isNull()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), image_);
    }

private:
    const QImage& image_;
};

constexpr double kFactors[] = {0.05, 0.07, 0.1, 0.15, 0.2, 0.3, 0.5, 0.7, 1, 1.5, 2, 3, 5, 7, 10};
constexpr int kActualSize = 9;

}  // namespace

TfrmImageDisp::TfrmImageDisp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmImageDisp"));
    setWindowTitle(QStringLiteral("图像显示"));

    menu_ = new QMenuBar(this);
    toolBar_ = new QToolBar(this);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("ScrollBox1"));
    area_->setAlignment(Qt::AlignCenter);
    area_->setFocusPolicy(Qt::NoFocus);
    area_->setStyleSheet(QStringLiteral("QScrollArea { background: black; }"));
    area_->viewport()->setStyleSheet(QStringLiteral("background: black;"));
    view_ = new PictureView(picture_, area_);
    view_->setObjectName(QStringLiteral("Image1"));
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    area_->setWidget(view_);
    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        status_->addWidget(panels_[i], i == 1 ? 1 : 0);
    }

    auto* edit = menu_->addMenu(QStringLiteral("编辑"));
    auto* zoom = menu_->addMenu(QStringLiteral("缩放"));
    QAction* load = addCommand(QStringLiteral("actLoad"), QStringLiteral("载入"), &TfrmImageDisp::load);
    QAction* output =
        addCommand(QStringLiteral("actExport"), QStringLiteral("输出"), &TfrmImageDisp::exportPicture);
    QAction* clear = addCommand(QStringLiteral("actClear"), QStringLiteral("清空"), &TfrmImageDisp::clear);
    zoomIn_ = addCommand(QStringLiteral("actZoomIn"), QStringLiteral("放大"), &TfrmImageDisp::zoomIn);
    zoomOut_ = addCommand(QStringLiteral("actZoomOut"), QStringLiteral("缩小"), &TfrmImageDisp::zoomOut);
    QAction* actual =
        addCommand(QStringLiteral("actActualSize"), QStringLiteral("原始尺寸"), &TfrmImageDisp::actualSize);
    actual->setIconText(QStringLiteral("原始"));
    QAction* full =
        addCommand(QStringLiteral("actFullScreen"), QStringLiteral("全屏"), &TfrmImageDisp::enterFullScreen);
    QAction* save = addCommand(QStringLiteral("actSave"), QStringLiteral("保存"), &TfrmImageDisp::accept);
    QAction* cancel = addCommand(QStringLiteral("actCancel"), QStringLiteral("取消"), &TfrmImageDisp::reject);
    edit->addActions({load, output, clear, save, cancel});
    zoom->addActions({zoomIn_, zoomOut_, actual, full});
    // The menu's own "退出" closes the window as its frame does.
    menu_->addAction(QStringLiteral("退出"), this, &QDialog::reject);
    toolBar_->addActions({load, output, clear});
    toolBar_->addSeparator();
    toolBar_->addActions({zoomIn_, zoomOut_, actual, full});
    toolBar_->addSeparator();
    toolBar_->addActions({save, cancel});
    view_->addActions({load, output, clear, zoomIn_, zoomOut_, actual, full, save, cancel});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu_);
    layout->addWidget(toolBar_);
    layout->addWidget(area_, 1);
    layout->addWidget(status_);

    const QRect screen = this->screen()->availableGeometry();
    resize(screen.width(), std::max(200, screen.height() - 30));
    setLevel(kActualSize);
}

QAction* TfrmImageDisp::addCommand(const QString& name, const QString& text, void (TfrmImageDisp::*slot)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

double TfrmImageDisp::zoomFactor(int level) { return kFactors[std::clamp(level, 1, 15) - 1]; }

QString TfrmImageDisp::run(const QString& name) {
    open(name);
    return exec() == QDialog::Accepted ? pictureName_ : name;
}

void TfrmImageDisp::open(const QString& name) {
    pictureName_ = name;
    if (!name.trimmed().isEmpty() && QFileInfo(name).isFile()) loadFile(name);
    updateStatus();
}

void TfrmImageDisp::setPicture(const QImage& picture) {
    picture_ = picture;
    setLevel(kActualSize);
}

bool TfrmImageDisp::loadFile(const QString& path) {
    const QImage image = PictureStore::readFile(path);
    if (image.isNull()) {
        ShowMess(QStringLiteral("读取文件：") + path + QStringLiteral("时发生错误！\n") +
                     QStringLiteral("该文件不是标准格式的文件，或者该文件已经被损坏！"),
                 MessageService::Error);
        return false;
    }
    pictureName_ = path;
    setPicture(image);
    return true;
}

void TfrmImageDisp::load() {
    const QString path = messageService().chooseOpenFile(
        QStringLiteral("载入"), QString(),
        QStringLiteral("Image Files (*.bmp *.jpg *.jpeg *.gif *.png);;Bitmap Files (*.jpg *.jpeg);;"
                       "Bitmap Files (*.gif);;Bitmap Files (*.bmp);;Bitmap Files (*.png)"));
    if (!path.isEmpty()) loadFile(path);
}

void TfrmImageDisp::exportPicture() {
    if (picture_.isNull()) return;
    QString path = messageService().chooseSaveFile(
        QStringLiteral("输出"), QFileInfo(pictureName_).completeBaseName(),
        QStringLiteral("Bitmap Files (*.jpg *.jpeg);;Bitmap Files (*.bmp)"));
    if (path.isEmpty()) return;
    // Pictures are written as JPEG or bitmap only (GIF cannot be written); the
    // name's own ending picks the bitmap form, everything else becomes ".jpg".
    const QFileInfo info(path);
    const bool bitmap = info.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
    path = info.dir().filePath(info.completeBaseName() + (bitmap ? QStringLiteral(".bmp") : QStringLiteral(".jpg")));
    if (!picture_.save(path, bitmap ? "BMP" : "JPG"))
        ShowMess(QStringLiteral("写入文件：") + path + QStringLiteral("时发生错误！"), MessageService::Error);
}

void TfrmImageDisp::clear() {
    picture_ = QImage();
    pictureName_.clear();
    setLevel(kActualSize);
}

void TfrmImageDisp::zoomIn() { setLevel(level_ + 1); }
void TfrmImageDisp::zoomOut() { setLevel(level_ - 1); }
void TfrmImageDisp::actualSize() { setLevel(kActualSize); }

void TfrmImageDisp::enterFullScreen() {
    menu_->hide();
    toolBar_->hide();
    status_->hide();
    layout()->setContentsMargins(2, 2, 2, 2);
    fullScreen_ = true;
    showFullScreen();
    setLevel(kActualSize);
}

void TfrmImageDisp::leaveFullScreen() {
    menu_->show();
    toolBar_->show();
    status_->show();
    layout()->setContentsMargins(0, 0, 0, 0);
    fullScreen_ = false;
    showNormal();
    setLevel(kActualSize);
}

void TfrmImageDisp::setLevel(int level) {
    level_ = std::clamp(level, 1, 15);
    const double factor = zoomFactor(level_);
    view_->resize(int(std::lround(picture_.width() * factor)), int(std::lround(picture_.height() * factor)));
    view_->update();
    zoomIn_->setEnabled(level_ < 15);
    zoomOut_->setEnabled(level_ > 1);
    updateStatus();
}

void TfrmImageDisp::updateStatus() {
    panels_[1]->setText(pictureName_);
    panels_[2]->setText(QStringLiteral("%1x%2").arg(picture_.width()).arg(picture_.height()));
    panels_[3]->setText(QStringLiteral("%1%").arg(std::lround(zoomFactor(level_) * 100)));
}

void TfrmImageDisp::keyPressEvent(QKeyEvent* event) {
    QScrollBar* h = area_->horizontalScrollBar();
    QScrollBar* v = area_->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Left: h->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: h->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_Up: v->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Down: v->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_PageUp: v->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case Qt::Key_PageDown: v->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case Qt::Key_Space:
    case Qt::Key_Backspace:
    case Qt::Key_Slash: actualSize(); break;
    case Qt::Key_Escape:
        if (fullScreen_) leaveFullScreen();
        break;
    default: QDialog::keyPressEvent(event); return;
    }
    event->accept();
}
