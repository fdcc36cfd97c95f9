#pragma once
// A started main window over a temporary data root, for the page display,
// page buttons, patrol and way-home tests: pages are written in the page
// layout, the browser is the stand-in, and helpers read what it was asked.

#include "viewer/main_window_fixture.h"

#include "support/fake_browser.h"

#include <QDateTime>
#include <QUrl>

class PageDisplayTest : public MainWindowTest {
protected:
    static QByteArray page(const QString& title)
    {
        return ("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD><TITLE>"
                + title + "</TITLE></HEAD><BODY></BODY></HTML>\r\n").toUtf8();
    }
    QString rootFile(const QString& name) const { return files::joinPath(root(), name); }
    void writePage(const QString& name, const QString& title) { writeFile(rootFile(name), page(title)); }
    static void setModified(const QString& path, const QDateTime& t)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
    }

    TForm1& start()
    {
        TForm1& w = make();
        w.FormShow();
        return w;
    }
    // Selects page i and shows it, as a page command does.
    static void showPage(TForm1& w, int i)
    {
        w.PBanSave(i);
        w.PageClick(0, true);
    }
    platform::FakeBrowser* browser() const { return qobject_cast<platform::FakeBrowser*>(window->WebBrowser1); }
    QString lastNavigation() const { return browser()->navigated().value(browser()->navigated().size() - 1); }
    int count(const QString& kind) const
    {
        int n = 0;
        for (const auto& c : browser()->calls)
            n += c.kind == kind;
        return n;
    }
    static QString fileUrl(const QString& path) { return QUrl::fromLocalFile(path).toString(); }
};
