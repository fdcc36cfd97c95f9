// Whether the shown document raised a request aimed at the top frame, from
// the notes it kept of its own clicks and submissions.
#include "platform/document_requests.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

const QString kShown = QStringLiteral("file:///data/0010_a.html");
constexpr qint64 kNow = 1800000000000;

platform::TopFrameRequest request(const QString& url, bool form = false)
{
    return platform::TopFrameRequest{QUrl(url), kShown, form, kNow};
}

QVariant notes(bool foreign, const QList<QPair<QString, qint64>>& clicks, const QString& location = kShown)
{
    QJsonArray list;
    for (const auto& click : clicks)
        list.append(QJsonObject{{"u", click.first}, {"t", double(kNow - click.second)}});
    const QJsonObject answer{{"location", location}, {"foreign", foreign}, {"notes", list}};
    return QString::fromUtf8(QJsonDocument(answer).toJson(QJsonDocument::Compact));
}

} // namespace

TEST(DocumentRequests, APageWithoutForeignFramesRaisedItsOwnRequests)
{
    EXPECT_TRUE(platform::raisedByShownDocument(request("file:///data/$NEXT"), notes(false, {})));
}

TEST(DocumentRequests, BesideAForeignFrameOnlyTheDocumentsOwnClicksCount)
{
    const auto own = request("file:///data/$JS ok.txt a=1");
    // The page writes the address escaped; the engine hands it over decoded.
    EXPECT_TRUE(platform::raisedByShownDocument(own, notes(true, {{"file:///data/$JS%20ok.txt%20a=1", 5}})));
    EXPECT_FALSE(platform::raisedByShownDocument(own, notes(true, {})));
    EXPECT_FALSE(platform::raisedByShownDocument(own, notes(true, {{"file:///data/$NEXT", 5}})));
    // a click noted long before, or after the request, is no reason
    EXPECT_FALSE(platform::raisedByShownDocument(own, notes(true, {{"file:///data/$JS%20ok.txt%20a=1", 60000}})));
    EXPECT_FALSE(platform::raisedByShownDocument(own, notes(true, {{"file:///data/$JS%20ok.txt%20a=1", -5000}})));
}

TEST(DocumentRequests, ScriptsAndFormsOfTheDocument)
{
    // a click without a link, just before: the page's own script moved it
    EXPECT_TRUE(platform::raisedByShownDocument(request("file:///data/$NEXT"), notes(true, {{"", 20}})));
    EXPECT_FALSE(platform::raisedByShownDocument(request("file:///data/$NEXT"), notes(true, {{"", 5000}})));
    // a form's query is added by the engine
    EXPECT_TRUE(platform::raisedByShownDocument(request("file:///data/$NEXT?a=1", true),
                                                notes(true, {{"file:///data/$NEXT", 20}})));
    EXPECT_FALSE(platform::raisedByShownDocument(request("file:///data/$NEXT?a=1", true),
                                                 notes(true, {{"file:///data/$TOP", 20}})));
}

TEST(DocumentRequests, NoAnswerOrAnotherDocumentRaisedNothing)
{
    EXPECT_FALSE(platform::raisedByShownDocument(request("file:///data/$NEXT"), QVariant()));
    EXPECT_FALSE(platform::raisedByShownDocument(request("file:///data/$NEXT"), QString("not json")));
    EXPECT_FALSE(platform::raisedByShownDocument(request("file:///data/$NEXT"),
                                                 notes(false, {}, "http://127.0.0.1:9/other.html")));
}
