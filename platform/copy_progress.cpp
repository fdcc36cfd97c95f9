#include "platform/copy_progress.h"

#include "platform/seam.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProgressDialog>

namespace platform {

CopyProgress::CopyProgress(const QString& label, int total, bool cancellable)
{
    if (testMode() || total <= 0)
        return;
    dialog_ = std::make_unique<QProgressDialog>(label, QStringLiteral("中止"), 0, total,
                                                QApplication::activeWindow());
    // Modal to its window: the page list must not change under the copy.
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setWindowTitle(QCoreApplication::applicationName());
    dialog_->setMinimumDuration(400);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    if (!cancellable)
        dialog_->setCancelButton(nullptr);
    dialog_->setValue(0);
}

CopyProgress::~CopyProgress() = default;

bool CopyProgress::step()
{
    ++done_;
    if (dialog_) {
        dialog_->setValue(done_);
        QCoreApplication::processEvents();
        cancelled_ = cancelled_ || dialog_->wasCanceled();
    }
    return !cancelled_;
}

QString CopyFailures::text(const QString& headline) const
{
    constexpr int kShown = 20;
    QStringList lines{headline};
    for (int i = 0; i < names_.size() && i < kShown; ++i)
        lines.append(names_.at(i));
    if (names_.size() > kShown)
        lines.append(QStringLiteral("ほか %1 件").arg(names_.size() - kShown));
    return lines.join(QLatin1Char('\n'));
}

void CopyFailures::report(const QString& headline) const
{
    if (!names_.isEmpty())
        showMessage(text(headline), MsgType::Warning);
}

} // namespace platform
