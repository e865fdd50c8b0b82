# ovrel_library(<target> [DEPS <targets>...]): a static library of the *.cpp files of the
# current folder (an interface library while the folder holds headers only). Headers are
# included from the repository root: #include "interval/Interval.h"; every library waits for
# the check that no include runs against the dependency graph (VerifierDependances.cmake).
function(ovrel_library cible)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
         "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(sources)
        file(GLOB entetes CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
        add_library(${cible} STATIC ${sources} ${entetes})
        target_include_directories(${cible} PUBLIC "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${cible} PUBLIC ${ARG_DEPS})
        add_dependencies(${cible} verifier_dependances)
    else()
        add_library(${cible} INTERFACE)
        target_include_directories(${cible} INTERFACE "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${cible} INTERFACE ${ARG_DEPS})
    endif()
endfunction()
