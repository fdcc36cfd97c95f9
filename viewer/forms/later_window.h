#pragma once
// A window whose own code has not landed yet: a plain empty window with its
// object name "Form" + number, and a caption that stays empty when the
// window's caption carries data.

#include <QString>
#include <QWidget>

template <int Number, bool CaptionCarriesData = false>
class LaterWindow : public QWidget {
public:
    explicit LaterWindow(QWidget* parent = nullptr) : QWidget(parent, Qt::Window)
    {
        setObjectName(QStringLiteral("Form%1").arg(Number));
        if (!CaptionCarriesData)
            setWindowTitle(objectName());
    }
};
