# The translation files of the program (traductions/*.ts), extracted from the sources by Qt's
# lupdate. Each file takes the texts of its own sources:
#   ovrel5_fenetre  the window (app/ but the command line's figure, app/toolkit, display)
#   ovrel5_commande the command line's options and help, and its figure
#   ovrel5_fichiers the files and signals (fichiers, signal)
#   ovrel5_noyau    the rest of the core (interval, sivia, analyse, atelier, commande)
# `Traduire(contexte, texte)` of the core is read as Qt's translate(), `OVREL_TEXTE` as
# QT_TRANSLATE_NOOP. Run as a script:
#   cmake -DRACINE=<repository> -DLUPDATE=<lupdate> -DMODE=maj -P cmake/Traductions.cmake
#     brings the .ts files up to date (new texts come in unfinished, gone texts go);
#   ... -DMODE=verifier -DTEMP=<folder>
#     brings a copy of each file up to date in TEMP and fails on every text it leaves
#     unfinished (new in the sources, or never translated), naming them.
# -DNOMS="ovrel5_noyau;..." limits either to some of the files.
cmake_minimum_required(VERSION 3.25)

function(sources_traduction nom sortie)
    set(motifs "")
    if(nom STREQUAL "ovrel5_fenetre")
        foreach(d app app/toolkit display)
            list(APPEND motifs "${RACINE}/${d}/*.cpp" "${RACINE}/${d}/*.h")
        endforeach()
        set(exclus "LigneDeCommandeImage")
    elseif(nom STREQUAL "ovrel5_commande")
        list(APPEND motifs "${RACINE}/commande/Options.*" "${RACINE}/app/LigneDeCommandeImage.*")
        set(exclus "")
    elseif(nom STREQUAL "ovrel5_fichiers")
        foreach(d fichiers signal)
            list(APPEND motifs "${RACINE}/${d}/*.cpp" "${RACINE}/${d}/*.h")
        endforeach()
        set(exclus "")
    else()
        foreach(d interval sivia analyse atelier commande)
            list(APPEND motifs "${RACINE}/${d}/*.cpp" "${RACINE}/${d}/*.h")
        endforeach()
        set(exclus "commande/Options\\.")
    endif()
    file(GLOB fichiers ${motifs})
    if(exclus)
        list(FILTER fichiers EXCLUDE REGEX "${exclus}")
    endif()
    list(SORT fichiers)
    set(${sortie} ${fichiers} PARENT_SCOPE)
endfunction()

if(NOT NOMS)
    set(NOMS ovrel5_fenetre ovrel5_commande ovrel5_fichiers ovrel5_noyau)
endif()
set(noms ${NOMS})
set(options -locations none -no-obsolete -silent -source-language fr -target-language en
            -tr-function-alias "translate+=Traduire,QT_TRANSLATE_NOOP+=OVREL_TEXTE"
            -I "${RACINE}")

if(MODE STREQUAL "maj")
    foreach(nom IN LISTS noms)
        sources_traduction(${nom} fichiers)
        execute_process(COMMAND "${LUPDATE}" ${options} ${fichiers}
                                -ts "${RACINE}/traductions/${nom}_en.ts"
                        RESULT_VARIABLE r)
        if(NOT r EQUAL 0)
            message(FATAL_ERROR "lupdate failed on ${nom}")
        endif()
    endforeach()
elseif(MODE STREQUAL "verifier")
    set(fautes "")
    file(MAKE_DIRECTORY "${TEMP}")
    foreach(nom IN LISTS noms)
        set(ts "${RACINE}/traductions/${nom}_en.ts")
        set(copie "${TEMP}/${nom}_en.ts")
        file(COPY_FILE "${ts}" "${copie}")
        sources_traduction(${nom} fichiers)
        execute_process(COMMAND "${LUPDATE}" ${options} ${fichiers} -ts "${copie}"
                        RESULT_VARIABLE r)
        if(NOT r EQUAL 0)
            message(FATAL_ERROR "lupdate failed on ${nom}")
        endif()
        file(STRINGS "${copie}" lignes)
        set(source "")
        foreach(ligne IN LISTS lignes)
            if(ligne MATCHES "<source>(.*)</source>")
                set(source "${CMAKE_MATCH_1}")
            elseif(ligne MATCHES "type=\"unfinished\"")
                list(APPEND fautes "${nom}: no English for \"${source}\"")
            endif()
        endforeach()
    endforeach()
    if(fautes)
        list(JOIN fautes "\n  " texte)
        message(FATAL_ERROR "Translations:\n  ${texte}")
    endif()
    message(STATUS "Every text has its English translation")
else()
    message(FATAL_ERROR "MODE is maj or verifier")
endif()
