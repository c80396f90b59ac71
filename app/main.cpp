// Kelmarin: reads the command line, creates the game window and its dialogs, and ends when the window
// is closed.
//
// The command line is read before the toolkit starts, so that --help, --version and a wrong call need
// no display and open no window. A saved game named on it is opened once the window has started up,
// exactly as Load opens a file chosen in its dialog.
#include "Form1.h"
#include "QtUserDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view Usage = "usage: kelmarin [FILE.kmr]\n"
                                   "       kelmarin --help | --version\n";

constexpr std::string_view Help = "Plays draughts in a window, against the computer or a friend.\n"
                                  "FILE.kmr, a saved game, is opened at start as File > Load would.\n"
                                  "\n"
                                  "  --help     show this help and exit\n"
                                  "  --version  show the version and exit\n"
                                  "  --         what follows is the file, even if it starts with -\n";

struct CommandLine {
    std::optional<int> ExitStatus; // set: the call is answered without a window
    const char* FileName = nullptr;
};

CommandLine ReadCommandLine(int argc, char** argv)
{
    CommandLine line;
    bool options = true;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (options && arg == "--help") {
            std::cout << Usage << Help;
            return {0, nullptr};
        }
        if (options && arg == "--version") {
            std::cout << "kelmarin 1.00\n";
            return {0, nullptr};
        }
        if (options && arg == "--") {
            options = false;
            continue;
        }
        if ((options && arg.starts_with('-')) || line.FileName != nullptr) {
            std::cerr << "kelmarin: unexpected argument '" << arg << "'\n" << Usage;
            return {2, nullptr};
        }
        line.FileName = argv[k];
    }
    return line;
}

// Without a display the toolkit would abort with advice to reinstall; say what is missing instead.
bool HasDisplay()
{
#ifdef __linux__
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0')
            return true;
    return false;
#else
    return true; // elsewhere the toolkit always has its desktop
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = ReadCommandLine(argc, argv);
    if (line.ExitStatus)
        return *line.ExitStatus;
    if (!HasDisplay()) {
        std::cerr << "kelmarin: no display (DISPLAY and WAYLAND_DISPLAY are unset): start it from a desktop "
                     "session\n";
        return 1;
    }

    int toolkitArgc = 1; // the toolkit sees no arguments: they are all read above
    QApplication app(toolkitArgc, argv);
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
    form.OpenEndgameTables();
    if (line.FileName != nullptr) {
        // The dialog hands Load an absolute path; a name given here becomes one the same way.
        const QString fileName = QFileInfo(QFile::decodeName(line.FileName)).absoluteFilePath();
        dialogs.RememberFileName(fileName);
        QTimer::singleShot(0, &form, [&form, fileName] { form.OpenGameFile(fileName); });
    }
    return app.exec();
}
