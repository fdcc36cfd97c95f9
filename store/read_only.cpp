#include "store/read_only.h"

#include <QFile>
#include <sys/stat.h>

namespace files {

bool readOnlyMode(mode_t mode)
{
    return S_ISREG(mode) && (mode & S_IWUSR) == 0;
}

bool isReadOnlyFile(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && readOnlyMode(st.st_mode);
}

} // namespace files
