#pragma once
// The texts of the seam's recorded events of one kind ("message", "ask",
// "start" …), in the order they happened.

#include "platform/seam.h"

#include <QString>
#include <QStringList>

inline QStringList seamTexts(const QString& kind)
{
    QStringList texts;
    for (const platform::SeamEvent& e : platform::events()) {
        if (e.kind == kind)
            texts << e.text;
    }
    return texts;
}
