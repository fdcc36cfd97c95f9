// The editor sends a picture to the trash only after asking, as every
// delete does.
#include "editor/forms/form2.h"
#include "platform/seam.h"
#include "support/temp_tree.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

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
