#pragma once
// A page folder with an image block over a fresh page model, the seam in
// test mode, and pictures of given sizes written into the temporary tree.

#include "editor/image_block.h"
#include "support/write_bounds.h"
#include "platform/picture.h"
#include "platform/seam.h"
#include "support/temp_tree.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setTestMode(true);
        ASSERT_TRUE(tree.isValid());
        folder = tree.mkdir(QStringLiteral("class1"));
        page = folder + QStringLiteral("/1010_apple.html");
        m.PageFolder = folder;
        m.WriteBounds = tempBounds();
        block = std::make_unique<editor::ImageBlock>(editor::ImageBlock{m, v, page, [this] { ++syncs; }, {}, nullptr});
    }
    void TearDown() override { platform::setTestMode(false); }

    // A picture of one colour at tree-relative `relative`; its full path.
    QString picture(const QString& relative, int w, int h, QColor colour = Qt::red) const
    {
        QImage image(w, h, QImage::Format_RGB888);
        image.fill(colour);
        const QString path = tree.path(relative);
        tree.mkdir(QFileInfo(relative).path());
        return platform::savePicture(image, path, 90, tempBounds()) ? path : QString();
    }
    // Events of one kind recorded by the seam.
    QList<platform::SeamEvent> seamEvents(const QString& kind) const
    {
        QList<platform::SeamEvent> found;
        for (const auto& e : platform::events())
            if (e.kind == kind)
                found.append(e);
        return found;
    }

    TempTree tree;
    QString folder;
    QString page;
    store::PageModel m;
    editor::ImageView v;
    int syncs = 0;
    std::unique_ptr<editor::ImageBlock> block;
};
