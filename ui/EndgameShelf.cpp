#include "EndgameShelf.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

#include <iostream>
#include <string>
#include <utility>

namespace kelmarin::ui {

EndgameShelf::~EndgameShelf()
{
    Stopping_ = true; // checked between rule sets; a set being opened is finished first
    if (Worker_.joinable())
        Worker_.join();
}

std::vector<std::filesystem::path> EndgameShelf::Folders()
{
    std::vector<std::filesystem::path> folders;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!own.isEmpty())
        folders.emplace_back(QFile::encodeName(own).toStdString() + "/kelmarin/endgames");
    const std::filesystem::path data = KELMARIN_DATADIR; // absolute, or from the program's own folder
    const std::filesystem::path here =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    folders.push_back(((data.is_absolute() ? data : here / data) / "kelmarin/endgames").lexically_normal());
    return folders;
}

void EndgameShelf::Open(std::vector<std::filesystem::path> folders)
{
    if (Worker_.joinable())
        return;
    Worker_ = std::thread([this, folders = std::move(folders)] {
        EndgameSet opened;
        std::vector<std::string> refusals;
        for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
            if (Stopping_)
                break;
            (rules == Rules::English ? opened.English : opened.Kelmarin) =
                OpenLargestEndgameTables(folders, rules, refusals);
        }
        for (const std::string& refusal : refusals)
            std::cerr << "kelmarin: endgame tables not used: " << refusal << "\n";
        Mailbox_.Post([this, opened = std::move(opened)] {
            Worker_.join();
            Tables_ = opened;
            emit Opened(Tables_);
        });
    });
}

} // namespace kelmarin::ui
