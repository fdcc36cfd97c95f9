#pragma once
// The full-screen picture viewer: one picture on black, fitted to the
// screen with its proportions kept. A key or a click closes it. It opens
// through the seam as a modal window.

#include <QDialog>
#include <QPixmap>
#include <QString>

namespace tools {

class PictureViewer : public QDialog {
    Q_OBJECT
public:
    explicit PictureViewer(const QPixmap& picture, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QPixmap picture_;
};

// Shows the picture at path full screen; says so when there is none to show.
void ShowPictureFullScreen(const QString& path);

} // namespace tools
