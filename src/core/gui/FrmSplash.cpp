#include "FrmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

TfrmSplash::TfrmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("TfrmSplash"));
    setFixedSize(480, 280);
    status_ = new QLabel(QStringLiteral("系统正在启动，请稍候 ....."), this);
    status_->setObjectName(QStringLiteral("lblStatus"));
    status_->setGeometry(18, height() - 36, width() - 36, 22);
    status_->setStyleSheet(QStringLiteral("color: white;"));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TfrmSplash::setStatus(const QString& text) {
    status_->setText(text);
    status_->repaint();
    repaint();
}

QString TfrmSplash::status() const { return status_->text(); }

void TfrmSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    sky.setColorAt(1, QColor(0x0d, 0x2a, 0x4f));
    p.fillRect(rect(), sky);
    // A road running into the distance.
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x3a, 0x3f, 0x47));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(width() / 2 - 12, 120), QPoint(width() / 2 + 12, 120), QPoint(width() - 60, height()),
                            QPoint(60, height())}));
    p.setPen(QPen(QColor(0xf2, 0xc9, 0x4c), 3, Qt::DashLine));
    p.drawLine(width() / 2, 124, width() / 2, height());
    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(20);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 30, width(), 40), Qt::AlignCenter, QStringLiteral("Velmor驾校学员管理软件"));
    QFont sub = font();
    sub.setPointSize(10);
    p.setFont(sub);
    p.drawText(QRect(0, 72, width(), 24), Qt::AlignCenter, QStringLiteral("v1.80(企业版)"));
}
