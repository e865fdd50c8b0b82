// A window fixture whose file dialogs answer in a scratch folder of its own: the folder is
// made before each test and removed after it, and the dialogs go back to the real ones.
#pragma once

#include "app/toolkit/DialogueFichier.h"

#include <QAction>
#include <QStringList>

#include <filesystem>
#include <random>
#include <string>

template <class Fixture> class AvecDossier : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        std::random_device alea;
        Dossier = std::filesystem::temp_directory_path() /
                  ("ovrel_gui_" + std::to_string(alea()) + std::to_string(alea()));
        std::filesystem::create_directories(Dossier);
        InstallerDialogueFichier([this](const QString&, bool) {
            return QStringList{QString::fromStdString((Dossier / Reponse).string())};
        });
    }
    void TearDown() override {
        InstallerDialogueFichier(nullptr);
        std::filesystem::remove_all(Dossier);
        Fixture::TearDown();
    }

    // Chooses `item` with the file dialog answering `nom`, in the folder.
    void Choisir(QAction* item, const std::string& nom) {
        Reponse = nom;
        item->trigger();
    }

    std::filesystem::path Dossier;
    std::string Reponse; // what the file dialog answers, in Dossier
};
