// The markup buttons bound to the editor window, and the ruby and link
// dialogs: real widgets, offscreen. A dialog run for real is answered by a
// timer that works it as a user would.
#include "editor/forms/form13.h"
#include "editor/forms/form15.h"
#include "editor/forms/form2.h"
#include "editor/markup_buttons.h"
#include "editor/markup_insert.h"
#include "platform/seam.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextCursor>
#include <QTimer>
#include <gtest/gtest.h>

using namespace editor;

namespace {

class MarkupWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setTestMode(true);
        form = std::make_unique<TForm2>();
        bindMarkupButtons(*form);
    }
    void TearDown() override { platform::setTestMode(false); }

    // text into the memo, [start, start + length) selected, the mark on it.
    void prepare(EditorMemo* memo, const QString& text, int start, int length)
    {
        memo->setText(text);
        QTextCursor c = memo->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        memo->setTextCursor(c);
        memo->setTag(1);
    }

    // Runs a dialog for real (test mode off) while `user` works it from a timer.
    template <class Run>
    void asUser(const std::function<void(QWidget*)>& user, Run run)
    {
        platform::setTestMode(false);
        QTimer::singleShot(0, [user] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            user(modal);
        });
        // Should the user step fail, the dialog must still end.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        guard.start(5000);
        run();
        platform::setTestMode(true);
    }

    std::unique_ptr<TForm2> form;
};

} // namespace

TEST_F(MarkupWindowTest, WrapButtonsChangeOnlyTheMarkedMemosSelection)
{
    prepare(form->Memo4, QStringLiteral("in Tokyo now"), 3, 5);
    form->Memo1->setText(QStringLiteral("other"));
    form->SpeedButton24->click();
    EXPECT_EQ(form->Memo4->text(), QStringLiteral("in <font color=\"#ff0000\">Tokyo</font> now"));
    EXPECT_EQ(form->Memo1->text(), QStringLiteral("other"));
    EXPECT_TRUE(form->Memo4->selText().isEmpty());

    // Several lines and a non-breaking space come back as they were.
    const QString text = QStringLiteral("a\u00A0b\r\nline2\r\nend");
    prepare(form->Memo2, text, 0, 9);
    form->Memo4->setTag(0);
    form->SpeedButton25->click();
    EXPECT_EQ(form->Memo2->text(), QStringLiteral("<u>a\u00A0b\r\nline2</u>\r\nend"));

    form->Memo2->setTag(0);
    prepare(form->Memo5, QStringLiteral("x"), 0, 1);
    form->Memo5->setTag(0);  // the focus went to an edit field
    form->SpeedButton32->click();
    EXPECT_EQ(form->Memo5->text(), QStringLiteral("x"));
}

TEST_F(MarkupWindowTest, RubyFromTheDialogOkOnlyAndTheSelectionSurvivesIt)
{
    prepare(form->Memo1, QStringLiteral("東京へ"), 0, 2);
    asUser(
        [](QWidget* w) {
            auto* dialog = qobject_cast<TForm13*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->Label1->caption(), QStringLiteral("東京"));
            dialog->Edit1->setText(QStringLiteral("とうきょう"));
            dialog->SpeedButton1->click();
        },
        [&] { form->SpeedButton31->click(); });
    EXPECT_EQ(form->Memo1->text(), QStringLiteral("<ruby>東京<rt>とうきょう</ruby>へ"));

    // Typed, then the close box: nothing.
    prepare(form->Memo1, QStringLiteral("東京へ"), 0, 2);
    asUser(
        [](QWidget* w) {
            qobject_cast<TForm13*>(w)->Edit1->setText(QStringLiteral("とう"));
            w->close();
        },
        [&] { form->SpeedButton31->click(); });
    EXPECT_EQ(form->Memo1->text(), QStringLiteral("東京へ"));
}

