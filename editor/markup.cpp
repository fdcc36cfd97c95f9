#include "editor/markup.h"

namespace editor {

std::optional<WrapTags> wrapTagsFor(int speedButton)
{
    switch (speedButton) {
    case 24: return WrapTags{QStringLiteral("<font color=\"#ff0000\">"), QStringLiteral("</font>")};
    case 26: return WrapTags{QStringLiteral("<font color=\"#0000ff\">"), QStringLiteral("</font>")};
    case 25: return WrapTags{QStringLiteral("<u>"), QStringLiteral("</u>")};
    case 32: return WrapTags{QStringLiteral("<strong>"), QStringLiteral("</strong>")};
    case 33: return WrapTags{QStringLiteral("<font size=\"+1\">"), QStringLiteral("</font>")};
    case 30: return WrapTags{QStringLiteral("<sub>"), QStringLiteral("</sub>")};
    case 29: return WrapTags{QStringLiteral("<sup>"), QStringLiteral("</sup>")};
    default: return std::nullopt;
    }
}

QString wrapSelection(const QString& selection, const WrapTags& tags)
{
    if (selection.isEmpty())
        return QString();
    return tags.open + selection + tags.close;
}

QString rubyMarkup(const QString& base, const QString& reading)
{
    if (base.isEmpty() || reading.isEmpty())
        return QString();
    // No closing rt tag: the ruby element closes it.
    return QStringLiteral("<ruby>") + base + QStringLiteral("<rt>") + reading + QStringLiteral("</ruby>");
}

QString linkMarkup(const LinkTarget& link, const QString& selection)
{
    return QStringLiteral("<A href=\"") + link.href + QStringLiteral("\">") + link.name
        + QStringLiteral("へのリンク</A>") + selection;
}

QString pictureMarkup(const QString& name, const QString& width, const QString& height,
                      const QString& selection)
{
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" align=\"middle\">").arg(name, width, height)
        + selection;
}

std::pair<QString, QString> splitMeasure(const QString& measure)
{
    const int comma = measure.indexOf(u',');
    if (comma < 0)
        return {measure, QString()};
    return {measure.left(comma), measure.mid(comma + 1)};
}

} // namespace editor
