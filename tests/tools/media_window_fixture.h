#pragma once
// A main window bound to the classroom media, with the memo window and the
// presentation mask made for the test and gone after it.

#include "viewer/page_display_fixture.h"

#include "tools/forms/form11.h"
#include "tools/forms/form12.h"
#include "tools/media_bindings.h"
#include "viewer/later_windows.h"

class MediaWindowTest : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        Form11 = new TForm11();
        Form12 = new TForm12();
        laterwindows::hooks().memoWindow = Form12;
    }
    void TearDown() override
    {
        laterwindows::hooks() = laterwindows::Hooks();
        PageDisplayTest::TearDown();
        delete Form12;
        delete Form11;
        Form12 = nullptr;
        Form11 = nullptr;
    }
    TForm1& startBound()
    {
        TForm1& w = make();
        tools::bindMedia(w);
        w.FormShow();
        return w;
    }
};
