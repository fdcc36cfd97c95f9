// How the page editor window's controls reach their handlers.
#include "editor/editor_window_bind.h"
#include "editor/forms/form2.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QShowEvent>

QString TForm2::currentFolder() const
{
    if (!page.PageFolder.isEmpty())
        return page.PageFolder;
    const QString path = pagePath();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

void TForm2::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TForm2::closeEvent(QCloseEvent* e)
{
    // The close box goes the way of Escape: reject() and its question.
    QDialog::closeEvent(e);
}

void TForm2::bindHandlers()
{
    using editor::onLeftClick;
    bindTextFields();
    bindImageButtons();

    onLeftClick(SpeedButton28, [this] { SpeedButton28Click(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_)
            page.CheckBox1 = on;
        CheckBox1Click();
    });
    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_)
            page.CheckBox2 = on;
        CheckBox2Click();
    });

    // Alignment rows act on the release of either button.
    const std::array<platform::SpeedButton*, 6> rows = {SpeedButton4, SpeedButton5, SpeedButton6,
                                                        SpeedButton7, SpeedButton8, SpeedButton9};
    for (int i = 0; i < 6; ++i) {
        const int button = 4 + i;
        rows[size_t(i)]->onMouseUp = [this, button](const platform::MouseArgs&) {
            if (button <= 6)
                alignHeading(button);
            else
                alignSubheading(button);
        };
    }
    onLeftClick(SpeedButton19, [this] { SpeedButton19Click(); });
    onLeftClick(SpeedButton20, [this] { SpeedButton20Click(); });
    onLeftClick(SpeedButton21, [this] { SpeedButton21Click(); });
    onLeftClick(SpeedButton22, [this] { SpeedButton22Click(); });

    BitBtn4->onClick = [this] { BitBtn4Click(); };
    BitBtn1->onClick = [this] { BitBtn1Click(); };
    BitBtn2->onClick = [this] { BitBtn2Click(); };
    onLeftClick(SpeedButton36, [this] { Button1Click(); });
    onLeftClick(SpeedButton35, [this] { Button2Click(); });
    onLeftClick(SpeedButton38, [this] { SpeedButton38Click(); });
    onLeftClick(SpeedButton13, [this] { setPageStyle(4); });
    onLeftClick(SpeedButton18, [this] { setPageStyle(3); });
    onLeftClick(SpeedButton14, [this] { setPageStyle(2); });
    onLeftClick(SpeedButton15, [this] { setPageStyle(1); });

    for (QWidget* host : {static_cast<QWidget*>(Panel11), static_cast<QWidget*>(Panel12),
                          static_cast<QWidget*>(Panel4), static_cast<QWidget*>(Panel17)})
        editor::layoutMemos(host);
}
