// Message boxes of the program, through one thin layer: a modal box with a text, a caption
// and an OK button, and the standard exception box that shows the message of an error that
// escaped a handler. Tests install a recorder instead of the modal boxes.
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <type_traits>

struct MessageAffiche {
    enum class Genre { Message, Exception };
    Genre genre;
    QString texte;
    QString titre;
};

// The application's title, the caption of the standard exception box.
void FixerTitreApplication(const QString& titre);
QString TitreApplication();

// Modal box with `texte`, the caption `titre` and an OK button; returns when dismissed.
void MessageBox(const QString& texte, const QString& titre);

// The standard exception box: the message of the error, under the application's title.
void AfficherException(const QString& message);

// The message an escaped exception shows (std::exception's what(), memory errors in words).
QString MessageException(std::exception_ptr erreur);

// Runs a handler; an exception that escapes it ends it there and is shown by the standard
// exception box, while what the handler stored stays stored.
void ExecuterGestionnaire(const std::function<void()>& gestionnaire);

// The one way to wire an event to a handler: a function that runs `gestionnaire` under
// ExecuterGestionnaire, passing on the event's arguments when the handler takes them.
template <typename F> auto Protege(F gestionnaire) {
    return [gestionnaire](auto&&... arguments) {
        ExecuterGestionnaire([&] {
            if constexpr (std::is_invocable_v<const F&, decltype(arguments)...>) {
                gestionnaire(arguments...);
            } else {
                gestionnaire();
            }
        });
    };
}

// Replaces the modal boxes (nullptr puts them back).
void InstallerAfficheur(std::function<void(const MessageAffiche&)> afficheur);
