// The editor sends a picture to the trash only after asking, as every
// delete does.
#include "editor/forms/form2.h"
#include "editor/image_buttons.h"
#include "platform/seam.h"
#include "support/temp_tree.h"

#include <QFile>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

TEST(EditorTrash, AsksOnceAndOnlyYesSendsTheFileToTheTrash)
{
    platform::setTestMode(true);
    platform::clearEvents();
    TempTree t;
    const QString picture = t.write("花.png", "png");
    auto main = std::make_unique<QWidget>();
    TForm2* form = new TForm2(main.get());
    platform::setNextAnswer(platform::Answer::No);
    EXPECT_EQ(form->gomi(picture), editor::TrashOutcome::Declined);
    EXPECT_TRUE(t.exists("花.png"));
    ASSERT_EQ(platform::events().size(), 1);
    EXPECT_EQ(platform::events().first().kind, "ask");
    EXPECT_TRUE(platform::events().first().text.contains(picture));
    platform::setNextAnswer(platform::Answer::Yes);
    EXPECT_EQ(form->gomi(picture), editor::TrashOutcome::Moved);
    EXPECT_FALSE(t.exists("花.png"));
    // A yes for a file the trash cannot take is a refusal, not the user's no.
    platform::setNextAnswer(platform::Answer::Yes);
    EXPECT_EQ(form->gomi(t.path("missing.png")), editor::TrashOutcome::Refused);
    platform::setTestMode(false);
}

// The picture's right click through the window: a no keeps the picture and
// says nothing more; a yes the trash cannot honour names the file.
TEST(EditorTrash, ANoToThePicturesTrashEndsQuietly)
{
    platform::setTestMode(true);
    platform::clearEvents();
    TempTree t;
    const QString picture = t.write("class1/花.png", "not decodable, but a file");
    auto main = std::make_unique<QWidget>();
    TForm2* form = new TForm2(main.get());
    form->page.PageFolder = t.path("class1");
    form->page.Gname = QStringLiteral("花.png");
    editor::ImageBlock block = form->imageBlock();
    platform::setNextAnswer(platform::Answer::No);
    editor::loadButtonUp(block, true);
    EXPECT_TRUE(t.exists("class1/花.png"));
    EXPECT_EQ(form->page.Gname, QStringLiteral("花.png"));
    ASSERT_EQ(platform::events().size(), 1);
    EXPECT_EQ(platform::events().first().kind, "ask");

    // A yes that the trash refuses (the folder may not be written) is named.
    platform::clearEvents();
    ASSERT_TRUE(QFile::setPermissions(t.path("class1"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    platform::setNextAnswer(platform::Answer::Yes);
    editor::loadButtonUp(block, true);
    QFile::setPermissions(t.path("class1"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (::geteuid() != 0) { // root may move it all the same
        EXPECT_TRUE(t.exists("class1/花.png"));
        ASSERT_EQ(platform::events().size(), 2);
        EXPECT_EQ(platform::events().last().kind, "message");
        EXPECT_TRUE(platform::events().last().text.contains(picture));
    }
    platform::setTestMode(false);
}
