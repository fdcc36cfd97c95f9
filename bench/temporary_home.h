#pragma once
// Benchmarks never touch the user's home: HOME and the XDG folders point at
// a temporary folder, for the benchmark and every process it starts.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace bench {

inline void useTemporaryHome(const QTemporaryDir& home)
{
    const QString base = home.path();
    qputenv("HOME", base.toLocal8Bit());
    const char* const xdg[][2] = {{"XDG_DATA_HOME", "/.local/share"}, {"XDG_CONFIG_HOME", "/.config"},
                                  {"XDG_CACHE_HOME", "/.cache"},      {"XDG_STATE_HOME", "/.local/state"},
                                  {"XDG_RUNTIME_DIR", "/runtime"}};
    for (const auto& [name, sub] : xdg) {
        const QString path = base + QLatin1String(sub);
        QDir().mkpath(path);
        qputenv(name, path.toLocal8Bit());
    }
    // Qt insists on a runtime folder only its owner may enter.
    QFile::setPermissions(base + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace bench
