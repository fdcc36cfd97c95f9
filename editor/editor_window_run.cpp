#include "editor/editor_window_run.h"

#include "editor/forms/form2.h"
#include "platform/seam.h"

namespace editor {

std::optional<QString> runPageEditor(TForm2* form, const QString& path, const QString& source, bool newPage,
                                     const QStringList& within)
{
    if (!form)
        return std::nullopt;
    form->page.WriteBounds = within;
    form->setWindowTitle(path);
    form->page.Memo82 = source;
    form->newPage = newPage;
    platform::execModal(form);
    form->newPage = false;
    return form->windowTitle();
}

} // namespace editor
