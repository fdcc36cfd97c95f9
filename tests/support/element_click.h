#pragma once
// Clicks an element of the page a real browser view shows, by its id, once
// the shown document has it: the first page may still be replaced by a
// second load right after start-up.

#include "platform/browser.h"
#include "support/wait_for.h"

#include <QString>
#include <QVariant>

#include <memory>

inline bool clickElementWhenShown(platform::Browser& view, const QString& id)
{
    auto clicked = std::make_shared<bool>(false);
    const QString script = "(function(){var e=document.getElementById('" + id
                           + "');if(!e)return false;e.click();return true;})()";
    return waitFor([&] {
        if (!*clicked)
            view.runScript(script, [clicked](const QVariant& v) { *clicked = *clicked || v.toBool(); });
        waitMs(50);
        return *clicked;
    }, EngineWaitMs);
}