TEST_F(MarkupWindowTest, LinkFromTheDialogAndNothingAfterItsCloseBox)
{
    TForm15 dialog;
    Form15 = &dialog;
    prepare(form->Memo2, QStringLiteral("see"), 0, 3);
    asUser(
        [](QWidget* w) {
            auto* d = qobject_cast<TForm15*>(w);
            ASSERT_NE(d, nullptr);
            d->Edit1->setText(QStringLiteral("/docs/plan.pdf"));
            d->BitBtn1->click();
        },
        [&] { form->SpeedButton16->click(); });
    EXPECT_EQ(form->Memo2->text(), QStringLiteral("<A href=\"/docs/plan.pdf\">plan.pdfへのリンク</A>see"));
    EXPECT_EQ(dialog.caption(), QStringLiteral("/docs/plan.pdf"));

    // The target stays offered, but the close box inserts nothing.
    prepare(form->Memo2, QStringLiteral("again"), 5, 0);
    asUser(
        [](QWidget* w) {
            EXPECT_EQ(qobject_cast<TForm15*>(w)->Edit1->text(), QStringLiteral("/docs/plan.pdf"));
            w->close();
        },
        [&] { form->SpeedButton16->click(); });
    EXPECT_EQ(form->Memo2->text(), QStringLiteral("again"));
    EXPECT_TRUE(dialog.caption().isEmpty());

    // Answered in advance: OK with the kept target.
    platform::setNextModalResult(QDialog::Accepted);
    form->SpeedButton16->click();
    EXPECT_EQ(form->Memo2->text(), QStringLiteral("again<A href=\"/docs/plan.pdf\">plan.pdfへのリンク</A>"));
    Form15 = nullptr;
}

TEST(MarkupDialogs, RubyDialogLooksAndClears)
{
    platform::setTestMode(true);
    TForm13 dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ルビふり"));
    EXPECT_EQ(dialog.size(), QSize(515, 86));
    EXPECT_EQ(dialog.Label1->font().pixelSize(), 32);
    dialog.Edit1->setText(QStringLiteral("x"));
    platform::setNextModalResult(QDialog::Rejected);
    EXPECT_EQ(dialog.askReading(QStringLiteral("漢字")), QString());
    EXPECT_EQ(dialog.Label1->caption(), QStringLiteral("漢字"));
    dialog.Edit1->setText(QStringLiteral("かんじ"));
    dialog.SpeedButton2Click();
    EXPECT_TRUE(dialog.Edit1->text().isEmpty());
    platform::setTestMode(false);
}

TEST(MarkupDialogs, LinkDialogBrowsesThroughTheSeam)
{
    platform::setTestMode(true);
    TForm15 dialog;
    EXPECT_TRUE(dialog.windowTitle().isEmpty());
    EXPECT_EQ(dialog.Label1->caption(), QStringLiteral("リンク"));
    platform::setNextFileName(QStringLiteral("/srv/docs/a.pdf"));
    dialog.SpeedButton1->click();
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("/srv/docs/a.pdf"));
    dialog.SpeedButton1->click();  // cancelled: the target stays
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("/srv/docs/a.pdf"));
    dialog.BitBtn1Click();
    EXPECT_EQ(dialog.caption(), QStringLiteral("/srv/docs/a.pdf"));
    dialog.BitBtn2Click();
    EXPECT_TRUE(dialog.caption().isEmpty());
    platform::setNextModalResult(QDialog::Rejected);
    EXPECT_EQ(dialog.askTarget(), QString());
    platform::setTestMode(false);
}

TEST_F(MarkupWindowTest, TheRunLongDialogsOpenOverTheEditor)
{
    // The program makes them once, before the editor has an owner to give.
    TForm13 ruby;
    TForm15 link;
    Form13 = &ruby;
    Form15 = &link;
    form->resize(1000, 700);
    form->move(300, 200);
    form->show();
    const QPoint centre = form->geometry().center();
    QPoint rubyCentre, linkCentre;
    prepare(form->Memo1, QStringLiteral("東京へ"), 0, 2);
    asUser([&](QWidget* w) { rubyCentre = w->geometry().center(); w->close(); },
           [&] { form->SpeedButton31->click(); });
    prepare(form->Memo1, QStringLiteral("東京へ"), 0, 2);
    asUser([&](QWidget* w) { linkCentre = w->geometry().center(); w->close(); },
           [&] { form->SpeedButton16->click(); });
    Form13 = nullptr;
    Form15 = nullptr;
    form->hide();
    EXPECT_LE((rubyCentre - centre).manhattanLength(), 8);
    EXPECT_LE((linkCentre - centre).manhattanLength(), 8);
}
