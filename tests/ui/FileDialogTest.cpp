// The real file dialogs, answered by a timer: filter, default extension, and the remembered name.
#include "QtUserDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kelmarin::ui::testing {
namespace {

// Runs answer on the file dialog as soon as it is up.
void WhenDialogShows(std::function<void(QFileDialog&)> answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(*dialog);
        }
    });
    poll->start(10);
}

TEST(FileDialogs, FilterDefaultExtensionAndRememberedName)
{
    QTemporaryDir folder;
    QtUserDialogs dialogs;
    QStringList filters;
    WhenDialogShows([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        dialog.setDirectory(folder.path());
        dialog.selectFile(QStringLiteral("opening"));
        static_cast<QDialog&>(dialog).accept(); // the file dialog's own accept checks the name
    });
    const QString saved = dialogs.ShowSave(nullptr);
    EXPECT_EQ(filters, QStringList{QStringLiteral("Kelmarin Save File (*.kmr)")});
    EXPECT_EQ(saved, folder.filePath(QStringLiteral("opening.kmr")));

    QStringList offered;
    WhenDialogShows([&](QFileDialog& dialog) {
        offered = dialog.selectedFiles();
        dialog.reject();
    });
    EXPECT_EQ(dialogs.ShowOpen(nullptr), QString()) << "cancelled";
    EXPECT_EQ(offered, QStringList{saved}) << "the open dialog starts with the name last chosen";
}

} // namespace
} // namespace kelmarin::ui::testing
