#pragma once
// Helpers shared by the page reader, writer and round-trip tests: short page
// sources, reading a source into a fresh model, a read-and-save round, and a
// check of several editor fields at once.

#include "store/files.h"
#include "support/write_bounds.h"
#include "store/page_file.h"
#include "qt_print.h"

#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>

namespace pagetest {

inline QString u8(const char* s) { return QString::fromUtf8(s); }

inline const QString kHead = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
    "<META NAME=\"author\" CONTENT=\"Pagora_TEXT_B4\">\r\n"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n");

// A page in the editor's layout whose note holds `note`.
inline QString pageWithNote(const QString& note, const QString& title = QStringLiteral("T"))
{
    return kHead + QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>\r\n</HEAD>\r\n<BODY><!--NOTE_IN-->") +
           note + QStringLiteral("<!--NOTE_OUT--></BODY>\r\n</HTML>\r\n");
}

// A source read into a fresh model, as the editor does when it opens a page.
inline store::PageModel readPage(const QString& source, const QString& path = QString())
{
    store::PageModel m;
    m.Memo82 = source;
    store::LoadPageIntoEditor(m, path);
    return m;
}

// Reads the page file at path into m, saves it over itself and returns the
// bytes now on disk.
inline QByteArray readSave(const QString& path, store::PageModel& m)
{
    m.Memo82 = files::readUtf8(path).value_or(QString());
    store::LoadPageIntoEditor(m, path);
    EXPECT_TRUE(store::SavePage(m, path, tempBounds()));
    return files::readBytes(path).value_or(QByteArray());
}

// One expected text field: FIELD(Edit1) names it and points at it.
struct FieldValue {
    const char* name;
    QString store::PageModel::*field;
    QString value;
};
#define FIELD(name) #name, &store::PageModel::name

inline void expectFields(const store::PageModel& m, std::initializer_list<FieldValue> expected)
{
    for (const FieldValue& f : expected)
        EXPECT_EQ(m.*(f.field), f.value) << "field " << f.name;
}

} // namespace pagetest
