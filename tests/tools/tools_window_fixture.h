#pragma once
// A shown main window over a temporary data root, with browser stand-ins and
// the test-mode seam, for the tests of the tool windows and commands.

#include "support/seam_texts.h"
#include "viewer/main_window_fixture.h"

#include "platform/controls.h"
#include "store/text.h"
#include "support/fake_browser.h"
#include "viewer/later_windows.h"

#include <QCoreApplication>
#include <QUrl>

class ToolsWindowTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        laterwindows::hooks() = {};
        MainWindowTest::TearDown();
    }

    QString inRoot(const QString& name) const { return files::joinPath(root(), name); }
    void put(const QString& name, const QByteArray& bytes = QByteArray("x")) { writeFile(inRoot(name), bytes); }
    QByteArray read(const QString& name) const
    {
        QFile f(inRoot(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool exists(const QString& name) const { return QFileInfo::exists(inRoot(name)); }

    // A page in the layout the program writes, with a title and a body.
    static QByteArray page(const QString& title, const QString& body = QString())
    {
        return QStringLiteral("\uFEFF<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                              "<HTML>\r\n<HEAD>\r\n<TITLE>%1</TITLE>\r\n</HEAD>\r\n<BODY>%2</BODY>\r\n</HTML>\r\n")
            .arg(title, body)
            .toUtf8();
    }

    // Opens the data root as the first level and shows its first page.
    TForm1& shown()
    {
        TForm1& w = make();
        w.FormShow();
        platform::clearEvents();
        return w;
    }
    platform::FakeBrowser* mainView() const { return static_cast<platform::FakeBrowser*>(window->WebBrowser1); }
    QStringList seamTexts(const QString& kind) const { return ::seamTexts(kind); }
};
