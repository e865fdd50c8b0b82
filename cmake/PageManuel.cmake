# cmake -DPROGRAMME=<ovrel5> -DMODELE=<ovrel5.1.in> -DSORTIE=<ovrel5.1> -DVERSION=<x.y>
#       -P PageManuel.cmake
# Writes the man page with the options as the program itself prints them (`ovrel5 <commande>
# --help`), so that the page cannot drift from the options.
function(aide_en_roff commande variable)
    execute_process(COMMAND "${PROGRAMME}" ${commande} --help OUTPUT_VARIABLE texte
                    RESULT_VARIABLE statut)
    if(NOT statut EQUAL 0)
        message(FATAL_ERROR "${PROGRAMME} ${commande} --help: exit status ${statut}")
    endif()
    string(STRIP "${texte}" texte)
    string(REPLACE "\\" "\\e" texte "${texte}")
    string(REPLACE "-" "\\-" texte "${texte}")
    # A line that starts with a dot or an apostrophe would be read as a request.
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" texte "${texte}")
    set(${variable} "${texte}" PARENT_SCOPE)
endfunction()

aide_en_roff(resoudre AIDE_RESOUDRE)
aide_en_roff(etude AIDE_ETUDE)
configure_file("${MODELE}" "${SORTIE}" @ONLY)
