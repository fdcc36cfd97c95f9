#include "editor/header_background.h"

#include "editor/picture_files.h"
#include "platform/seam.h"
#include "store/page_markers.h"
#include "store/text.h"

#include <QFileInfo>

namespace editor {

namespace {

using store::kHeaderIn;
using store::kHeaderOut;

// The old section from its closing marker on, or the closing marker alone
// when the page had no complete header block: without it the next read
// would take the new header for a bare start marker and lose the picture.
QString headerRest(const QString& oldSection)
{
    const int out = oldSection.indexOf(kHeaderOut);
    return out < 0 ? kHeaderOut : oldSection.mid(out);
}

// Asks for a picture and copies it in as "_" + its name. "" when cancelled
// or refused; refused is set when the user chose something unusable.
QString chooseDecorPicture(const QString& pageFolder, const QStringList& within, DecorDialogState& state,
                           const QString& title, bool& refused)
{
    refused = false;
    const QString chosen = platform::openFileName(title, state.lastFolder, pictureFilter());
    if (chosen.isEmpty())
        return QString();
    state.lastFolder = QFileInfo(chosen).absolutePath();
    const QString name = underscoreName(QFileInfo(chosen).fileName());
    const std::optional<QString> copied =
        acceptPictureName(name) ? copyIntoFolder(chosen, pageFolder, name, within) : std::nullopt;
    refused = !copied;
    return copied.value_or(QString());
}

} // namespace

QString headerWithPicture(const QString& oldSection, const QString& pictureName)
{
    return kHeaderIn + QStringLiteral("<P align=\"center\" ><IMG src=\"") + pictureName
        + QStringLiteral("\" border=\"0\"></P>") + headerRest(oldSection);
}

QString headerWithoutPicture(const QString& oldSection)
{
    // A page without a header block keeps having none; an unclosed one is
    // left as the reader found it.
    if (oldSection.isEmpty() || !oldSection.contains(kHeaderOut))
        return oldSection;
    return kHeaderIn + headerRest(oldSection);
}

QString bodyTagWithBackground(const QString& oldSection, const QString& pictureName)
{
    // The BODY tag is found whatever its letter case; a section without one
    // gets a complete tag at its end.
    const int body = text::upper(oldSection).indexOf(QStringLiteral("<BODY"));
    QString prefix = oldSection;
    QString rest = QStringLiteral(">");
    if (body >= 0) {
        prefix = oldSection.left(body);
        const int close = oldSection.indexOf(u'>', body);
        if (close >= 0)
            rest = oldSection.mid(close);
    }
    const QString start = pictureName.isEmpty()
        ? QStringLiteral("<BODY")
        : QStringLiteral("<BODY background=\"") + pictureName + u'"';
    return prefix + start + rest;
}

void headerPictureClick(store::PageModel& m, const QString& pageFolder, DecorDialogState& state)
{
    bool refused = false;
    const QString name = chooseDecorPicture(pageFolder, m.WriteBounds, state, QStringLiteral("タイトル画像の読み込み"), refused);
    if (refused)
        return;
    m.PageHeaderSection = name.isEmpty() ? headerWithoutPicture(m.PageHeaderSection)
                                         : headerWithPicture(m.PageHeaderSection, name);
}

void backgroundPictureClick(store::PageModel& m, const QString& pageFolder, DecorDialogState& state)
{
    bool refused = false;
    const QString name = chooseDecorPicture(pageFolder, m.WriteBounds, state, QStringLiteral("背景画像の読み込み"), refused);
    if (refused)
        return;
    m.PageBodyTagSection = bodyTagWithBackground(m.PageBodyTagSection, name);
}

} // namespace editor
