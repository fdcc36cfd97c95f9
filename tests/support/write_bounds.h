#pragma once
// Every test writes inside the system's temporary folder: the folder a test
// names for a write whose bound is not what it tests.
#include <QDir>
#include <QStringList>

inline QStringList tempBounds()
{
    return {QDir::tempPath()};
}
