// Kelmarin: creates the game window and its dialogs, and ends when the window is closed.
#include "Form1.h"
#include "QtUserDialogs.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelmarin"));
    QApplication::setDesktopFileName(QStringLiteral("kelmarin"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/kelmarin-48.png"));
    icon.addFile(QStringLiteral(":/icons/kelmarin-256.png"));
    QApplication::setWindowIcon(icon);

    kelmarin::ui::QtUserDialogs dialogs;
    kelmarin::ui::Form1 form(dialogs);
    QObject::connect(&form, &kelmarin::ui::Form1::Unloaded, &app, &QApplication::quit, Qt::QueuedConnection);
    form.show();
    return app.exec();
}
