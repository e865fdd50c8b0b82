// A fresh folder under the system's temporary folder, removed with its content at the end.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class DossierTemporaire : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device alea;
        Dossier = std::filesystem::temp_directory_path() /
                  ("ovrel_test_" + std::to_string(alea()) + std::to_string(alea()));
        std::filesystem::create_directories(Dossier);
    }
    void TearDown() override { std::filesystem::remove_all(Dossier); }

    std::filesystem::path Fichier(const std::string& nom, const std::string& contenu) const {
        const auto chemin = Dossier / nom;
        std::ofstream(chemin, std::ios::binary) << contenu;
        return chemin;
    }
    static std::string Lire(const std::filesystem::path& chemin) {
        std::ifstream f(chemin, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

    std::filesystem::path Dossier;
};
