#include "app/startup_env.h"

#include "editor/main_window_bindings.h"
#include "tools/main_window_bindings.h"
#include "tools/media_bindings.h"
#include "viewer/forms/form8.h"
#include "app/other_forms.h"
#include "viewer/main_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <QStringList>

namespace app {

QByteArray chooseQpaPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                             const QByteArray& display)
{
    if (!qpaPlatform.isEmpty())
        return QByteArray();
    if (!waylandDisplay.isEmpty() && !display.isEmpty())
        return QByteArrayLiteral("xcb");
    return QByteArray();
}

void prepareWindowSystem()
{
    const QByteArray choice = chooseQpaPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!choice.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice);
}

void prepareEnvironment()
{
    prepareWindowSystem();
    tools::chooseMediaBackend();
}

// "ＭＳ ゴシック" is fixed-width: captions padded with blanks line up only in
// a fixed-width face. "ＭＳ Ｐゴシック" is its proportional sister.
void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
}

void installQtTranslations()
{
    static QTranslator* installed = nullptr;
    if (installed)
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

TForm8* showSplash()
{
    auto* splash = new TForm8();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();
    return splash;
}

TForm1* createWindows(const QStringList& commandLineFiles, const QString& exePath)
{
    auto* main = new TForm1(exePath);
    // Names relative to where the program was started keep meaning that place.
    for (const QString& file : commandLineFiles)
        main->CommandLineFiles.append(QFileInfo(file).absoluteFilePath());
    installWindowMakers();
    tools::bindMainWindow(*main);
    editor::bindMainWindow(*main);
    return main;
}

} // namespace app
