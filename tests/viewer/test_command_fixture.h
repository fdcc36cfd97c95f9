#pragma once
// A shown main window over a data root with three pages, for the tests of
// the page commands, link interception and page loads.

#include "support/seam_texts.h"
#include "main_window_fixture.h"

#include "platform/controls.h"
#include "support/fake_browser.h"
#include "viewer/later_windows.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QUrl>

class PageCommandTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        laterwindows::hooks() = {};
        MainWindowTest::TearDown();
    }

    // The data root holds 0010_a, 0020_b, 0030_c and a folder "sub" with one page.
    TForm1& shown()
    {
        for (const char* name : {"0010_a.html", "0020_b.html", "0030_c.html"})
            writeFile(files::joinPath(root(), QString::fromLatin1(name)), "<html><body>page</body></html>");
        writeFile(files::joinPath(root(), QStringLiteral("sub/0010_s.html")), "<html></html>");
        TForm1& w = make();
        w.FormShow();
        platform::clearEvents();
        return w;
    }
    platform::FakeBrowser* page() const { return static_cast<platform::FakeBrowser*>(window->WebBrowser1); }
    platform::FakeBrowser* lower() const { return static_cast<platform::FakeBrowser*>(window->WebBrowser2); }
    QString inRoot(const QString& name) const { return files::joinPath(root(), name); }
    QString fileUrl(const QString& name) const { return QUrl::fromLocalFile(inRoot(name)).toString(); }
    // A command link as the handler receives it from a page in the root.
    QString commandUrl(const QString& commands) const { return "file://" + root() + "/$" + commands; }
    // Raises a click on url in a local page and lets the queued command run.
    bool click(const QString& url, const QString& source = QString())
    {
        const QString from = source.isEmpty() ? fileUrl(QStringLiteral("0010_a.html")) : source;
        const bool cancelled = page()->raiseNavigation(url, from);
        QCoreApplication::processEvents();
        return cancelled;
    }
    QStringList seamEvents(const QString& kind) const { return ::seamTexts(kind); }
    static QString desktop() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }
    QString flashText() const { return window->Pmathu->caption(); }
};
