#pragma once

#include <QWidget>

class QLabel;

// The start-up window: borderless, centred, a picture with the program's name
// and one status line near its lower left edge.
class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    // Sets the status line and paints it at once (the event loop is not running yet).
    void setStatus(const QString& text);
    QString status() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* status_;
};
